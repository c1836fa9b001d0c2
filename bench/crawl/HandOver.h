#pragma once

#include <cstddef>

// The cost of one synchronous hand-over to the UI thread, the step a run takes four or five
// times per member.
namespace bench {

// `count` empty operations run through the window's dispatcher from a worker thread while the
// calling (UI) thread serves its events. Returns the seconds taken.
double WindowHandOvers(std::size_t count);

// The same through a plain loop thread with a condition variable.
double PlainHandOvers(std::size_t count);

} // namespace bench

#pragma once

#include "crawl/run/PagePacer.h"

namespace ui {

// The system tick count and a real sleep, for the runs of the program.
crawl::RunClock SystemRunClock();

} // namespace ui

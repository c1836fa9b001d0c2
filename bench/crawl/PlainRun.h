#pragma once

#include "crawl/http/HttpClient.h"

#include <string>

// A whole run without the window: the worker with a plain loop thread as its UI thread and a
// window that only answers the run's reads.
namespace bench {

// Runs the worker over the one link at interval 0 and returns the seconds from its start to its
// end. `registryHost` is "host:port"; the result and log files go to `programFolder`.
double PlainDispatcherRun(crawl::http::HttpClient& http, const std::u16string& registryHost,
                          const std::u16string& programFolder, const std::u16string& link);

} // namespace bench

#pragma once

#include <string>

namespace crawl {

// The folder of the running executable, with its trailing separator: every file of the
// program (urls.txt, result and log files, skip.txt, useragents.txt) lies there.
std::u16string ProgramFolder();

} // namespace crawl

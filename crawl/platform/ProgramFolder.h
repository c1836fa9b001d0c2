#pragma once

#include <string>

namespace crawl {

// The folder of the program's files (urls.txt, result and log files, skip.txt,
// useragents.txt), with its trailing separator: the executable's folder. On Linux, when that
// folder is not writable (an installed program), the user's data folder for the application
// instead (ProgramFolderChoice.h).
std::u16string ProgramFolder();

// The folder of the running executable, with its trailing separator.
std::u16string ExecutableFolder();

} // namespace crawl

#pragma once

#include <string>

namespace crawl {

// The folder of the program's files (urls.txt, result and log files, skip.txt,
// useragents.txt), with its trailing separator: the executable's folder, or, when that
// folder is not writable (an installed program), the user's data folder for the
// application, created on first use.
std::u16string ProgramFolder();

// The same choice from given folders, so that both cases can be checked: `executableFolder`
// and the result end with a separator; `dataHome` is $XDG_DATA_HOME or ~/.local/share.
std::u16string ChooseProgramFolder(const std::u16string& executableFolder,
                                   const std::u16string& dataHome);

} // namespace crawl

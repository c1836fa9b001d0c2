#pragma once

#include <string>

namespace crawl {

// Linux only: the program's folder chosen from given folders, so that every case can be
// checked. The executable's folder when it is writable and does not lie under `installPrefix`
// (where the package puts it); else the application's folder in `dataHome` ($XDG_DATA_HOME or
// ~/.local/share), created on first use. An installed program keeps its files there even when
// run by a user who could write beside it. `executableFolder` and the result end with a
// separator.
std::u16string ChooseProgramFolder(const std::u16string& executableFolder,
                                   const std::u16string& dataHome,
                                   const std::u16string& installPrefix);

} // namespace crawl

#pragma once

#include <string>

namespace crawl {

// Linux only: the program's folder chosen from given folders, so that both cases can be
// checked. The executable's folder when it is writable, else the application's folder in
// `dataHome` ($XDG_DATA_HOME or ~/.local/share), created on first use. `executableFolder` and
// the result end with a separator.
std::u16string ChooseProgramFolder(const std::u16string& executableFolder,
                                   const std::u16string& dataHome);

} // namespace crawl

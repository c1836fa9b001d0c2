#pragma once

#include <string>
#include <string_view>

namespace ui {

// What the start-up checks of the program's surroundings found; at most one is reported.
enum class StartupProblem {
    None,
    StartedInsideArchive,  // the folder lies inside an archiver's extraction folder
    StartedFromTempFolder, // a folder named Temp, in any letter case, lies on the path
    TlsLibraryMissing,     // the TLS library of the registry requests is not there
};

// The checks in their order, from the program's folder (with its trailing separator) and
// whether the TLS library was found.
StartupProblem CheckStartup(std::u16string_view programFolder, bool tlsLibraryFound);

// The text of the message box for a problem, lines joined by CR LF; empty for None.
std::u16string StartupProblemText(StartupProblem problem);

// Caption of the start-up message boxes.
inline constexpr std::u16string_view StartupMessageCaption = u"Внимание!";

} // namespace ui

#pragma once

#include <QString>

namespace ui {

// What the start-up checks of the program's surroundings found; at most one is reported.
enum class StartupProblem {
    None,
    StartedInsideArchive,  // the folder lies inside an archiver's extraction folder
    StartedFromTempFolder, // a folder named Temp, in any letter case, lies on the path
    TlsLibraryMissing,     // the TLS library of the registry requests cannot be loaded
};

// The checks in their order, from the program's folder (with its trailing separator) and
// whether the TLS library can be loaded.
StartupProblem CheckStartup(const QString& programFolder, bool tlsLibraryAvailable);

// The text of the message box for a problem, lines joined by CR LF; empty for None.
QString StartupProblemText(StartupProblem problem);

// Caption of the start-up message boxes.
inline constexpr char StartupMessageCaption[] = "Внимание!";

} // namespace ui

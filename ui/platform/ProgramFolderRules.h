#pragma once

#include <string>

// What the start-up checks of the program's folder look at, where the platforms differ.
namespace ui {

// The separator between the folders of a path.
char16_t PathSeparator();

// Whether the TLS library of the registry requests is there for the program: beside it where
// the program brings its own, else where the system keeps it.
bool TlsLibraryFound(const std::u16string& programFolder);

} // namespace ui

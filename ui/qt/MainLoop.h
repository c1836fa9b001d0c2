#pragma once

namespace ui {

class MainWindow;

// Shows the window (its start-up checks run inside), runs the message loop until it closes and
// returns the exit code.
int RunMainLoop(MainWindow& window);

} // namespace ui

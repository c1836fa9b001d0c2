#pragma once

namespace ui {

class TMainForm;

// Shows the window (its start-up checks run inside), runs the message loop until it closes and
// returns the exit code. A run's worker that does not end shortly after the window has closed
// (one stuck in a request) does not keep the program alive: the process ends at once, without
// destroying what the worker still holds.
int RunMainLoop(TMainForm& window);

} // namespace ui

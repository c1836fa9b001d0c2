#pragma once

namespace ui {

class TMainForm;

// The program's end once its message loop has ended with `exitCode`: a run's worker that does
// not end shortly after the window has closed (one stuck in a request) does not keep the
// program alive; the process then ends at once, without destroying what the worker still holds.
int EndProgram(const TMainForm& form, int exitCode);

} // namespace ui

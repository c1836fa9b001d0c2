#pragma once

#include "ui/MainForm.h"

#include <QString>

// Whole runs through the program's own window on the offscreen platform.
namespace bench {

// Selects the offscreen platform unless the caller chose one; before the application object.
void UseOffscreenPlatform();

// The settings main() gives the window, with `folder` as the program's folder and nothing
// opened at the end of a run.
ui::MainFormSettings BenchFormSettings(const QString& folder, const QString& registryHost);

// Puts `link` into the link list and `intervalSeconds` into the interval field, presses START
// and serves the window's events until the worker has ended. Returns the seconds from the press
// to the end.
double RunFromWindow(ui::TMainForm& form, const QString& link, int intervalSeconds);

} // namespace bench

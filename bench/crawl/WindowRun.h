#pragma once

#include "ui/qt/MainWindow.h"

#include <QObject>
#include <QString>
#include <QUrl>

// Whole runs through the program's own window on the offscreen platform.
namespace bench {

// Selects the offscreen platform unless the caller chose one; before the application object.
void UseOffscreenPlatform();

// The settings main() gives the window, with `folder` as the program's folder.
ui::MainFormSettings BenchFormSettings(const QString& folder, const QString& registryHost);

// Takes the desktop's "open" of files while it lives: the finished result file is not opened.
class IgnoredFileOpens : public QObject {
    Q_OBJECT

public:
    IgnoredFileOpens();
    ~IgnoredFileOpens() override;

public slots:
    void Open(const QUrl&) {}
};

// Puts `link` into the link list and `intervalSeconds` into the interval field, presses START
// and serves the window's events until the worker has ended; nothing is opened at its end.
// Returns the seconds from the press to the end.
double RunFromWindow(ui::MainWindow& window, const QString& link, int intervalSeconds);

} // namespace bench

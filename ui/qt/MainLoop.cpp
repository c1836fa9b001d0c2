#include "ui/qt/MainLoop.h"

#include "ui/ProgramEnd.h"
#include "ui/qt/MainWindow.h"

#include <QApplication>

namespace ui {

int RunMainLoop(MainWindow& window)
{
    window.show();
    if (window.Form().StartupFailed()) {
        return 0;
    }
    return EndProgram(window.Form(), QApplication::exec());
}

} // namespace ui

#include "ui/qt/Application.h"

#include "ui/ErrorBox.h"

#include <QMessageBox>

namespace ui {

void ShowDefaultErrorBox(const std::exception& error)
{
    QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(),
                    QString::fromStdU16String(ErrorBoxText(ExceptionMessage(error))),
                    QMessageBox::Ok);
    box.exec();
}

Application::Application(int& argc, char** argv, const QString& title) : QApplication(argc, argv)
{
    setApplicationName(title);
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowDefaultErrorBox(error);
    }
    return false;
}

} // namespace ui

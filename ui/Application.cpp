#include "ui/Application.h"

#include "crawl/Error.h"

#include <QMessageBox>

namespace ui {

QString ApplicationTitle(const QString& registryHost)
{
    return QStringLiteral("Парсер ") + registryHost.toLower();
}

QString ErrorBoxText(const QString& message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.')) {
        return message + QLatin1Char('.');
    }
    return message;
}

QString ExceptionMessage(const std::exception& error)
{
    if (const auto* crawlError = dynamic_cast<const crawl::Error*>(&error)) {
        return QString::fromStdU16String(crawlError->Message());
    }
    return QString::fromLocal8Bit(error.what());
}

void ShowDefaultErrorBox(const std::exception& error)
{
    QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(),
                    ErrorBoxText(ExceptionMessage(error)), QMessageBox::Ok);
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

#pragma once

#include <QApplication>
#include <QString>

#include <exception>
#include <utility>

namespace ui {

// "Парсер " + the registry host spelled as in addresses, in lower case: the caption of the
// default error box.
QString ApplicationTitle(const QString& registryHost);

// The message of the default error box: a full stop is added unless the last character is a
// full stop or has a lower character code (an exclamation mark, a comma, a blank...).
QString ErrorBoxText(const QString& message);

// The message an exception carries, as the default error box shows it before its full stop.
QString ExceptionMessage(const std::exception& error);

// The default error box: caption the application title, an error icon and an OK button.
void ShowDefaultErrorBox(const std::exception& error);

// Wraps a handler of ours so that an error it throws is shown in the default error box right
// there, instead of unwinding through the toolkit's event delivery (whose frames do not clean
// up behind an exception).
template <typename Handler>
auto ShowingErrors(Handler handler)
{
    return [handler = std::move(handler)] {
        try {
            handler();
        } catch (const std::exception& error) {
            ShowDefaultErrorBox(error);
        }
    };
}

// The application object; its name is the application title. Qt lets exceptions thrown from
// event handlers and slots escape the event loop: this one catches those that no handler
// caught where the event is delivered and shows the default error box instead.
class Application : public QApplication {
    Q_OBJECT

public:
    Application(int& argc, char** argv, const QString& title);

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace ui

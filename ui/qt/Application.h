#pragma once

#include <QApplication>
#include <QString>

#include <exception>
#include <utility>

namespace ui {

// The default error box: caption the application title, the error's message with its full
// stop, an error icon and an OK button.
void ShowDefaultErrorBox(const std::exception& error);

// Wraps a handler so that an error it throws is shown in the default error box right there,
// instead of unwinding through the toolkit's event delivery (whose frames do not clean up
// behind an exception).
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

#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>

#include <vector>

namespace ui::test {

// What a message box showed before the watcher pressed its default button.
struct SeenMessageBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
};

// Watches for modal message boxes while it lives, records each and presses its default button,
// so that code which shows a box modally runs on. Polls every 10 ms, at most 1000 times.
class ModalBoxWatcher : public QObject {
    Q_OBJECT

public:
    ModalBoxWatcher();

    const std::vector<SeenMessageBox>& Seen() const { return seen_; }

private:
    void Poll();

    QTimer timer_;
    int polls_ = 0;
    std::vector<SeenMessageBox> seen_;
};

} // namespace ui::test

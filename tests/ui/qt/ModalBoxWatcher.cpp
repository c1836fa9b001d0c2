#include "tests/ui/qt/ModalBoxWatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>

namespace ui::test {

namespace {

constexpr int PollMilliseconds = 10;
constexpr int MaxPolls = 1000;

} // namespace

ModalBoxWatcher::ModalBoxWatcher()
{
    connect(&timer_, &QTimer::timeout, this, &ModalBoxWatcher::Poll);
    timer_.start(PollMilliseconds);
}

void ModalBoxWatcher::Poll()
{
    if (++polls_ > MaxPolls) {
        timer_.stop();
        return;
    }
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) {
        return;
    }
    seen_.push_back({box->windowTitle(), box->text(), box->icon(), box->standardButtons()});
    QAbstractButton* button = box->defaultButton();
    if (button == nullptr) {
        button = box->buttons().value(0);
    }
    button->click();
}

} // namespace ui::test

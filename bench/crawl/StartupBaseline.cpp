// The floor of the program's start-up: a bare Qt window that, once shown, reads urls.txt from
// its folder as the program does, then waits to be ended.
#include <QApplication>
#include <QFile>
#include <QWidget>

namespace {

class BareWindow : public QWidget {
protected:
    void showEvent(QShowEvent* event) override
    {
        QWidget::showEvent(event);
        QFile links(QCoreApplication::applicationDirPath() + QStringLiteral("/urls.txt"));
        if (links.open(QIODevice::ReadOnly)) {
            text_ = QString::fromUtf8(links.readAll());
        }
    }

private:
    QString text_;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    BareWindow window;
    window.resize(772, 556);
    window.show();
    return QApplication::exec();
}

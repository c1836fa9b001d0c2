// The screen operations TMainForm asks of the Qt window.
#include "ui/qt/MainWindow.h"

#include "ui/platform/AnsiCodePage.h"
#include "ui/qt/GradientProgressBar.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QLocale>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QSpinBox>
#include <QTextBlock>
#include <QUrl>

namespace ui {

namespace {

QString ToQString(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

} // namespace

QWidget* MainWindow::Widget(Control control) const
{
    return controls_[static_cast<std::size_t>(control)];
}

QPlainTextEdit* MainWindow::TextField(Control field) const
{
    return qobject_cast<QPlainTextEdit*>(Widget(field));
}

GradientProgressBar* MainWindow::Bar(Control bar) const
{
    return qobject_cast<GradientProgressBar*>(Widget(bar));
}

std::u16string MainWindow::Text(Control field)
{
    if (field == Control::LogsMemo) {
        FlushLog();
    }
    // The raw text, not the plain-text export, which turns a no-break space into a space and a
    // line separator into a line break; only the paragraph separators between lines become
    // the line breaks they were.
    QString text = TextField(field)->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text.toStdU16String();
}

void MainWindow::SetText(Control field, std::u16string_view text)
{
    if (field == Control::LogsMemo) {
        logFlush_.stop();
        pendingLog_.clear();
    }
    TextField(field)->setPlainText(ToQString(text));
}

std::int32_t MainWindow::LineCount(Control field)
{
    if (field == Control::LogsMemo) {
        FlushLog();
    }
    return TextField(field)->document()->blockCount();
}

std::u16string MainWindow::Line(Control field, std::int32_t index)
{
    if (field == Control::LogsMemo) {
        FlushLog();
    }
    return TextField(field)->document()->findBlockByNumber(index).text().toStdU16String();
}

void MainWindow::AppendLine(Control field, std::u16string_view lines)
{
    if (field != Control::LogsMemo) {
        TextField(field)->appendPlainText(ToQString(lines));
        return;
    }
    pendingLog_.append(ToQString(lines));
    if (!logFlush_.isActive()) {
        logFlush_.start();
    }
}

void MainWindow::SelectAll(Control field)
{
    TextField(field)->selectAll();
}

void MainWindow::SetEnabled(Control control, bool enabled)
{
    Widget(control)->setEnabled(enabled);
}

void MainWindow::SetProgressMax(Control bar, std::int32_t maximum)
{
    Bar(bar)->SetMax(maximum);
}

void MainWindow::SetProgressPosition(Control bar, std::int32_t position)
{
    Bar(bar)->SetPosition(position);
}

void MainWindow::SetProgressHint(Control bar, std::u16string_view hint)
{
    // A tooltip shows while the mouse rests on the bar.
    Bar(bar)->setToolTip(ToQString(hint));
}

bool MainWindow::Checked(Control checkBox)
{
    return qobject_cast<QCheckBox*>(Widget(checkBox))->isChecked();
}

std::int32_t MainWindow::Value(Control numericField)
{
    return qobject_cast<QSpinBox*>(Widget(numericField))->value();
}

void MainWindow::SetWaitCursor(bool on)
{
    if (on) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QGuiApplication::restoreOverrideCursor();
    }
}

void MainWindow::ShowMessageBox(std::u16string_view caption, std::u16string_view text,
                                MessageBoxIcon icon)
{
    QMessageBox box(icon == MessageBoxIcon::Error ? QMessageBox::Critical : QMessageBox::NoIcon,
                    ToQString(caption), ToQString(text), QMessageBox::Ok, this);
    box.exec();
}

void MainWindow::ShellOpen(const std::u16string& target)
{
    const QString text = QString::fromStdU16String(target);
    QDesktopServices::openUrl(text.contains(QStringLiteral("://")) ? QUrl(text)
                                                                  : QUrl::fromLocalFile(text));
}

void MainWindow::ProcessMessages()
{
    QCoreApplication::processEvents();
}

void MainWindow::CloseWindow()
{
    close();
}

HandOverDispatcher& MainWindow::Dispatcher()
{
    return dispatcher_;
}

LocalMoment MainWindow::Now()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second(),
            time.msec()};
}

std::u16string MainWindow::ShortDate(const LocalMoment& moment)
{
    // The default locale: the system's, unless the application has chosen another. C and POSIX
    // name no language; the window is Russian, so its date is written as a Russian-language
    // Windows writes its short date.
    const QLocale locale;
    const QDate date(moment.year, moment.month, moment.day);
    if (locale.language() == QLocale::C) {
        return date.toString(QStringLiteral("dd.MM.yyyy")).toStdU16String();
    }
    return locale.toString(date, QLocale::ShortFormat).toStdU16String();
}

std::u16string MainWindow::LongTime(const LocalMoment& moment)
{
    return QTime(moment.hour, moment.minute, moment.second)
        .toString(QStringLiteral("HH:mm:ss"))
        .toStdU16String();
}

std::optional<std::uint32_t> MainWindow::AnsiCodePage()
{
    return SystemAnsiCodePage();
}

} // namespace ui

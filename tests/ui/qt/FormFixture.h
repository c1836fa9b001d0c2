#pragma once

#include "ui/qt/MainWindow.h"

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QTemporaryDir>
#include <QUrl>

#include <memory>

namespace ui::test {

inline constexpr char TestHost[] = "registry.example.org";

// Records what the desktop is asked to open, instead of opening it; may be called from a
// run's worker thread.
class OpenedUrls : public QObject {
    Q_OBJECT

public:
    OpenedUrls();
    ~OpenedUrls() override;

    QList<QUrl> Urls() const;

public slots:
    void Open(const QUrl& url);

private:
    mutable QMutex mutex_;
    QList<QUrl> urls_;
};

// The Qt main window whose program folder is a fresh temporary folder; what it opens is
// recorded.
class FormFixture {
public:
    explicit FormFixture(const QString& registryHost = QString::fromUtf8(TestHost));

    // The folder with its trailing separator.
    QString Folder() const;
    MainWindow& Window() { return *window_; }
    TMainForm& Form() { return window_->Form(); }
    QList<QUrl> Opened() const { return opened_.Urls(); }

    // Shows the window; its start-up runs inside.
    void Show();

    void WriteFile(const QString& name, const QByteArray& bytes) const;
    // The bytes of a file of the folder; empty when it does not exist.
    QByteArray ReadFile(const QString& name) const;
    // Names of the files of the folder that match `pattern` (e.g. "log-*.txt").
    QStringList Files(const QString& pattern) const;

private:
    QTemporaryDir directory_;
    OpenedUrls opened_;
    std::unique_ptr<MainWindow> window_;
};

} // namespace ui::test

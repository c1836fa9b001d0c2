#include "tests/ui/qt/FormFixture.h"

#include "ui/SystemRunClock.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QMutexLocker>
#include <QTest>

namespace ui::test {

OpenedUrls::OpenedUrls()
{
    for (const char* scheme : {"https", "file"}) {
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "Open");
    }
}

OpenedUrls::~OpenedUrls()
{
    for (const char* scheme : {"https", "file"}) {
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
}

QList<QUrl> OpenedUrls::Urls() const
{
    const QMutexLocker lock(&mutex_);
    return urls_;
}

void OpenedUrls::Open(const QUrl& url)
{
    const QMutexLocker lock(&mutex_);
    urls_.append(url);
}

FormFixture::FormFixture(const QString& registryHost)
{
    MainFormSettings settings;
    settings.programFolder = Folder().toStdU16String();
    settings.executableFolder = settings.programFolder;
    settings.registryHost = registryHost.toStdU16String();
    settings.tlsLibraryFound = [] { return true; };
    settings.clock = SystemRunClock();
    window_ = std::make_unique<MainWindow>(std::move(settings));
}

QString FormFixture::Folder() const
{
    return directory_.path() + QLatin1Char('/');
}

void FormFixture::Show()
{
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void FormFixture::WriteFile(const QString& name, const QByteArray& bytes) const
{
    QFile file(Folder() + name);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray FormFixture::ReadFile(const QString& name) const
{
    QFile file(Folder() + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList FormFixture::Files(const QString& pattern) const
{
    return QDir(directory_.path()).entryList({pattern}, QDir::Files);
}

} // namespace ui::test

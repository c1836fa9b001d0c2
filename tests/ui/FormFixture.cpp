#include "tests/ui/FormFixture.h"

#include "ui/SystemRunClock.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace ui::test {

FormFixture::FormFixture(const QString& registryHost)
{
    MainFormSettings settings;
    settings.programFolder = Folder();
    settings.registryHost = registryHost;
    settings.open = [opened = opened_](const QUrl& url) { opened->append(url); };
    settings.tlsLibraryAvailable = [] { return true; };
    settings.clock = SystemRunClock();
    form_ = std::make_unique<TMainForm>(std::move(settings));
}

QString FormFixture::Folder() const
{
    return directory_.path() + QLatin1Char('/');
}

void FormFixture::Show()
{
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
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

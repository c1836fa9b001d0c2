#pragma once

#include "ui/MainForm.h"

#include <QByteArray>
#include <QList>
#include <QTemporaryDir>
#include <QUrl>

#include <memory>

namespace ui::test {

inline constexpr char TestHost[] = "registry.example.org";

// A main window whose program folder is a fresh temporary folder; what it opens is recorded.
class FormFixture {
public:
    explicit FormFixture(const QString& registryHost = QString::fromUtf8(TestHost));

    // The folder with its trailing separator.
    QString Folder() const;
    TMainForm& Form() { return *form_; }
    const QList<QUrl>& Opened() const { return *opened_; }

    // Shows the window; its start-up runs inside.
    void Show();

    void WriteFile(const QString& name, const QByteArray& bytes) const;
    // The bytes of a file of the folder; empty when it does not exist.
    QByteArray ReadFile(const QString& name) const;
    // Names of the files of the folder that match `pattern` (e.g. "log-*.txt").
    QStringList Files(const QString& pattern) const;

private:
    QTemporaryDir directory_;
    std::shared_ptr<QList<QUrl>> opened_ = std::make_shared<QList<QUrl>>();
    std::unique_ptr<TMainForm> form_;
};

} // namespace ui::test

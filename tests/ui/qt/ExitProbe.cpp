// A program like the real one, for ProgramExitTest: its window on a fake registry whose
// member info request never answers. It starts a run, closes the window while that request is
// under way and ends through the program's own message loop.
#include "tests/support/FakeRegistry.h"
#include "ui/qt/Application.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/MainLoop.h"
#include "ui/SystemRunClock.h"

#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTimer>

#include <algorithm>

using testsupport::FakeRegistry;

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ui::Application application(argc, argv, QStringLiteral("Парсер probe"));
    if (argc < 2) {
        return 2;
    }

    FakeRegistry registry;
    testsupport::FakeMember member;
    member.id = "1";
    registry.AddSro("7", {member});
    testsupport::ScriptedAnswer silent;
    silent.misbehaviour = testsupport::Misbehaviour::NeverAnswer;
    registry.FailAlways(FakeRegistry::MemberInfoPath("1"), std::nullopt, silent);

    ui::MainFormSettings settings;
    settings.programFolder = QString::fromLocal8Bit(argv[1]).toStdU16String();
    settings.executableFolder = settings.programFolder;
    settings.registryHost = QString::fromStdString(registry.HostAndPort()).toStdU16String();
    settings.tlsLibraryFound = [] { return true; };
    settings.clock = ui::SystemRunClock();
    ui::MainWindow form(std::move(settings));
    form.IntervalSpinEdit->setValue(0);

    QTimer::singleShot(0, &form, [&] {
        form.UrlsMemo->setPlainText(QString::fromStdString(registry.SroLink("7")));
        form.Form().StartButtonClick();
    });
    QTimer closer;
    int polls = 0;
    QObject::connect(&closer, &QTimer::timeout, &form, [&] {
        const std::vector<testsupport::RecordedRequest> requests = registry.Server().Requests();
        const bool infoUnderWay =
            std::any_of(requests.begin(), requests.end(), [](const auto& request) {
                return request.Path() == FakeRegistry::MemberInfoPath("1");
            });
        if (infoUnderWay || ++polls > 500) {
            closer.stop();
            form.close();
        }
    });
    closer.start(10);
    return ui::RunMainLoop(form);
}

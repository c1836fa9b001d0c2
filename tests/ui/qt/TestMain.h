#pragma once

#include "ui/ErrorBox.h"
#include "ui/qt/Application.h"

#include <QTest>

// A Qt Test main on the offscreen platform, with the program's own application object so that
// exceptions escaping a handler reach the default error box as in the program.
#define SRO_UI_TEST_MAIN(TestClass)                                                                \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                   \
        ui::Application application(                                                              \
            argc, argv, QString::fromStdU16String(ui::ApplicationTitle(u"Registry.Example.org"))); \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

#include "ui/StartupChecks.h"

#include <QStringList>

namespace ui {

namespace {

const QString ExtractHint =
    QStringLiteral("Для корректной работы программы извлеките файлы программы из архива в "
                   "отдельную папку. Это можно сделать, кликнув правой кнопкой мыши на архиве "
                   "и выбрав пункт меню \"Извлечь все\"");

} // namespace

StartupProblem CheckStartup(const QString& programFolder, bool tlsLibraryAvailable)
{
    // The archiver names its extraction folders with this exact letter case.
    if (programFolder.contains(QStringLiteral("Rar$"), Qt::CaseSensitive)) {
        return StartupProblem::StartedInsideArchive;
    }
    if (programFolder.contains(QStringLiteral("/temp/"), Qt::CaseInsensitive)) {
        return StartupProblem::StartedFromTempFolder;
    }
    if (!tlsLibraryAvailable) {
        return StartupProblem::TlsLibraryMissing;
    }
    return StartupProblem::None;
}

QString StartupProblemText(StartupProblem problem)
{
    QStringList lines;
    switch (problem) {
    case StartupProblem::None:
        break;
    case StartupProblem::StartedInsideArchive:
        lines = {QStringLiteral("Вы запустили программу изнутри архива!"), ExtractHint};
        break;
    case StartupProblem::StartedFromTempFolder:
        lines = {QStringLiteral("Программа запущена из временной папки!"),
                 QStringLiteral("Скорее всего, Вы запустили программу изнутри архива."),
                 ExtractHint};
        break;
    case StartupProblem::TlsLibraryMissing:
        lines = {QStringLiteral("Программа не обнаружила необходимые для работы файлы!"),
                 QStringLiteral("Вероятно, Вы запустили программу изнутри архива!"), ExtractHint};
        break;
    }
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace ui

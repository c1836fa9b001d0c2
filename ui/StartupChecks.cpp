#include "ui/StartupChecks.h"

#include "ui/platform/ProgramFolderRules.h"

#include <algorithm>

namespace ui {

namespace {

constexpr std::u16string_view ExtractHint =
    u"Для корректной работы программы извлеките файлы программы из архива в отдельную папку. "
    u"Это можно сделать, кликнув правой кнопкой мыши на архиве и выбрав пункт меню "
    u"\"Извлечь все\"";

char16_t AsciiLower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

} // namespace

StartupProblem CheckStartup(std::u16string_view programFolder, bool tlsLibraryFound)
{
    // The archiver names its extraction folders with this exact letter case.
    if (programFolder.find(u"Rar$") != std::u16string_view::npos) {
        return StartupProblem::StartedInsideArchive;
    }
    std::u16string folder(programFolder);
    std::transform(folder.begin(), folder.end(), folder.begin(), AsciiLower);
    const std::u16string tempFolder = PathSeparator() + std::u16string(u"temp") + PathSeparator();
    if (folder.find(tempFolder) != std::u16string::npos) {
        return StartupProblem::StartedFromTempFolder;
    }
    if (!tlsLibraryFound) {
        return StartupProblem::TlsLibraryMissing;
    }
    return StartupProblem::None;
}

std::u16string StartupProblemText(StartupProblem problem)
{
    const std::u16string hint(ExtractHint);
    switch (problem) {
    case StartupProblem::None:
        break;
    case StartupProblem::StartedInsideArchive:
        return u"Вы запустили программу изнутри архива!\r\n" + hint;
    case StartupProblem::StartedFromTempFolder:
        return u"Программа запущена из временной папки!\r\n"
               u"Скорее всего, Вы запустили программу изнутри архива.\r\n" +
               hint;
    case StartupProblem::TlsLibraryMissing:
        return u"Программа не обнаружила необходимые для работы файлы!\r\n"
               u"Вероятно, Вы запустили программу изнутри архива!\r\n" +
               hint;
    }
    return {};
}

} // namespace ui

// The program started from folders that fail a start-up check: its box, captioned
// "Внимание!" without an icon, and after OK the end of the process with exit code 0, before
// urls.txt is read or written. And the default error box of an error no handler catches.
#include "tests/win32/ProgramProcess.h"
#include "tests/win32/WindowFixture.h"
#include "ui/BuildRegistryHost.h"
#include "ui/ErrorBox.h"
#include "ui/win32/WideText.h"

#include <gtest/gtest.h>

#include <fstream>

namespace ui::win32::test {
namespace {

const std::wstring ExtractHint =
    L"Для корректной работы программы извлеките файлы программы из архива в отдельную папку. "
    L"Это можно сделать, кликнув правой кнопкой мыши на архиве и выбрав пункт меню "
    L"\"Извлечь все\"";

const std::wstring InsideArchive = L"Вы запустили программу изнутри архива!\r\n" + ExtractHint;
const std::wstring TempFolder = L"Программа запущена из временной папки!\r\n"
                                L"Скорее всего, Вы запустили программу изнутри архива.\r\n" +
                                ExtractHint;
const std::wstring FilesMissing = L"Программа не обнаружила необходимые для работы файлы!\r\n"
                                  L"Вероятно, Вы запустили программу изнутри архива!\r\n" +
                                  ExtractHint;

struct StartupCase {
    const char* name;
    const wchar_t* subfolder;
    bool withTlsLibraries;
    const std::wstring* box; // null: no box, the window comes up
};

const StartupCase Cases[] = {
    {"InsideArchive", L"Rar$EXa1234.5678\\sro", true, &InsideArchive},
    {"ArchiveAndTempShowOnlyTheFirst", L"Temp\\Rar$DIa0.1", true, &InsideArchive},
    {"TempFolder", L"Temp\\sro", true, &TempFolder},
    {"TempInAnyLetterCase", L"tEMP\\sro", true, &TempFolder},
    {"TlsLibraryMissing", L"sro", false, &FilesMissing},
    {"ArchiveNameInOtherLetterCaseIsNoArchive", L"rar$exa1\\sro", true, nullptr},
};

class StartupBoxTest : public testing::TestWithParam<StartupCase> {};

TEST_P(StartupBoxTest, ShowsItsBoxAndEndsAfterOk)
{
    const StartupCase& startup = GetParam();
    TestFolder root;
    const std::filesystem::path folder = std::filesystem::path(root.Path()) / startup.subfolder;
    InstallProgram(folder, startup.withTlsLibraries);
    ProgramProcess program(folder);

    if (startup.box == nullptr) {
        ASSERT_NE(program.WaitForMainWindow(), nullptr);
        PostMessageW(program.WaitForMainWindow(), WM_CLOSE, 0, 0);
        EXPECT_EQ(program.WaitForExit(), 0u);
        EXPECT_TRUE(std::filesystem::exists(folder / L"urls.txt")) << "saved when it closed";
        return;
    }
    HWND box = program.WaitForWindow(L"#32770", L"Внимание!");
    ASSERT_NE(box, nullptr);
    const MessageBoxContent content = ReadMessageBox(box);
    EXPECT_EQ(content.text, *startup.box);
    EXPECT_FALSE(content.hasIcon);
    PressOk(box);
    EXPECT_EQ(program.WaitForExit(), 0u);
    EXPECT_FALSE(std::filesystem::exists(folder / L"urls.txt")) << "FormClose must not run";
}

INSTANTIATE_TEST_SUITE_P(Folders, StartupBoxTest, testing::ValuesIn(Cases),
                         [](const auto& row) { return std::string(row.param.name); });

// urls.txt held open without sharing by another program: neither read nor written.
class LockedFile {
public:
    explicit LockedFile(const std::filesystem::path& path)
        : handle_(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ~LockedFile() { Release(); }
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Release()
    {
        if (Held()) {
            CloseHandle(handle_);
            handle_ = INVALID_HANDLE_VALUE;
        }
    }

private:
    HANDLE handle_;
};

TEST(DefaultErrorBox, ShowsAnUncaughtErrorAndAFailedSaveKeepsTheWindowOpen)
{
    TestFolder root;
    const std::filesystem::path folder = std::filesystem::path(root.Path()) / L"sro";
    InstallProgram(folder);
    LockedFile links(folder / L"urls.txt");
    ASSERT_TRUE(links.Held());
    ProgramProcess program(folder);
    const std::string_view host = BuildRegistryHost;
    const std::wstring title = Wide(ApplicationTitle(std::u16string(host.begin(), host.end())));

    HWND readError = program.WaitForWindow(L"#32770", title);
    ASSERT_NE(readError, nullptr);
    const MessageBoxContent content = ReadMessageBox(readError);
    EXPECT_TRUE(content.hasIcon);
    ASSERT_FALSE(content.text.empty());
    EXPECT_LE(content.text.back(), L'.') << "the full stop rule";
    PressOk(readError);

    HWND window = program.WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_CLOSE, 0, 0);
    HWND writeError = program.WaitForWindow(L"#32770", title);
    ASSERT_NE(writeError, nullptr);
    PressOk(writeError);
    EXPECT_EQ(program.WaitForExit(std::chrono::milliseconds(500)), static_cast<DWORD>(STILL_ACTIVE))
        << "the window stays open";

    links.Release();
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
    EXPECT_GT(std::filesystem::file_size(folder / L"urls.txt"), 0u) << "the link list saved";
}

} // namespace
} // namespace ui::win32::test

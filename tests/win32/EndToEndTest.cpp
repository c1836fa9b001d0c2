// The Windows program, built for a registry on 127.0.0.1, driven from outside through its
// window: a run whose result file must equal the Linux edition's byte for byte, a collection of
// all SRO links, a stop and closing the window during a run. scripts/test-windows-end-to-end.sh
// starts the registry simulator and makes the Linux edition's result file first.
#include "tests/win32/ProgramProcess.h"
#include "tests/win32/WindowFixture.h"
#include "ui/BuildRegistryHost.h"
#include "ui/win32/Win32MainWindow.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <regex>
#include <set>
#include <sstream>
#include <thread>

namespace ui::win32::test {
namespace {

namespace fs = std::filesystem;

// Bounds that only keep a broken program from hanging the test; never a measure of speed.
constexpr std::chrono::minutes RunLimit(4);
constexpr std::chrono::seconds StepLimit(60);

std::string FileBytes(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// The Linux edition's result file for the same registry answers.
std::string LinuxResult()
{
    const char* path = std::getenv("SRO_E2E_LINUX_RESULT");
    if (path == nullptr) {
        return {};
    }
    std::wstring windowsPath = L"Z:";
    for (const char* character = path; *character != '\0'; ++character) {
        windowsPath += *character == '/' ? L'\\' : static_cast<wchar_t>(*character);
    }
    return FileBytes(windowsPath);
}

std::vector<fs::path> FilesLike(const fs::path& folder, const std::wstring& prefix,
                                const std::wstring& extension)
{
    std::vector<fs::path> found;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        const std::wstring name = entry.path().filename().wstring();
        if (name.starts_with(prefix) && name.ends_with(extension)) {
            found.push_back(entry.path());
        }
    }
    return found;
}

class EndToEndTest : public testing::Test {
protected:
    void SetUp() override
    {
        reference_ = LinuxResult();
        ASSERT_FALSE(reference_.empty()) << "SRO_E2E_LINUX_RESULT names no result file";
        InstallProgram(folder_);
        program_ = std::make_unique<ProgramProcess>(folder_);
        window_ = program_->WaitForMainWindow();
        ASSERT_NE(window_, nullptr);
    }

    HWND Item(Control control) const { return GetDlgItem(window_, ItemId(control)); }

    void Press(Control button) const { PostMessageW(Item(button), BM_CLICK, 0, 0); }

    std::wstring Log() const
    {
        // Asked with a time-out: the window may be busy in a request of its own.
        DWORD_PTR length = 0;
        SendMessageTimeoutW(Item(Control::LogsMemo), WM_GETTEXTLENGTH, 0, 0, SMTO_BLOCK, 5000,
                            &length);
        std::wstring text(length + 1, L'\0');
        DWORD_PTR copied = 0;
        SendMessageTimeoutW(Item(Control::LogsMemo), WM_GETTEXT, text.size(),
                            reinterpret_cast<LPARAM>(text.data()), SMTO_BLOCK, 5000, &copied);
        text.resize(copied);
        return text;
    }

    static bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit)
    {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (!condition()) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return true;
    }

    bool WaitForLog(const std::wstring& text, std::chrono::milliseconds limit) const
    {
        return WaitUntil([&] { return Log().find(text) != std::wstring::npos; }, limit);
    }

    // Presses START and waits until the run has begun (START disabled).
    void StartRun() const
    {
        Press(Control::StartButton);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindowEnabled(Item(Control::StartButton)); },
                              StepLimit));
    }

    bool WaitForRunEnd(std::chrono::milliseconds limit) const
    {
        return WaitUntil([&] { return IsWindowEnabled(Item(Control::StartButton)) != FALSE; },
                         limit);
    }

    void CloseWindow() const
    {
        PostMessageW(window_, WM_CLOSE, 0, 0);
        EXPECT_EQ(program_->WaitForExit(StepLimit), 0u);
    }

    // The result file of the one run, read once the program is done with it.
    std::string Result() const
    {
        const std::vector<fs::path> results = FilesLike(folder_, L"data", L".csv");
        EXPECT_EQ(results.size(), 1u);
        return results.empty() ? std::string() : FileBytes(results.front());
    }

    TestFolder root_;
    const fs::path folder_ = fs::path(root_.Path()) / L"sro";
    std::string reference_;
    std::unique_ptr<ProgramProcess> program_;
    HWND window_ = nullptr;
};

TEST_F(EndToEndTest, ARunWritesTheSameResultFileAsTheLinuxEdition)
{
    StartRun();
    ASSERT_TRUE(WaitForRunEnd(RunLimit));
    EXPECT_NE(Log().find(L"Работа завершена"), std::wstring::npos);
    CloseWindow();

    EXPECT_EQ(Result(), reference_);
    const std::vector<fs::path> logs = FilesLike(folder_, L"log-", L".txt");
    ASSERT_EQ(logs.size(), 1u);
    // The log file in the ANSI code page, Windows Cyrillic here: "Работа завершена".
    EXPECT_NE(FileBytes(logs.front()).find("\xD0\xE0\xE1\xEE\xF2\xE0 \xE7\xE0\xE2\xE5\xF0\xF8\xE5\xED\xE0"),
              std::string::npos);
}

TEST_F(EndToEndTest, StopEndsTheRunWithThePartOfTheResultWrittenSoFar)
{
    StartRun();
    ASSERT_TRUE(WaitForLog(L"Добавлено в базу: ", StepLimit));
    Press(Control::StopButton);
    ASSERT_TRUE(WaitForRunEnd(StepLimit));
    const std::wstring log = Log();
    const std::size_t stopped = log.find(L"Останавливаем работу");
    ASSERT_NE(stopped, std::wstring::npos);
    EXPECT_NE(log.find(L"Работа завершена", stopped), std::wstring::npos);
    CloseWindow();

    const std::string result = Result();
    EXPECT_LT(result.size(), reference_.size());
    EXPECT_TRUE(reference_.starts_with(result));
    EXPECT_EQ(FilesLike(folder_, L"log-", L".txt").size(), 1u);
}

TEST_F(EndToEndTest, ClosingTheWindowDuringARunEndsTheProgramWithoutALogFile)
{
    StartRun();
    ASSERT_TRUE(WaitForLog(L"Добавлено в базу: ", StepLimit));
    CloseWindow();

    EXPECT_TRUE(FilesLike(folder_, L"log-", L".txt").empty());
    EXPECT_TRUE(fs::is_regular_file(folder_ / L"urls.txt"));
    EXPECT_TRUE(reference_.starts_with(Result()));
}

TEST_F(EndToEndTest, ACollectionFillsTheLinkListWithEverySroAndClosingSavesIt)
{
    Press(Control::Button1);
    ASSERT_TRUE(WaitForLog(L"Все ссылки на СРО загружены: ", StepLimit));
    const std::wstring log = Log();
    const std::size_t countAt = log.find(L"Все ссылки на СРО загружены: ");
    const int count = std::stoi(log.substr(countAt + std::wstring(L"Все ссылки на СРО загружены: ").size()));
    const std::wstring links = WindowText(Item(Control::UrlsMemo));

    const std::string_view host = BuildRegistryHost;
    const std::wregex link(L"https://" + std::wstring(host.begin(), host.end()) +
                           L"/sro/([0-9]+)/member/list");
    std::set<std::wstring> ids;
    std::wistringstream lines(links);
    int lineCount = 0;
    for (std::wstring line; std::getline(lines, line, L'\n'); ++lineCount) {
        if (!line.empty() && line.back() == L'\r') {
            line.pop_back();
        }
        std::wsmatch match;
        ASSERT_TRUE(std::regex_match(line, match, link)) << "line " << lineCount;
        ids.insert(match[1]);
    }
    EXPECT_EQ(lineCount, count);
    EXPECT_EQ(ids.size(), static_cast<std::size_t>(count)) << "every SRO once";
    EXPECT_TRUE(ids.contains(L"322"));
    EXPECT_GT(count, 1);
    CloseWindow();

    // Saved as the field holds it, CR LF between lines, no mark, no break after the last.
    EXPECT_EQ(FileBytes(folder_ / L"urls.txt"), std::string(links.begin(), links.end()));
}

} // namespace
} // namespace ui::win32::test

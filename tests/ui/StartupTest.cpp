// Start-up: the checks of the program's folder, their message boxes, and the greeting.
#include "tests/ui/CaseName.h"
#include "tests/ui/FormFixture.h"
#include "ui/StartupChecks.h"
#include "ui/platform/ProgramFolderRules.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace ui::test {
namespace {

const std::u16string ExtractHint =
    u"Для корректной работы программы извлеките файлы программы из архива в отдельную папку. "
    u"Это можно сделать, кликнув правой кнопкой мыши на архиве и выбрав пункт меню "
    u"\"Извлечь все\"";
const std::u16string Greeting = u"Спасибо, что пользуетесь парсером от сервиса Verdanix!";

// A folder path written with "/", in the platform's separators.
std::u16string PlatformPath(std::u16string_view path)
{
    std::u16string platformPath(path);
    std::replace(platformPath.begin(), platformPath.end(), u'/', PathSeparator());
    return platformPath;
}

struct CheckCase {
    const char* name;
    std::u16string_view folder;
    bool tlsLibraryFound;
    StartupProblem problem;
};

class StartupCheckTest : public testing::TestWithParam<CheckCase> {};

TEST_P(StartupCheckTest, FindsTheFirstProblem)
{
    const CheckCase& check = GetParam();
    EXPECT_EQ(CheckStartup(PlatformPath(check.folder), check.tlsLibraryFound), check.problem);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, StartupCheckTest,
    testing::Values(
        CheckCase{"ordinary_folder", u"/home/user/parser/", true, StartupProblem::None},
        CheckCase{"archive_folder", u"/tmp/Rar$EXa1.234/", true,
                  StartupProblem::StartedInsideArchive},
        CheckCase{"archive_folder_in_lower_case_is_not_one", u"/home/rar$exa1/", true,
                  StartupProblem::None},
        CheckCase{"Temp_folder", u"/home/user/Temp/parser/", true,
                  StartupProblem::StartedFromTempFolder},
        CheckCase{"TEMP_in_capitals", u"/TEMP/", true, StartupProblem::StartedFromTempFolder},
        CheckCase{"temp_as_the_last_folder", u"/home/user/temp/", true,
                  StartupProblem::StartedFromTempFolder},
        CheckCase{"temp_only_as_part_of_a_name", u"/home/tempo/mytemp/", true,
                  StartupProblem::None},
        CheckCase{"archive_wins_over_Temp", u"/home/Temp/Rar$EX/", true,
                  StartupProblem::StartedInsideArchive},
        CheckCase{"Temp_wins_over_missing_TLS", u"/Temp/", false,
                  StartupProblem::StartedFromTempFolder},
        CheckCase{"TLS_library_missing", u"/opt/parser/", false,
                  StartupProblem::TlsLibraryMissing}),
    CaseName<CheckCase>);

struct BoxCase {
    const char* name;
    std::string subfolder;
    bool tlsLibraryFound;
    std::u16string text;
};

class StartupBoxTest : public testing::TestWithParam<BoxCase> {};

// A failed check shows its box and closes the window: urls.txt is neither loaded nor saved.
TEST_P(StartupBoxTest, ShowsBoxAndClosesWithoutUrlsFile)
{
    const BoxCase& check = GetParam();
    FormFixture fixture(TestHost, check.subfolder);
    fixture.tlsLibraryFound = check.tlsLibraryFound;
    fixture.WriteFile("urls.txt", "https://registry.example.org/sro/1/member/list");
    fixture.Show();

    ASSERT_EQ(fixture.View().messageBoxes.size(), 1u);
    const FakeView::MessageBox& box = fixture.View().messageBoxes.front();
    EXPECT_EQ(box.caption, u"Внимание!");
    EXPECT_EQ(box.text, check.text);
    EXPECT_EQ(box.icon, MessageBoxIcon::None);
    EXPECT_TRUE(fixture.Form().StartupFailed());
    EXPECT_TRUE(fixture.View().windowClosed);
    EXPECT_EQ(fixture.View().Field(Control::UrlsMemo),
              u"https://registry.example.org/sro/322/member/list");
    EXPECT_EQ(fixture.View().Field(Control::LogsMemo), u"");

    EXPECT_TRUE(fixture.Form().FormClose());
    EXPECT_EQ(fixture.ReadFile("urls.txt"), "https://registry.example.org/sro/1/member/list");
    EXPECT_EQ(fixture.View().messageBoxes.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Problems, StartupBoxTest,
    testing::Values(BoxCase{"archive", "Rar$EX1", true,
                            u"Вы запустили программу изнутри архива!\r\n" + ExtractHint},
                    BoxCase{"temp", "Temp", true,
                            u"Программа запущена из временной папки!\r\nСкорее всего, Вы "
                            u"запустили программу изнутри архива.\r\n" +
                                ExtractHint},
                    BoxCase{"tls", "", false,
                            u"Программа не обнаружила необходимые для работы файлы!\r\n"
                            u"Вероятно, Вы запустили программу изнутри архива!\r\n" +
                                ExtractHint}),
    CaseName<BoxCase>);

struct FolderCase {
    const char* name;
    std::u16string_view executableFolder;
    std::string filesSubfolder;
    bool startupFails;
};

class StartupFolderTest : public testing::TestWithParam<FolderCase> {};

// The checks are about where the executable lies, whichever folder keeps the files.
TEST_P(StartupFolderTest, ChecksTheExecutableFolder)
{
    const FolderCase& folderCase = GetParam();
    FormFixture files(TestHost, folderCase.filesSubfolder);
    FakeView view(TestHost);
    MainFormSettings settings;
    settings.programFolder = files.Folder();
    settings.executableFolder = PlatformPath(folderCase.executableFolder);
    settings.tlsLibraryFound = [] { return true; };
    TMainForm form(view, std::move(settings));
    form.FormShow();
    EXPECT_EQ(form.StartupFailed(), folderCase.startupFails);
    EXPECT_EQ(view.messageBoxes.size(), folderCase.startupFails ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, StartupFolderTest,
    testing::Values(FolderCase{"executable_in_Temp", u"/home/user/Temp/parser/", "", true},
                    FolderCase{"executable_in_archive", u"/home/user/Rar$EX1/", "", true},
                    FolderCase{"files_in_a_temp_folder", u"/usr/bin/", "temp", false}),
    CaseName<FolderCase>);

TEST(StartupTest, PassedChecksGreetAndLoadUrlsFile)
{
    FormFixture fixture;
    fixture.WriteFile("urls.txt", "https://a/sro/1/member/list\r\nsecond");
    fixture.Show();
    EXPECT_TRUE(fixture.View().messageBoxes.empty());
    EXPECT_FALSE(fixture.Form().StartupFailed());
    EXPECT_FALSE(fixture.View().windowClosed);
    EXPECT_EQ(fixture.View().Field(Control::LogsMemo), Greeting + u"\n");
    EXPECT_EQ(fixture.View().Field(Control::UrlsMemo), u"https://a/sro/1/member/list\nsecond");
}

} // namespace
} // namespace ui::test

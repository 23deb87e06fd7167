// Start-up: the single-instance guard, finding the configuration file and the title.

#include "Distribution.h"
#include "Expect.h"

#include <gtest/gtest.h>

namespace {

using uidriver::Process;

const std::wstring kOnePackage = L"[Driver]\r\nInfFilename=device.inf\r\n";

TEST(Startup, MissingConfigurationFileIsReportedByNameOnly) {
    Distribution dist;
    Process setup = dist.Start();
    ExpectErrorBox(setup, L"Driver installer",
                   L"File required for installing driver is not found.\r\n\"Setup.ini\"");
    ExpectEndsSilently(setup, ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(dist.LibraryCalls().empty());
}

// Which title a configuration gives: the caption of the completion box.
struct TitleCase {
    const char* name;
    std::wstring exeName;
    std::wstring languageSections;
    std::wstring caption;
    std::wstring completed = L"Install completed.";
};

void PrintTo(const TitleCase& c, std::ostream* os) {
    *os << c.name;
}

class Title : public testing::TestWithParam<TitleCase> {};

TEST_P(Title, IsTheCaptionOfTheCompletionBox) {
    Distribution dist(GetParam().exeName);
    dist.WriteIni(GetParam().languageSections + kOnePackage);
    dist.WriteInf(L"device.inf");
    Process setup = dist.Start();
    ExpectCompletionBox(setup, GetParam().caption, GetParam().completed);
    ExpectEndsSilently(setup, ERROR_SUCCESS);
}

const auto kCaseName = [](const auto& info) { return std::string(info.param.name); };

// Run with US English settings (system language 0x0409).
INSTANTIATE_TEST_SUITE_P(
    English, Title,
    testing::Values(
        // The configuration file follows the executable's name and folder, whatever the
        // working directory was.
        TitleCase{"RenamedExecutable", L"driver.setup.exe", L"[0x0000]\r\nTitle=Renamed Setup\r\n",
                  L"Renamed Setup"},
        TitleCase{"EmptyInTheLanguageSection", L"Setup.exe",
                  L"[0x0409]\r\nTitle=\r\n[0x0000]\r\nTitle=Default title\r\n", L""},
        TitleCase{"Absent", L"Setup.exe", L"[0x0000]\r\nLicenseFile=\r\n", L""},
        TitleCase{"CutToFitItsBuffer", L"Setup.exe",
                  L"[0x0000]\r\nTitle=" + std::wstring(300, L'T') + L"\r\n",
                  std::wstring(259, L'T')}),
    kCaseName);

// Run with Japanese settings (system language 0x0411): the string table's texts are the
// Japanese ones.
INSTANTIATE_TEST_SUITE_P(Japanese, Title,
                         testing::Values(TitleCase{
                             "LanguageSectionWins", L"Setup.exe",
                             L"[0x0000]\r\nTitle=Default title\r\n[0x0411]\r\n"
                             L"Title=日本語のタイトル\r\n",
                             L"日本語のタイトル", L"ドライバのインストールが完了しました。"}),
                         kCaseName);

// Run with British English settings (system language 0x0809): there is no fallback to
// the section of another English.
INSTANTIATE_TEST_SUITE_P(British, Title,
                         testing::Values(TitleCase{
                             "OnlyTheDefaultSectionApplies", L"Setup.exe",
                             L"[0x0409]\r\nTitle=American\r\n[0x0000]\r\nTitle=Default title\r\n",
                             L"Default title"}),
                         kCaseName);

TEST(Startup, SecondCopyEndsWithoutAWindow) {
    Distribution dist;
    dist.WriteIni(L"[0x0000]\r\nTitle=First\r\n" + kOnePackage);
    dist.WriteInf(L"device.inf");
    Process first = dist.Start();
    const auto box = NextBox(first);
    ASSERT_TRUE(box);
    ASSERT_EQ(box->MessageText(), L"Install completed.");

    Process second = dist.Start();
    EXPECT_EQ(second.WaitExit(), ERROR_INSTALL_ALREADY_RUNNING);
    EXPECT_FALSE(second.WaitForNextWindow(0));

    uidriver::Press(*box, IDOK);
    ExpectEndsSilently(first, ERROR_SUCCESS);

    // Once the first copy has ended, a new one runs normally.
    Process third = dist.Start();
    ExpectCompletionBox(third, L"First", L"Install completed.");
    ExpectEndsSilently(third, ERROR_SUCCESS);
}

// Run with Japanese language settings.
TEST(JapaneseStartup, MissingConfigurationFileInJapanese) {
    Distribution dist;
    Process setup = dist.Start();
    ExpectErrorBox(
        setup, L"ドライバ インストーラ",
        L"ドライバのインストールに必要なファイルが見つかりませんでした。\r\n\"Setup.ini\"");
    ExpectEndsSilently(setup, ERROR_FILE_NOT_FOUND);
}

} // namespace

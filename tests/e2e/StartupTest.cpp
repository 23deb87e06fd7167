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

TEST(Startup, RenamedExecutableReadsItsOwnConfigurationFromItsOwnFolder) {
    Distribution dist(L"driver.setup.exe");
    dist.WriteIni(L"[0x0000]\r\nTitle=Renamed Setup\r\n" + kOnePackage);
    dist.WriteInf(L"device.inf");
    Process setup = dist.Start();
    ExpectCompletionBox(setup, L"Renamed Setup", L"Install completed.");
    ExpectEndsSilently(setup, ERROR_SUCCESS);
}

TEST(Startup, NoTitleAnywhereGivesAnEmptyCaption) {
    Distribution dist;
    dist.WriteIni(L"[0x0409]\r\nTitle=\r\n[0x0000]\r\nTitle=Default title\r\n" + kOnePackage);
    dist.WriteInf(L"device.inf");
    Process setup = dist.Start();
    ExpectCompletionBox(setup, L"", L"Install completed.");
    ExpectEndsSilently(setup, ERROR_SUCCESS);
}

TEST(Startup, OverlongTitleIsCutToFitTheTitleBuffer) {
    Distribution dist;
    dist.WriteIni(L"[0x0000]\r\nTitle=" + std::wstring(300, L'T') + L"\r\n" + kOnePackage);
    dist.WriteInf(L"device.inf");
    Process setup = dist.Start();
    ExpectCompletionBox(setup, std::wstring(259, L'T'), L"Install completed.");
    ExpectEndsSilently(setup, ERROR_SUCCESS);
}

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

// Run with Japanese language settings (system language 0x0411).
TEST(JapaneseStartup, TextsAndTitleFollowTheLanguage) {
    Distribution dist;
    dist.WriteIni(L"[0x0000]\r\nTitle=Default title\r\n[0x0411]\r\nTitle=日本語のタイトル\r\n" +
                  kOnePackage);
    dist.WriteInf(L"device.inf");
    Process setup = dist.Start();
    ExpectCompletionBox(setup, L"日本語のタイトル", L"ドライバのインストールが完了しました。");
    ExpectEndsSilently(setup, ERROR_SUCCESS);
}

TEST(JapaneseStartup, MissingConfigurationFileInJapanese) {
    Distribution dist;
    Process setup = dist.Start();
    ExpectErrorBox(
        setup, L"ドライバ インストーラ",
        L"ドライバのインストールに必要なファイルが見つかりませんでした。\r\n\"Setup.ini\"");
    ExpectEndsSilently(setup, ERROR_FILE_NOT_FOUND);
}

// Run with British English settings (system language 0x0809): there is no fallback to
// the section of another English.
TEST(BritishStartup, OnlyTheDefaultSectionApplies) {
    Distribution dist;
    dist.WriteIni(L"[0x0409]\r\nTitle=American\r\n[0x0000]\r\nTitle=Default title\r\n" +
                  kOnePackage);
    dist.WriteInf(L"device.inf");
    Process setup = dist.Start();
    ExpectCompletionBox(setup, L"Default title", L"Install completed.");
    ExpectEndsSilently(setup, ERROR_SUCCESS);
}

} // namespace

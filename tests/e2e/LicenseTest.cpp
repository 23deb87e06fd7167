// The licence agreement: shown before anything is installed; only Yes goes on.

#include "Distribution.h"
#include "Expect.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using uidriver::Process;
using uidriver::Window;

const std::wstring kTitle = L"Licence test";
const std::wstring kLicence = L"LICENCE AGREEMENT\r\n\r\n1. First term.\r\n2. Second term: 日本語";

class License : public testing::Test {
protected:
    // Configures the licence file name, written with text unless text is null.
    void Configure(const std::wstring& file, const std::wstring* text = &kLicence) const {
        dist_.WriteIni(L"[0x0000]\r\nTitle=" + kTitle + L"\r\nLicenseFile=" + file +
                       L"\r\n[Driver]\r\nInfFilename=device.inf\r\n");
        dist_.WriteInf(L"device.inf");
        if (text)
            dist_.WriteUnicodeText(file, *text);
    }

    // The licence dialog, checked and left open.
    Window ExpectLicenceDialog(Process& setup, const std::wstring& text = kLicence) const {
        const auto dialog = setup.WaitForNextWindow();
        if (!dialog || !dialog->Find(IDC_LICENSE_TEXT)) {
            ADD_FAILURE() << "no licence dialog appeared";
            return {};
        }
        EXPECT_EQ(dialog->caption, kTitle);
        EXPECT_EQ(uidriver::Text(dialog->Find(IDC_LICENSE_TEXT)->hwnd), text);
        EXPECT_EQ(dialog->owner, nullptr);
        EXPECT_TRUE(dist_.LibraryCalls().empty()) << "nothing is installed before Yes";
        return *dialog;
    }

    Distribution dist_;
};

TEST_F(License, ShowsItsLocalisedTextsAndTheLicence) {
    Configure(L"license_en.txt");
    Process setup = dist_.Start();
    const Window dialog = ExpectLicenceDialog(setup);
    EXPECT_EQ(dialog.Find(IDC_LICENSE_INFO)->text,
              L"Please read the following license agreement. Press the PAGE DOWN key to see the "
              L"rest of the agreement.");
    EXPECT_EQ(dialog.Find(IDC_LICENSE_QUESTION)->text,
              L"Do you accept all of the terms of the preceding License Agreement? If you choose "
              L"No, Install will close. To install you must accept this agreement.");
    EXPECT_EQ(dialog.Find(IDOK)->text, L"&Yes");
    EXPECT_EQ(dialog.Find(IDCANCEL)->text, L"&No");

    const HWND box = dialog.Find(IDC_LICENSE_TEXT)->hwnd;
    EXPECT_EQ(uidriver::EditSelection(box).first, uidriver::EditSelection(box).second)
        << "nothing in the licence is selected when the dialog opens";
    const DWORD style = dialog.Find(IDC_LICENSE_TEXT)->style;
    EXPECT_TRUE(style & ES_READONLY);
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_FALSE(style & WS_HSCROLL);

    // Centred in the work area of the primary monitor.
    const RECT work = uidriver::WorkArea();
    const RECT& r = dialog.rect;
    EXPECT_LE(std::abs((r.left + r.right) - (work.left + work.right)), 2);
    EXPECT_LE(std::abs((r.top + r.bottom) - (work.top + work.bottom)), 2);

    ASSERT_TRUE(uidriver::Press(dialog, IDOK));
    ExpectCompletionBox(setup, kTitle, L"Install completed.");
    ExpectEndsSilently(setup, ERROR_SUCCESS);
    EXPECT_EQ(dist_.PreinstalledPaths().size(), 1u);
}

struct DeclineCase {
    const char* name;
    std::function<bool(const Window&)> decline;
};

void PrintTo(const DeclineCase& c, std::ostream* os) {
    *os << c.name;
}

class Decline : public License, public testing::WithParamInterface<DeclineCase> {};

TEST_P(Decline, EndsWithoutInstallingOrAnotherWindow) {
    Configure(L"license_en.txt");
    Process setup = dist_.Start();
    const Window dialog = ExpectLicenceDialog(setup);
    ASSERT_TRUE(GetParam().decline(dialog));
    ExpectEndsSilently(setup, ERROR_INSTALL_USEREXIT);
    EXPECT_TRUE(dist_.LibraryCalls().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, Decline,
    testing::Values(
        DeclineCase{"No", [](const Window& w) { return uidriver::Press(w, IDCANCEL); }},
        DeclineCase{"Escape", [](const Window& w) { return uidriver::SendKey(w.hwnd, VK_ESCAPE); }},
        DeclineCase{"CloseBox", [](const Window& w) { return uidriver::CloseBox(w.hwnd); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(License, MissingLicenceIsReportedByNameOnly) {
    Configure(L"docs\\license_en.txt", nullptr);
    Process setup = dist_.Start();
    ExpectErrorBox(setup, kTitle,
                   L"File required for installing driver is not found.\r\n\"license_en.txt\"");
    ExpectEndsSilently(setup, ERROR_FILE_NOT_FOUND);
}

TEST_F(License, OnlyAByteOrderMarkGivesAnEmptyBoxThatCanBeAccepted) {
    const std::wstring empty;
    Configure(L"license_en.txt", &empty);
    Process setup = dist_.Start();
    const Window dialog = ExpectLicenceDialog(setup, L"");
    ASSERT_TRUE(uidriver::Press(dialog, IDOK));
    ExpectCompletionBox(setup, kTitle, L"Install completed.");
    ExpectEndsSilently(setup, ERROR_SUCCESS);
}

TEST_F(License, LicenceHeldOpenForWritingOpensAnEmptyBox) {
    Configure(L"license_en.txt");
    const HANDLE writer =
        CreateFileW((dist_.Folder() + L"\\license_en.txt").c_str(), GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    Process setup = dist_.Start();
    const Window dialog = ExpectLicenceDialog(setup, L"");
    CloseHandle(writer);
    ASSERT_TRUE(uidriver::Press(dialog, IDCANCEL));
    ExpectEndsSilently(setup, ERROR_INSTALL_USEREXIT);
}

// Every step of a run in the order the user meets them: licence, notice, progress while
// two packages install, completion.
TEST_F(License, FullRunGoesThroughEveryWindowInOrder) {
    dist_.WriteIni(L"[0x0000]\r\nTitle=" + kTitle +
                   L"\r\nLicenseFile=license_en.txt\r\nMessageFile=notice.txt\r\n[Driver]\r\n"
                   L"InfFilename1=x86\\a.inf\r\nInfFilename2=x86\\b.inf\r\n");
    dist_.WriteUnicodeText(L"license_en.txt", kLicence);
    dist_.WriteUnicodeText(L"notice.txt", L"Unplug the device now.");
    dist_.WriteInf(L"x86\\a.inf");
    dist_.WriteInf(L"x86\\b.inf");
    dist_.PlanLibrary("delay 700\n");
    Process setup = dist_.Start();

    ASSERT_TRUE(uidriver::Press(ExpectLicenceDialog(setup), IDOK));
    const auto notice = setup.WaitForNextWindow();
    ASSERT_TRUE(notice && notice->IsMessageBox());
    EXPECT_EQ(notice->MessageText(), L"Unplug the device now.");
    EXPECT_TRUE(dist_.LibraryCalls().empty());
    ASSERT_TRUE(uidriver::Press(*notice, IDOK));

    const auto progress = setup.WaitForNextWindow();
    ASSERT_TRUE(progress && IsProgressWindow(*progress));
    EXPECT_EQ(progress->caption, kTitle);
    ExpectCompletionBox(setup, kTitle, L"Install completed.");
    ExpectEndsSilently(setup, ERROR_SUCCESS);
    EXPECT_EQ(dist_.PreinstalledPaths().size(), 2u);
}

// Run with Japanese language settings.
TEST(JapaneseLicense, TextsAndButtonsAreJapanese) {
    Distribution dist;
    dist.WriteIni(L"[0x0000]\r\nLicenseFile=license_en.txt\r\nTitle=Default\r\n[0x0411]\r\n"
                  L"LicenseFile=license_ja.txt\r\nTitle=日本語のタイトル\r\n"
                  L"[Driver]\r\nInfFilename=device.inf\r\n");
    dist.WriteUnicodeText(L"license_ja.txt", L"使用許諾契約書");
    dist.WriteInf(L"device.inf");
    Process setup = dist.Start();
    const auto dialog = setup.WaitForNextWindow();
    ASSERT_TRUE(dialog && dialog->Find(IDC_LICENSE_TEXT));
    EXPECT_EQ(dialog->caption, L"日本語のタイトル");
    EXPECT_EQ(uidriver::Text(dialog->Find(IDC_LICENSE_TEXT)->hwnd), L"使用許諾契約書");
    EXPECT_EQ(dialog->Find(IDC_LICENSE_INFO)->text,
              L"次の使用許諾契約をお読みください。PageDown キーを使ってスクロールしてください。");
    EXPECT_EQ(dialog->Find(IDC_LICENSE_QUESTION)->text,
              L"使用許諾契約に同意されますか？ ［いいえ］を選ぶとインストールを中止します。"
              L"インストールするには、この契約に同意してください。");
    EXPECT_EQ(dialog->Find(IDOK)->text, L"はい（&Y）");
    EXPECT_EQ(dialog->Find(IDCANCEL)->text, L"いいえ（&N）");
    ASSERT_TRUE(uidriver::Press(*dialog, IDCANCEL));
    ExpectEndsSilently(setup, ERROR_INSTALL_USEREXIT);
}

} // namespace

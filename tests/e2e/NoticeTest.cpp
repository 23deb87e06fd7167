// The notice step: the configured text in an OK/Cancel box before the installation.

#include "Distribution.h"
#include "Expect.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using uidriver::Process;
using uidriver::Window;

const std::wstring kTitle = L"Notice test";
const std::wstring kNoticeText = L"Please read this first.\r\nSecond line: 日本語";

class Notice : public testing::Test {
protected:
    void Configure(const std::wstring& messageFileLine) const {
        dist_.WriteIni(L"[0x0000]\r\nTitle=" + kTitle + L"\r\n" + messageFileLine +
                       L"[Driver]\r\nInfFilename=device.inf\r\n");
        dist_.WriteInf(L"device.inf");
    }
    // Shows the notice file notice.txt with kNoticeText.
    void ConfigureNotice() const {
        Configure(L"MessageFile=notice.txt\r\n");
        dist_.WriteUnicodeText(L"notice.txt", kNoticeText);
    }

    // The notice box, checked and left open; nothing is installed while it is open.
    Window ExpectNoticeBox(Process& setup) const {
        const auto box = setup.WaitForNextWindow();
        if (!box) {
            ADD_FAILURE() << "no notice box appeared";
            return {};
        }
        EXPECT_TRUE(box->IsMessageBox());
        EXPECT_EQ(box->caption, kTitle);
        EXPECT_EQ(box->MessageText(), kNoticeText);
        EXPECT_EQ(box->ButtonTexts(), (std::vector<std::wstring>{L"OK", L"Cancel"}));
        EXPECT_TRUE(dist_.LibraryCalls().empty());
        return *box;
    }

    Distribution dist_;
};

TEST_F(Notice, OkGoesOnToTheInstallation) {
    ConfigureNotice();
    Process setup = dist_.Start();
    const Window box = ExpectNoticeBox(setup);
    ASSERT_TRUE(uidriver::Press(box, IDOK));
    ExpectCompletionBox(setup, kTitle, L"Install completed.");
    ExpectEndsSilently(setup, ERROR_SUCCESS);
    EXPECT_EQ(dist_.PreinstalledPaths().size(), 1u);
}

TEST_F(Notice, EveryOtherWayOutEndsWithoutInstalling) {
    const struct {
        const char* what;
        std::function<bool(const Window&)> answer;
    } ways[] = {
        {"Cancel", [](const Window& box) { return uidriver::Press(box, IDCANCEL); }},
        {"Escape", [](const Window& box) { return uidriver::SendKey(box.hwnd, VK_ESCAPE); }},
        {"close box", [](const Window& box) { return uidriver::CloseBox(box.hwnd); }},
    };
    ConfigureNotice();
    for (const auto& way : ways) {
        SCOPED_TRACE(way.what);
        Process setup = dist_.Start();
        const Window box = ExpectNoticeBox(setup);
        ASSERT_TRUE(way.answer(box));
        ExpectEndsSilently(setup, ERROR_INSTALL_USEREXIT);
        EXPECT_TRUE(dist_.LibraryCalls().empty());
    }
}

TEST_F(Notice, MissingFileIsReportedByItsNameOnly) {
    Configure(L"MessageFile=docs\\notice.txt\r\n");
    Process setup = dist_.Start();
    ExpectErrorBox(setup, kTitle,
                   L"File required for installing driver is not found.\r\n\"notice.txt\"");
    ExpectEndsSilently(setup, ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(dist_.LibraryCalls().empty());
}

TEST_F(Notice, FileBeingWrittenIsReportedAsNotFound) {
    ConfigureNotice();
    const HANDLE writer = CreateFileW((dist_.Folder() + L"\\notice.txt").c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    const uidriver::UniqueHandle closer(writer);
    Process setup = dist_.Start();
    ExpectErrorBox(setup, kTitle,
                   L"File required for installing driver is not found.\r\n\"notice.txt\"");
    ExpectEndsSilently(setup, ERROR_FILE_NOT_FOUND);
}

TEST_F(Notice, NoNoticeConfiguredShowsNothing) {
    Configure(L"MessageFile=\r\n");
    Process setup = dist_.Start();
    ExpectCompletionBox(setup, kTitle, L"Install completed.");
    ExpectEndsSilently(setup, ERROR_SUCCESS);
}

} // namespace

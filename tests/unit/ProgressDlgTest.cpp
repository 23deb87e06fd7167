// The progress dialog on its own thread, driven as the installing thread drives it: the test
// thread starts it, reads its window from outside (window texts, menus and icons can be read
// across threads) and stops it. Waits end on what they wait for; their time limits are only
// safety nets.

#include "ui/ProgressDlg.h"

#include "framework/WinApp.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

namespace {

constexpr UINT kMissingTemplate = 999;
constexpr DWORD kSafetyNet = 5000; // ms; a tick comes every 500 ms

std::wstring StatusText(HWND dialog) {
    wchar_t text[256] = L"";
    GetDlgItemTextW(dialog, IDC_PROGRESS_TEXT, text, 256);
    return text;
}

std::wstring Caption(HWND dialog) {
    wchar_t text[256] = L"";
    GetWindowTextW(dialog, text, 256);
    return text;
}

// The status text once it differs from previous, or "<no change>".
std::wstring NextStatusText(HWND dialog, const std::wstring& previous) {
    const DWORD start = GetTickCount();
    for (;;) {
        const std::wstring text = StatusText(dialog);
        if (text != previous)
            return text;
        if (GetTickCount() - start > kSafetyNet)
            return L"<no change>";
        Sleep(10);
    }
}

bool WaitForWindowToGo(HWND window) {
    const DWORD start = GetTickCount();
    while (IsWindow(window)) {
        if (GetTickCount() - start > kSafetyNet)
            return false;
        Sleep(10);
    }
    return true;
}

// The thread that runs a dialog window.
UniqueHandle DialogThread(HWND dialog) {
    const DWORD id = GetWindowThreadProcessId(dialog, nullptr);
    return UniqueHandle(OpenThread(SYNCHRONIZE | THREAD_QUERY_INFORMATION, FALSE, id));
}

bool HasEnded(const UniqueHandle& thread) {
    return WaitForSingleObject(thread.get(), 0) == WAIT_OBJECT_0;
}

// The number of handles the process holds. Wine's GetProcessHandleCount answers 0, so the
// count comes from the system's handle list there.
DWORD OpenHandleCount() {
    DWORD count = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &count) && count != 0)
        return count;

    struct Entry { // SYSTEM_HANDLE_TABLE_ENTRY_INFO_EX
        PVOID object;
        ULONG_PTR processId;
        ULONG_PTR handle;
        ULONG access;
        USHORT creatorBackTrace;
        USHORT type;
        ULONG attributes;
        ULONG reserved;
    };
    struct List { // SYSTEM_HANDLE_INFORMATION_EX
        ULONG_PTR count;
        ULONG_PTR reserved;
        Entry entries[1];
    };
    constexpr ULONG kExtendedHandleInformation = 64;
    constexpr LONG kInfoLengthMismatch = LONG(0xC0000004);
    using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (!query)
        return 0;
    std::vector<ULONG_PTR> buffer(1 << 14);
    LONG status;
    while ((status = query(kExtendedHandleInformation, buffer.data(),
                           ULONG(buffer.size() * sizeof(ULONG_PTR)), nullptr)) ==
           kInfoLengthMismatch)
        buffer.resize(buffer.size() * 2);
    if (status != 0)
        return 0;
    const auto* list = reinterpret_cast<const List*>(buffer.data());
    for (ULONG_PTR i = 0; i < list->count; ++i)
        count += list->entries[i].processId == GetCurrentProcessId();
    return count;
}

DWORD ExitCode(const UniqueHandle& thread) {
    DWORD code = STILL_ACTIVE;
    GetExitCodeThread(thread.get(), &code);
    return code;
}

// The caption comes from the application object, which the test provides.
class ProgressDlgTest : public testing::Test {
protected:
    ProgressDlgTest() { app_.SetAppName(L"Tervane test installer"); }
    CWinApp app_;
};

TEST_F(ProgressDlgTest, DotsGrowToTenThenTheTextStartsAgain) {
    CProgressDlg progress;
    StartProgressDialog(progress);
    const HWND dialog = progress.GetSafeHwnd();
    ASSERT_NE(dialog, nullptr);

    const std::wstring base = L"Installing driver";
    std::vector<std::wstring> seen = {StatusText(dialog)};
    while (seen.size() < 13 && seen.back() != L"<no change>")
        seen.push_back(NextStatusText(dialog, seen.back()));
    StopProgressDialog(progress);

    std::vector<std::wstring> expected = {base};
    for (int dots = 1; dots <= 10; ++dots)
        expected.push_back(base + std::wstring(size_t(dots), L'.'));
    expected.push_back(base);
    expected.push_back(base + L".");
    EXPECT_EQ(seen, expected);
}

TEST_F(ProgressDlgTest, CaptionIsTheApplicationTitle) {
    CProgressDlg progress;
    StartProgressDialog(progress);
    EXPECT_EQ(Caption(progress.GetSafeHwnd()), L"Tervane test installer");
    StopProgressDialog(progress);
}

TEST_F(ProgressDlgTest, AnEmptyTitleGivesAnEmptyCaption) {
    app_.SetAppName(L"");
    CProgressDlg progress;
    StartProgressDialog(progress);
    EXPECT_EQ(Caption(progress.GetSafeHwnd()), L"");
    StopProgressDialog(progress);
}

TEST_F(ProgressDlgTest, EnterAndEscapeLeaveItOpen) {
    CProgressDlg progress;
    StartProgressDialog(progress);
    const HWND dialog = progress.GetSafeHwnd();
    ASSERT_NE(dialog, nullptr);

    PostMessageW(dialog, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageW(dialog, WM_KEYUP, VK_RETURN, 0);
    PostMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(dialog, WM_KEYUP, VK_ESCAPE, 0);
    // Timer messages come only when nothing else is queued: the second tick from now was
    // made after the keys had been handled.
    const std::wstring first = NextStatusText(dialog, StatusText(dialog));
    const std::wstring second = NextStatusText(dialog, first);
    EXPECT_NE(second, L"<no change>");
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_TRUE(IsWindowVisible(dialog));

    const UniqueHandle thread = DialogThread(dialog);
    StopProgressDialog(progress);
    EXPECT_EQ(ExitCode(thread), 0u) << "ended by the close request";
}

TEST_F(ProgressDlgTest, CloseCommandIsGrayedAndOnlyTheSmallIconIsSet) {
    CProgressDlg progress;
    StartProgressDialog(progress);
    const HWND dialog = progress.GetSafeHwnd();
    ASSERT_NE(dialog, nullptr);

    const HMENU menu = GetSystemMenu(dialog, FALSE);
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_NE(SendMessageW(dialog, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_EQ(SendMessageW(dialog, WM_GETICON, ICON_BIG, 0), 0);
    StopProgressDialog(progress);
}

TEST_F(ProgressDlgTest, RunsOnAThreadBelowNormalPriority) {
    CProgressDlg progress;
    StartProgressDialog(progress);
    const UniqueHandle thread = DialogThread(progress.GetSafeHwnd());
    ASSERT_TRUE(thread);
    EXPECT_NE(GetThreadId(thread.get()), GetCurrentThreadId());
    EXPECT_EQ(GetThreadPriority(thread.get()), THREAD_PRIORITY_BELOW_NORMAL);
    StopProgressDialog(progress);
}

TEST_F(ProgressDlgTest, AfterStopTheWindowIsGoneAndTheThreadHasEnded) {
    CProgressDlg progress;
    StartProgressDialog(progress);
    const HWND dialog = progress.GetSafeHwnd();
    ASSERT_NE(dialog, nullptr);
    const UniqueHandle thread = DialogThread(dialog);
    ASSERT_TRUE(thread);

    StopProgressDialog(progress);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(progress.GetSafeHwnd(), nullptr);
    EXPECT_TRUE(HasEnded(thread));
    EXPECT_EQ(ExitCode(thread), 0u);
}

TEST_F(ProgressDlgTest, StopAfterTheDialogEndedByItselfReturns) {
    CProgressDlg progress;
    StartProgressDialog(progress);
    const HWND dialog = progress.GetSafeHwnd();
    const UniqueHandle thread = DialogThread(dialog);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitForWindowToGo(dialog));

    StopProgressDialog(progress);
    EXPECT_TRUE(HasEnded(thread));
    EXPECT_EQ(ExitCode(thread), 0xFFFFFFFFu);
}

TEST_F(ProgressDlgTest, TwentyRoundsLeaveNoHandleBehind) {
    { // the first round sets up what the process keeps for good
        CProgressDlg progress;
        StartProgressDialog(progress);
        StopProgressDialog(progress);
    }
    const DWORD before = OpenHandleCount();
    ASSERT_NE(before, 0u);
    for (int round = 0; round < 20; ++round) {
        CProgressDlg progress;
        StartProgressDialog(progress);
        ASSERT_NE(progress.GetSafeHwnd(), nullptr) << "round " << round;
        StopProgressDialog(progress);
    }
    EXPECT_LE(OpenHandleCount(), before);
}

TEST_F(ProgressDlgTest, DestroyingTheObjectClosesARunningDialog) {
    HWND dialog = nullptr;
    UniqueHandle thread;
    {
        CProgressDlg progress;
        StartProgressDialog(progress);
        dialog = progress.GetSafeHwnd();
        thread = DialogThread(dialog);
    }
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_TRUE(HasEnded(thread));
}

TEST_F(ProgressDlgTest, AnExceptionLeavingTheInstallStepClosesTheDialog) {
    HWND dialog = nullptr;
    UniqueHandle thread;
    try {
        CProgressDlg progress;
        StartProgressDialog(progress);
        dialog = progress.GetSafeHwnd();
        thread = DialogThread(dialog);
        throw std::bad_alloc();
    } catch (const std::bad_alloc&) {
    }
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_TRUE(HasEnded(thread));
}

TEST_F(ProgressDlgTest, AnObjectNeverStartedGoesQuietly) {
    CProgressDlg progress;
    EXPECT_EQ(progress.GetSafeHwnd(), nullptr);
}

// A progress dialog whose modal run takes its time to finish once the window is destroyed.
class SlowToFinishProgressDlg : public CProgressDlg {
public:
    BOOL DestroyWindow() override {
        const BOOL destroyed = CProgressDlg::DestroyWindow();
        Sleep(1000);
        return destroyed;
    }
};

TEST_F(ProgressDlgTest, StopWaitsUntilTheDialogThreadHasFinishedWithTheObject) {
    SlowToFinishProgressDlg progress;
    StartProgressDialog(progress);
    const UniqueHandle thread = DialogThread(progress.GetSafeHwnd());
    ASSERT_TRUE(thread);
    StopProgressDialog(progress);
    EXPECT_TRUE(HasEnded(thread));
}

// A progress dialog whose template does not exist: its window cannot be created.
class MissingTemplateProgressDlg : public CProgressDlg {
public:
    MissingTemplateProgressDlg() : CProgressDlg(kMissingTemplate) {}

    BOOL DestroyWindow() override {
        HANDLE self = nullptr;
        DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &self,
                        SYNCHRONIZE | THREAD_QUERY_INFORMATION, FALSE, 0);
        thread.reset(self);
        return CProgressDlg::DestroyWindow();
    }

    UniqueHandle thread; // the dialog thread, as it destroyed the (missing) window
};

TEST_F(ProgressDlgTest, AWindowThatCannotBeCreatedEndsBothWaits) {
    MissingTemplateProgressDlg progress;
    StartProgressDialog(progress);
    EXPECT_EQ(progress.GetSafeHwnd(), nullptr);
    StopProgressDialog(progress);
    ASSERT_TRUE(progress.thread);
    EXPECT_TRUE(HasEnded(progress.thread));
    EXPECT_EQ(ExitCode(progress.thread), 0xFFFFFFFFu) << "the modal run returned -1";
}

// A progress dialog whose timer could not be created.
class TimerlessProgressDlg : public CProgressDlg {
protected:
    BOOL OnInitDialog() override {
        const BOOL result = CProgressDlg::OnInitDialog();
        KillTimer(GetSafeHwnd(), m_nTimer);
        m_nTimer = 0;
        return result;
    }
};

TEST_F(ProgressDlgTest, WithoutATimerACloseRequestStillClosesTheDialog) {
    TimerlessProgressDlg progress;
    StartProgressDialog(progress);
    const HWND dialog = progress.GetSafeHwnd();
    ASSERT_NE(dialog, nullptr);
    const UniqueHandle thread = DialogThread(dialog);
    StopProgressDialog(progress);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_TRUE(HasEnded(thread));
    EXPECT_EQ(ExitCode(thread), 0u);
}

TEST(JapaneseProgressDlg, StatusTextIsTheJapaneseEntry) {
    CWinApp app;
    app.SetAppName(L"インストーラ");
    CProgressDlg progress;
    StartProgressDialog(progress);
    const HWND dialog = progress.GetSafeHwnd();
    EXPECT_EQ(StatusText(dialog), L"ドライバをインストール中です");
    EXPECT_EQ(NextStatusText(dialog, L"ドライバをインストール中です"),
              L"ドライバをインストール中です.");
    EXPECT_EQ(Caption(dialog), L"インストーラ");
    StopProgressDialog(progress);
}

} // namespace

// The dialog base: the modal run and its loop, message routing, centring and the key filter,
// on the program's own templates, run on the test thread. Each dialog is driven by messages it
// posts to itself while it initialises; a safety timer ends any run that would otherwise hang.

#include "framework/Dialog.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr UINT kMissingTemplate = 999;
constexpr UINT_PTR kSafetyTimer = 77;
constexpr int kTimedOut = 99;
// A command the tests post to a dialog to look at it once it runs.
constexpr UINT kProbe = 0x7E00;

// A dialog that records what reaches it.
class ProbeDialog : public CDialog {
public:
    using CDialog::CDialog;

    // Run at the end of OnInitDialog, at kProbe, and by the key filter (returning whether it
    // takes the message).
    std::function<void(ProbeDialog&)> onInit;
    std::function<void(ProbeDialog&)> onProbe;
    std::function<bool(const MSG&)> takeMessage;
    std::function<void(ProbeDialog&, UINT_PTR)> onTimer;

    // A message as the key filter saw it, with the control id of its window then.
    struct Filtered {
        UINT message;
        HWND hwnd;
        int controlId;
    };

    std::vector<std::wstring> events;
    std::vector<Filtered> filtered;
    std::vector<UINT> focusedControls; // EN_SETFOCUS notifications, by control id
    HWND window = nullptr;
    bool visibleAtInit = true;
    int destroyCalls = 0;
    bool windowAtDestroy = false;

    BOOL PreTranslateMessage(MSG* msg) override {
        filtered.push_back({msg->message, msg->hwnd, msg->hwnd ? GetDlgCtrlID(msg->hwnd) : 0});
        if (msg->message == WM_KEYDOWN)
            events.push_back(L"key " + std::to_wstring(msg->wParam));
        if (takeMessage && takeMessage(*msg))
            return TRUE;
        return CDialog::PreTranslateMessage(msg);
    }

    BOOL DestroyWindow() override {
        ++destroyCalls;
        windowAtDestroy = IsWindow(GetSafeHwnd()) != FALSE;
        return CDialog::DestroyWindow();
    }

    void Post(UINT id, UINT code = BN_CLICKED) {
        PostMessageW(GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(id, code), 0);
    }

protected:
    BOOL OnInitDialog() override {
        events.push_back(L"init");
        window = GetSafeHwnd();
        visibleAtInit = IsWindowVisible(window) != FALSE;
        SetTimer(window, kSafetyTimer, 10000, nullptr);
        if (onInit)
            onInit(*this);
        return CDialog::OnInitDialog();
    }

    void OnOK() override {
        events.push_back(L"ok");
        CDialog::OnOK();
    }

    void OnCancel() override {
        events.push_back(L"cancel");
        CDialog::OnCancel();
    }

    void OnTimer(UINT_PTR timerId) override {
        events.push_back(L"timer " + std::to_wstring(timerId));
        if (timerId == kSafetyTimer)
            EndDialog(kTimedOut);
        else if (onTimer)
            onTimer(*this, timerId);
    }

    bool OnCommand(UINT id, UINT code) override {
        if (id == kProbe) {
            if (onProbe)
                onProbe(*this);
            return true;
        }
        if (code == EN_SETFOCUS)
            focusedControls.push_back(id);
        return CDialog::OnCommand(id, code);
    }
};

RECT WindowRect(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

RECT WorkArea() {
    RECT area = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

LONG CenterX(const RECT& r) {
    return (r.left + r.right) / 2;
}
LONG CenterY(const RECT& r) {
    return (r.top + r.bottom) / 2;
}

TEST(Dialog, MissingTemplateReturnsMinusOneAndStillCallsDestroyWindow) {
    ProbeDialog dialog(kMissingTemplate);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_EQ(dialog.destroyCalls, 1);
    EXPECT_FALSE(dialog.windowAtDestroy);
    EXPECT_TRUE(dialog.events.empty());
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

TEST(Dialog, OkEndsTheRunAndTheWindowIsDestroyedAfterTheLoop) {
    ProbeDialog dialog(IDD_LICENSE_DIALOG);
    dialog.onInit = [](ProbeDialog& d) { d.Post(IDOK); };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.events, (std::vector<std::wstring>{L"init", L"ok"}));
    EXPECT_EQ(dialog.destroyCalls, 1);
    EXPECT_TRUE(dialog.windowAtDestroy);
    EXPECT_FALSE(IsWindow(dialog.window));
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

TEST(Dialog, CancelEndsTheRunWithIdcancel) {
    ProbeDialog dialog(IDD_LICENSE_DIALOG);
    dialog.onInit = [](ProbeDialog& d) { d.Post(IDCANCEL); };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.events, (std::vector<std::wstring>{L"init", L"cancel"}));
}

TEST(Dialog, CloseMessageEndsTheRunWithIdcancel) {
    ProbeDialog dialog(IDD_PROGRESS_DIALOG);
    dialog.onInit = [](ProbeDialog& d) { PostMessageW(d.GetSafeHwnd(), WM_CLOSE, 0, 0); };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.events, (std::vector<std::wstring>{L"init", L"cancel"}));
}

TEST(Dialog, CloseCommandEndsTheRunWithIdcancel) {
    ProbeDialog dialog(IDD_PROGRESS_DIALOG);
    dialog.onInit = [](ProbeDialog& d) {
        PostMessageW(d.GetSafeHwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.events, (std::vector<std::wstring>{L"init", L"cancel"}));
}

TEST(Dialog, EscapePassesTheKeyFilterBeforeItCancels) {
    ProbeDialog dialog(IDD_LICENSE_DIALOG);
    dialog.onInit = [](ProbeDialog& d) { PostMessageW(d.GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0); };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.events, (std::vector<std::wstring>{L"init", L"key 27", L"cancel"}));
}

TEST(Dialog, KeyFilterCanTakeAKeyAwayFromTheDialog) {
    ProbeDialog dialog(IDD_LICENSE_DIALOG);
    dialog.takeMessage = [](const MSG& msg) {
        return msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE;
    };
    dialog.onInit = [](ProbeDialog& d) {
        PostMessageW(d.GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
        d.Post(IDOK);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.events, (std::vector<std::wstring>{L"init", L"key 27", L"ok"}));
}

TEST(Dialog, KeyFilterSeesMessagesForControlsAndTheThread) {
    ProbeDialog dialog(IDD_LICENSE_DIALOG);
    dialog.onInit = [](ProbeDialog& d) {
        PostMessageW(GetDlgItem(d.GetSafeHwnd(), IDC_LICENSE_TEXT), WM_APP + 1, 0, 0);
        PostThreadMessageW(GetCurrentThreadId(), WM_APP + 2, 0, 0);
        d.Post(IDOK);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    const auto& seen = dialog.filtered;
    EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [](const ProbeDialog::Filtered& m) {
        return m.message == WM_APP + 1 && m.controlId == IDC_LICENSE_TEXT;
    }));
    EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [](const ProbeDialog::Filtered& m) {
        return m.message == WM_APP + 2 && m.hwnd == nullptr;
    }));
}

TEST(Dialog, FocusNotificationOfAControlReachesOnCommand) {
    ProbeDialog dialog(IDD_LICENSE_DIALOG);
    dialog.onInit = [](ProbeDialog& d) { d.Post(kProbe); };
    // The licence text box is the first tab stop and gets the focus as the dialog opens.
    dialog.onProbe = [](ProbeDialog& d) { d.Post(IDOK); };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_NE(std::count(dialog.focusedControls.begin(), dialog.focusedControls.end(),
                         UINT(IDC_LICENSE_TEXT)),
              0);
}

TEST(Dialog, TimerMessagesReachOnTimer) {
    ProbeDialog dialog(IDD_PROGRESS_DIALOG);
    dialog.onInit = [](ProbeDialog& d) { SetTimer(d.GetSafeHwnd(), 5, 10, nullptr); };
    dialog.onTimer = [](ProbeDialog& d, UINT_PTR timerId) {
        if (timerId == 5)
            d.EndDialog(IDOK);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.events, (std::vector<std::wstring>{L"init", L"timer 5"}));
}

TEST(Dialog, OpensHiddenThenShownCentredOnThePrimaryWorkArea) {
    ProbeDialog dialog(IDD_LICENSE_DIALOG);
    RECT rect = {};
    bool visible = false;
    dialog.onInit = [](ProbeDialog& d) { d.Post(kProbe); };
    dialog.onProbe = [&](ProbeDialog& d) {
        rect = WindowRect(d.GetSafeHwnd());
        visible = IsWindowVisible(d.GetSafeHwnd()) != FALSE;
        d.Post(IDOK);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_FALSE(dialog.visibleAtInit);
    EXPECT_TRUE(visible);
    const RECT area = WorkArea();
    EXPECT_NEAR(CenterX(rect), CenterX(area), 1);
    EXPECT_NEAR(CenterY(rect), CenterY(area), 1);
}

TEST(Dialog, ADialogThatPlacesItselfStaysThere) {
    ProbeDialog dialog(IDD_PROGRESS_DIALOG);
    RECT rect = {};
    dialog.onInit = [](ProbeDialog& d) {
        SetWindowPos(d.GetSafeHwnd(), nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        d.Post(kProbe);
    };
    dialog.onProbe = [&](ProbeDialog& d) {
        rect = WindowRect(d.GetSafeHwnd());
        d.Post(IDOK);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 20);
}

TEST(Dialog, AnOwnerIsDisabledDuringTheRunAndTheDialogCentredOverIt) {
    const HWND ownerWindow = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 100, 80,
                                             600, 400, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(ownerWindow, nullptr);
    CWnd owner(ownerWindow);
    ProbeDialog dialog(IDD_PROGRESS_DIALOG, &owner);
    RECT rect = {};
    bool ownerEnabled = true;
    dialog.onInit = [](ProbeDialog& d) { d.Post(kProbe); };
    dialog.onProbe = [&](ProbeDialog& d) {
        rect = WindowRect(d.GetSafeHwnd());
        ownerEnabled = IsWindowEnabled(ownerWindow) != FALSE;
        d.Post(IDOK);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(ownerWindow));
    const RECT over = WindowRect(ownerWindow);
    EXPECT_NEAR(CenterX(rect), CenterX(over), 1);
    EXPECT_NEAR(CenterY(rect), CenterY(over), 1);
    DestroyWindow(ownerWindow);
}

TEST(Dialog, EndDialogWhileInitialisingSkipsTheLoop) {
    ProbeDialog dialog(IDD_PROGRESS_DIALOG);
    dialog.onInit = [](ProbeDialog& d) { d.EndDialog(42); };
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_EQ(dialog.events, std::vector<std::wstring>{L"init"});
    EXPECT_EQ(dialog.destroyCalls, 1);
}

TEST(Dialog, QuitMessageEndsTheRunAndIsPostedAgain) {
    ProbeDialog dialog(IDD_PROGRESS_DIALOG);
    dialog.onInit = [](ProbeDialog&) { PostQuitMessage(3); };
    EXPECT_EQ(dialog.DoModal(), -1);
    MSG msg = {};
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

} // namespace

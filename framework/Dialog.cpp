#include "Dialog.h"

#include "ResourceString.h"

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nTemplateId(templateId), m_pParentWnd(parent) {}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal() {
    m_nModalResult = -1;
    m_bContinueModal = true;

    const HWND owner = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
    const bool disableOwner = owner && IsWindowEnabled(owner);
    if (disableOwner)
        EnableWindow(owner, FALSE);

    // The window object attaches itself at WM_INITDIALOG (DialogProc).
    if (CreateDialogParamW(ResourceModule(), MAKEINTRESOURCEW(m_nTemplateId), owner, DialogProc,
                           reinterpret_cast<LPARAM>(this))) {
        RunModalLoop();
        if (const HWND hWnd = GetSafeHwnd())
            SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }

    if (disableOwner)
        EnableWindow(owner, TRUE);
    if (owner && GetActiveWindow() == GetSafeHwnd())
        SetActiveWindow(owner);
    DestroyWindow();
    return m_nModalResult;
}

void CDialog::EndDialog(int result) {
    m_nModalResult = result;
    m_bContinueModal = false;
    // Wakes the loop, should it be waiting in a nested loop's GetMessage.
    if (const HWND hWnd = GetSafeHwnd())
        PostMessageW(hWnd, WM_NULL, 0, 0);
}

void CDialog::RunModalLoop() {
    if (m_bContinueModal)
        ShowWindow(GetSafeHwnd(), SW_SHOWNORMAL);
    // The loop also ends when the window goes away by other means (DestroyWindow).
    while (m_bContinueModal && GetSafeHwnd()) {
        MSG msg;
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1)
            return;
        if (got == 0) {
            PostQuitMessage(int(msg.wParam));
            return;
        }
        if (!PreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    // Only input goes to the dialog manager; everything else is dispatched as it is.
    const bool key = msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST;
    const bool mouse = msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST;
    const HWND hWnd = GetSafeHwnd();
    if (!(key || mouse) || !hWnd)
        return FALSE;
    return IsDialogMessageW(hWnd, msg);
}

BOOL CDialog::DestroyWindow() {
    const HWND hWnd = GetSafeHwnd();
    return hWnd ? ::DestroyWindow(hWnd) : FALSE;
}

BOOL CDialog::OnInitDialog() {
    return TRUE;
}

void CDialog::OnOK() {
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::OnTimer(UINT_PTR) {}

bool CDialog::OnCommand(UINT id, UINT code) {
    if (code != BN_CLICKED)
        return false;
    switch (id) {
    case IDOK:
        OnOK();
        return true;
    case IDCANCEL:
        OnCancel();
        return true;
    }
    return false;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<CDialog*>(lParam);
        dialog->Attach(hWnd);
        return dialog->HandleInitDialog();
    }
    // Messages that come before WM_INITDIALOG (WM_SETFONT among them) find no object.
    auto* dialog = dynamic_cast<CDialog*>(FromHandlePermanent(hWnd));
    if (!dialog)
        return FALSE;

    switch (message) {
    case WM_COMMAND:
        return dialog->OnCommand(LOWORD(wParam), HIWORD(wParam));
    case WM_TIMER:
        dialog->OnTimer(wParam);
        return TRUE;
    case WM_NCDESTROY:
        dialog->Detach();
        return FALSE;
    }
    return FALSE;
}

BOOL CDialog::HandleInitDialog() {
    const HWND hWnd = GetSafeHwnd();
    RECT before = {};
    GetWindowRect(hWnd, &before);
    const BOOL result = OnInitDialog();
    // A dialog that placed itself while initialising stays where it put itself.
    RECT after = {};
    if (GetWindowRect(hWnd, &after) && EqualRect(&before, &after))
        CenterWindow();
    return result;
}

void CDialog::CenterWindow() {
    const HWND hWnd = GetSafeHwnd();
    const HWND owner = GetWindow(hWnd, GW_OWNER);

    // Over the owner, inside its monitor's work area; without an owner, in the middle of the
    // primary monitor's work area.
    RECT area = {};
    RECT center = {};
    if (owner) {
        MONITORINFO monitor = {};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
        area = monitor.rcWork;
        GetWindowRect(owner, &center);
    } else {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        center = area;
    }

    RECT window = {};
    GetWindowRect(hWnd, &window);
    const LONG width = window.right - window.left;
    const LONG height = window.bottom - window.top;
    LONG left = (center.left + center.right) / 2 - width / 2;
    LONG top = (center.top + center.bottom) / 2 - height / 2;
    if (left + width > area.right)
        left = area.right - width;
    if (left < area.left)
        left = area.left;
    if (top + height > area.bottom)
        top = area.bottom - height;
    if (top < area.top)
        top = area.top;
    SetWindowPos(hWnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

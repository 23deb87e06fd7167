#include "ProgressDlg.h"

#include "DialogIcon.h"
#include "DialogText.h"

#include "framework/WinApp.h"
#include "framework/WorkerThread.h"
#include "res/resource.h"

namespace {

const ControlTextEntry kControlTexts[] = {
    {0, IDS_APP_TITLE},
    {IDC_PROGRESS_TEXT, IDS_INSTALLING},
    {0, 0},
};

constexpr UINT_PTR kAnimationTimer = 1;
constexpr UINT kTickMilliseconds = 500;
constexpr DWORD kPollMilliseconds = 200;
constexpr int kMaxDots = 10;

// Posted by the installing thread with a close request, for a dialog that has no timer to
// notice the request with.
constexpr UINT kCheckCloseRequest = 0x7F00;

} // namespace

CProgressDlg::CProgressDlg() : CProgressDlg(IDD_PROGRESS_DIALOG) {}

CProgressDlg::CProgressDlg(UINT templateId) : CDialog(templateId) {}

CProgressDlg::~CProgressDlg() {
    if (m_thread && WaitForSingleObject(m_thread.get(), 0) == WAIT_TIMEOUT)
        CloseAndWait();
}

// --- installing thread ---------------------------------------------------------------------

int StartProgressDialog(CProgressDlg& dialog) {
    dialog.m_thread = BeginWorkerThread(ProgressThreadProc, &dialog, THREAD_PRIORITY_BELOW_NORMAL);
    // Without a thread there will never be a window: the dialog counts as destroyed, so
    // that this wait and the one of StopProgressDialog end at once.
    if (!dialog.m_thread)
        dialog.SetDialogState(CProgressDlg::kDestroyed);

    while (dialog.GetDialogState() == CProgressDlg::kNotYetShown)
        Sleep(kPollMilliseconds);
    return 1;
}

int StopProgressDialog(CProgressDlg& dialog) {
    dialog.CloseAndWait();
    return 1;
}

void CProgressDlg::CloseAndWait() {
    SetCloseRequest();
    if (const HWND hWnd = GetSafeHwnd())
        PostMessageW(hWnd, WM_COMMAND, kCheckCloseRequest, 0);

    while (GetDialogState() != kDestroyed)
        Sleep(kPollMilliseconds);
    // The window is gone, but the modal run is still finishing on the object.
    if (m_thread)
        WaitForSingleObject(m_thread.get(), INFINITE);
}

// --- dialog thread -------------------------------------------------------------------------

UINT ProgressThreadProc(void* param) {
    auto& dialog = *static_cast<CProgressDlg*>(param);
    const CWinApp* app = GetApp();
    dialog.m_strTitle = app && app->m_pszAppName ? app->m_pszAppName.get() : L"";
    return dialog.DoModal() == IDOK ? 0 : 0xFFFFFFFF;
}

BOOL CProgressDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    const HWND hWnd = GetSafeHwnd();

    EnableMenuItem(GetSystemMenu(hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    SetSmallIcon(*this);

    CreateDialogFont(m_font);
    ApplyControlTexts(kControlTexts, this, &m_font);
    SetWindowText(m_strTitle);
    m_strBaseText = GetDlgItemText(IDC_PROGRESS_TEXT);

    m_nTimer = SetTimer(hWnd, kAnimationTimer, kTickMilliseconds, nullptr);
    SetDialogState(kShown);
    return TRUE;
}

void CProgressDlg::OnTimer(UINT_PTR timerId) {
    if (timerId == m_nTimer) {
        std::wstring text = GetDlgItemText(IDC_PROGRESS_TEXT) + L".";
        if (++m_nDotCount > kMaxDots) {
            m_nDotCount = 0;
            text = m_strBaseText;
        }
        SetDlgItemText(IDC_PROGRESS_TEXT, text);
    }
    CDialog::OnTimer(timerId);
    CloseIfRequested();
}

bool CProgressDlg::OnCommand(UINT id, UINT code) {
    if (id != kCheckCloseRequest)
        return CDialog::OnCommand(id, code);
    // With a timer, the next tick sees the request.
    if (m_nTimer == 0)
        CloseIfRequested();
    return true;
}

void CProgressDlg::CloseIfRequested() {
    if (IsCloseRequested())
        OnOK();
}

BOOL CProgressDlg::PreTranslateMessage(MSG* msg) {
    // Neither key reaches the dialog manager, which would end the dialog.
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
        return FALSE;
    return CDialog::PreTranslateMessage(msg);
}

BOOL CProgressDlg::DestroyWindow() {
    const BOOL destroyed = CDialog::DestroyWindow();
    SetDialogState(kDestroyed);
    return destroyed;
}

// --- the handshake -------------------------------------------------------------------------

void CProgressDlg::SetDialogState(int state) {
    CCriticalSectionLock lock(m_cs);
    m_nDialogState = state;
}

int CProgressDlg::GetDialogState() {
    CCriticalSectionLock lock(m_cs);
    return m_nDialogState;
}

void CProgressDlg::SetCloseRequest() {
    CCriticalSectionLock lock(m_cs);
    m_nCloseRequest = 1;
}

bool CProgressDlg::IsCloseRequested() {
    CCriticalSectionLock lock(m_cs);
    return m_nCloseRequest == 1;
}

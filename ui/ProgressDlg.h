#pragma once
// The "installing" window: a dialog with an animated status line, run modally on a thread of
// its own while the installing thread is blocked in the driver-install service.
//
// CProgressDlg          the dialog; the installing thread owns the object
// StartProgressDialog   starts the dialog thread and waits until the window is up
// StopProgressDialog    asks the dialog to close and waits until it is gone
// ProgressThreadProc    the dialog thread
//
// Use, on the installing thread:
//     CProgressDlg progress;
//     StartProgressDialog(progress);
//     ... InstallDriverPackage(progress.GetSafeHwnd(), ...) ...
//     StopProgressDialog(progress);
// The object may go away on any path: its destructor closes a dialog that still runs and
// waits for the dialog thread to end. (A derived class whose overrides run on the dialog
// thread stops the dialog before its own destructor ends.)
//
// The two threads agree through two integers under m_cs: the close request (written by the
// installing thread) and the dialog state (written by the dialog thread). The installing
// thread polls the state every 200 ms; the dialog looks at the request on each tick of its
// 500 ms timer, which also grows the row of dots. Enter, Escape and the Close command
// cannot close the window.

#include "framework/CriticalSection.h"
#include "framework/Dialog.h"
#include "framework/Font.h"
#include "framework/UniqueHandle.h"

#include <string>

class CProgressDlg : public CDialog {
public:
    CProgressDlg();
    ~CProgressDlg() override;

    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    // For dialogs built on another template.
    explicit CProgressDlg(UINT templateId);

    BOOL OnInitDialog() override;
    void OnTimer(UINT_PTR timerId) override;
    bool OnCommand(UINT id, UINT code) override;

    CFont m_font;
    std::wstring m_strTitle;    // the caption: the application title
    std::wstring m_strBaseText; // the status text before any dots
    UINT_PTR m_nTimer = 0;      // 1 when the animation timer exists, 0 when not
    int m_nDotCount = 0;        // dots shown, 0 to 10

private:
    friend int StartProgressDialog(CProgressDlg& dialog);
    friend int StopProgressDialog(CProgressDlg& dialog);
    friend UINT ProgressThreadProc(void* param);

    // Dialog states.
    static constexpr int kNotYetShown = 0;
    static constexpr int kShown = 1;     // created and initialised
    static constexpr int kDestroyed = 2; // or never created

    // Each takes the lock for one read or one write of one handshake field.
    void SetDialogState(int state);
    int GetDialogState();
    void SetCloseRequest();
    bool IsCloseRequested();

    // Installing thread: asks the dialog to close, waits until its window is destroyed and
    // then until the dialog thread has ended.
    void CloseAndWait();
    // Dialog thread: ends the modal run with IDOK when a close has been requested.
    void CloseIfRequested();

    CCriticalSection m_cs;
    int m_nCloseRequest = 0; // 1: the installing thread asks the dialog to close
    int m_nDialogState = kNotYetShown;
    UniqueHandle m_thread; // the dialog thread, once started
};

// Installing thread. Each returns 1.
int StartProgressDialog(CProgressDlg& dialog);
int StopProgressDialog(CProgressDlg& dialog);

// The dialog thread's function; param is the CProgressDlg. Returns 0 when the modal run
// ended with IDOK (a close request), 0xFFFFFFFF otherwise.
UINT ProgressThreadProc(void* param);

#pragma once
// CDialog: a dialog built from a template in the program's resources and run modally on
// the calling thread, in a message loop of its own.
//
// The modal run (DoModal) creates the window hidden, initialises it (OnInitDialog), centres
// it, shows it and runs its loop until EndDialog; then it hides the window and calls
// DestroyWindow, which it also calls when the window could not be created. Every message of
// the thread passes PreTranslateMessage first, whose base version is the dialog's keyboard
// handling (IsDialogMessage); what that does not take is translated and dispatched.
//
// Message routing (DialogProc): WM_INITDIALOG to OnInitDialog; WM_COMMAND to OnCommand with
// the control id and notification code, whose base version sends IDOK to OnOK and IDCANCEL
// to OnCancel; WM_TIMER to OnTimer. WM_CLOSE and the close box reach OnCancel as IDCANCEL,
// through the platform's default dialog handling.

#include "Wnd.h"

class CDialog : public CWnd {
public:
    // templateId: a dialog template of ResourceModule(). parent: the owner of the dialog
    // window, or null for none; the modal run looks for no other owner.
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Runs the dialog modally and returns the result given to EndDialog, or -1 when the
    // window could not be created or the loop ended without EndDialog (WM_QUIT, which is
    // posted again for the loop outside, or a failing message queue).
    virtual INT_PTR DoModal();
    // Ends the modal loop with result, after the message being handled.
    void EndDialog(int result);

    // The key filter: sees every message of the thread before the dialog's keyboard
    // handling. Returns TRUE when the message has been handled and must not be dispatched.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Destroys the window if there is one; returns whether it did.
    virtual BOOL DestroyWindow();

protected:
    // WM_INITDIALOG, before the window is shown. Returns TRUE to let the platform give the
    // focus to the first tab stop.
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // WM_TIMER; the base does nothing.
    virtual void OnTimer(UINT_PTR timerId);
    // WM_COMMAND from control (or command) id with notification code; returns whether it
    // was handled. Overrides handle their own notifications and pass the rest on.
    virtual bool OnCommand(UINT id, UINT code);

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    BOOL HandleInitDialog();
    void RunModalLoop();
    void CenterWindow();

    UINT m_nTemplateId;
    CWnd* m_pParentWnd;
    INT_PTR m_nModalResult = -1;
    bool m_bContinueModal = false;
};

#pragma once
// CWnd: a window object that refers to a window by handle and never owns it.
//
// A window object can be attached to its window: the window then leads back to the object
// (FromHandlePermanent), so that code holding only a control's handle can find the object a
// dialog attached to it, such as a CComboBox. A dialog attaches itself to its own window.
// The handle may be read from any thread; everything else belongs to the window's thread.

#include <windows.h>

#include <atomic>
#include <string>

class CWnd {
public:
    CWnd() = default;
    // A plain window object for hWnd, not attached: FromHandlePermanent does not find it.
    explicit CWnd(HWND hWnd) : m_hWnd(hWnd) {}
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // The window, or null when there is none. Safe to call from any thread.
    HWND GetSafeHwnd() const { return m_hWnd.load(); }

    // Makes this object the window object of hWnd. Fails when hWnd is null or already has
    // a window object attached.
    bool Attach(HWND hWnd);
    // Undoes Attach (if the window still exists) and forgets the handle; returns it.
    HWND Detach();

    // The object attached to hWnd, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);

    void SetWindowText(const std::wstring& text) { ::SetWindowTextW(GetSafeHwnd(), text.c_str()); }
    std::wstring GetDlgItemText(int id) const;
    void SetDlgItemText(int id, const std::wstring& text) {
        ::SetDlgItemTextW(GetSafeHwnd(), id, text.c_str());
    }

private:
    std::atomic<HWND> m_hWnd{nullptr};
};

#pragma once
// CComboBox: the window object of a combo box, with the list operations the dialogs use.

#include "Wnd.h"

class CComboBox : public CWnd {
public:
    using CWnd::CWnd;

    // The number of items in the list, or CB_ERR.
    int GetCount() const { return int(Send(CB_GETCOUNT, 0, 0)); }
    void ResetContent() { Send(CB_RESETCONTENT, 0, 0); }
    // Appends text (sorted in when the list sorts); returns its index, or CB_ERR / CB_ERRSPACE.
    int AddString(const wchar_t* text) { return int(Send(CB_ADDSTRING, 0, LPARAM(text))); }

private:
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const {
        return SendMessageW(GetSafeHwnd(), message, wParam, lParam);
    }
};

#pragma once
// The licence agreement: the licence text in a read-only scrolling box, the question
// whether the user accepts it, Yes (IDOK) and No (IDCANCEL). No, Escape and the close box
// end the dialog with IDCANCEL.
//
// Use, on the main thread:
//     CLicenseDlg dialog;
//     dialog.m_strTitle = title;
//     dialog.m_strLicenseFile = path;
//     accepted = dialog.DoModal() == IDOK;

#include "framework/Dialog.h"
#include "framework/Font.h"

#include <string>

class CLicenseDlg : public CDialog {
public:
    CLicenseDlg();

    CFont m_font;
    std::wstring m_strTitle;       // the caption
    std::wstring m_strLicenseFile; // read when the dialog opens; shown empty if unreadable

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(UINT id, UINT code) override;

private:
    void OnEnSetfocusLicenseText();
};

#include "LicenseDlg.h"

#include "DialogIcon.h"
#include "DialogText.h"

#include "app/TextFile.h"
#include "res/resource.h"

namespace {

const ControlTextEntry kControlTexts[] = {
    {0, IDS_APP_TITLE},
    {IDC_LICENSE_INFO, IDS_LICENSE_INFO},
    {IDC_LICENSE_TEXT, 0},
    {IDC_LICENSE_QUESTION, IDS_LICENSE_QUESTION},
    {IDOK, IDS_YES},
    {IDCANCEL, IDS_NO},
    {0, 0},
};

// The box takes the focus first when the dialog opens; only that first time is its
// selection cleared, later focus changes keep the platform's behaviour. Once per process.
bool s_bFirstFocus = true;

} // namespace

CLicenseDlg::CLicenseDlg() : CDialog(IDD_LICENSE_DIALOG) {}

BOOL CLicenseDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetSmallIcon(*this);
    CreateDialogFont(m_font);
    ApplyControlTexts(kControlTexts, this, &m_font);
    SetWindowText(m_strTitle);

    const UnicodeTextFile licence = ReadUnicodeTextFile(m_strLicenseFile);
    if (licence.outcome == UnicodeTextFile::Outcome::Text)
        SetDlgItemText(IDC_LICENSE_TEXT, licence.text);
    return TRUE;
}

bool CLicenseDlg::OnCommand(UINT id, UINT code) {
    if (id == IDC_LICENSE_TEXT && code == EN_SETFOCUS) {
        OnEnSetfocusLicenseText();
        return true;
    }
    return CDialog::OnCommand(id, code);
}

void CLicenseDlg::OnEnSetfocusLicenseText() {
    if (!s_bFirstFocus)
        return;
    const HWND text = ::GetDlgItem(GetSafeHwnd(), IDC_LICENSE_TEXT);
    SendMessageW(text, EM_SETSEL, static_cast<WPARAM>(-1), 0);
    SendMessageW(text, EM_SCROLLCARET, 0, 0);
    s_bFirstFocus = false;
}

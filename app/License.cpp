// The licence step: the user must accept the configured licence before anything is
// installed.

#include "InstallerApp.h"

#include "ui/LicenseDlg.h"

int CTervaneApp::ConfirmLicense() {
    const std::wstring path = GetLocalizedProfileString(L"LicenseFile");
    if (path.empty())
        return 1;
    // Only existence is tested here: a licence that cannot be read opens an empty box.
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        ReportMissingFile(path);
        return 0;
    }

    CLicenseDlg dialog;
    dialog.m_strTitle = m_pszAppName.get();
    dialog.m_strLicenseFile = path;
    const INT_PTR result = dialog.DoModal();
    if (result == IDOK)
        return 1;
    // A dialog that could not be created leaves the general failure code.
    if (result == IDCANCEL)
        m_nExitCode = ERROR_INSTALL_USEREXIT;
    return 0;
}

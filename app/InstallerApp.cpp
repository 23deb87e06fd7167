#include "InstallerApp.h"

#include "PathParts.h"
#include "ResourceMessage.h"
#include "framework/ResourceString.h"
#include "res/resource.h"

#include <commctrl.h>

namespace {

constexpr wchar_t kMutexName[] = L"VALDRIX ZEV Device Driver Installer - Exclusive Mutex";

} // namespace

BOOL CTervaneApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    CWinApp::InitInstance();

    // Any stop that no step explains is an installation failure.
    m_nExitCode = ERROR_INSTALL_FAILURE;

    // The handle is deliberately never closed: this copy holds the mutex until it ends.
    // If it cannot be created at all, the installer runs unguarded.
    const HANDLE mutex = CreateMutexW(nullptr, TRUE, kMutexName);
    if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
        m_nExitCode = ERROR_INSTALL_ALREADY_RUNNING;
        return FALSE;
    }

    if (LoadSettings() && CheckOsVersion() && ConfirmLicense() && ShowNoticeFile() &&
        InstallDrivers()) {
        MessageBoxW(nullptr, ResourceString(IDS_INSTALL_COMPLETED).c_str(), m_pszAppName.get(),
                    MB_ICONINFORMATION);
        m_nExitCode = ERROR_SUCCESS;
    }
    return FALSE;
}

void CTervaneApp::ShowError(const std::wstring& text, HWND owner) const {
    MessageBoxW(owner, text.c_str(), m_pszAppName.get(), MB_ICONERROR);
}

void CTervaneApp::ReportMissingFile(const std::wstring& path, HWND owner) {
    ShowError(FormatResourceMessage(IDS_FILE_NOT_FOUND, GetFileNamePart(path)), owner);
    m_nExitCode = ERROR_FILE_NOT_FOUND;
}

#include "DriverInstall.h"

#include "InstallerApp.h"
#include "ResourceMessage.h"
#include "PathParts.h"
#include "res/resource.h"
#include "ui/ProgressDlg.h"

#include <string>

namespace {

constexpr DWORD kPreinstallFlags = DRIVER_PACKAGE_LEGACY_MODE | DRIVER_PACKAGE_REPAIR;

// The library answers "already exists" for a package that is already in the store.
bool IsInstalled(DWORD result) {
    return result == ERROR_SUCCESS || result == ERROR_ALREADY_EXISTS;
}

} // namespace

void __cdecl DiscardDifxLog(DIFXAPI_LOG, DWORD, PCWSTR, PVOID) {}

int InstallDriverPackage(HWND owner, const std::wstring& path, CTervaneApp& app) {
    wchar_t fullPath[MAX_PATH];
    const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH, fullPath, nullptr);
    if (length == 0 || length >= MAX_PATH ||
        GetFileAttributesW(fullPath) == INVALID_FILE_ATTRIBUTES) {
        app.ReportMissingFile(path, owner);
        return 0;
    }

    DIFXAPISetLogCallbackW(DiscardDifxLog, nullptr);
    const DWORD result = DriverPackagePreinstallW(fullPath, kPreinstallFlags);
    DIFXAPISetLogCallbackW(nullptr, nullptr);
    if (IsInstalled(result))
        return 1;

    app.ShowError(FormatResourceMessage(IDS_INSTALL_ERROR, GetFileNamePart(path)), owner);
    app.m_nExitCode = ERROR_INSTALL_FAILURE;
    return 0;
}

int CTervaneApp::InstallDrivers() {
    int result = 0;
    bool attempted = false;
    // Declared first so that it goes last: its destructor closes the window on every path.
    CProgressDlg progress;
    BeginWaitCursor();
    StartProgressDialog(progress);

    const std::wstring single = GetProfileString(L"Driver", L"InfFilename");
    if (!single.empty()) {
        attempted = true;
        result = InstallDriverPackage(progress.GetSafeHwnd(), single, *this);
    } else {
        for (unsigned n = 1;; ++n) {
            const std::wstring key = L"InfFilename" + std::to_wstring(n);
            const std::wstring path = GetProfileString(L"Driver", key.c_str());
            if (path.empty())
                break;
            attempted = true;
            result = InstallDriverPackage(progress.GetSafeHwnd(), path, *this);
            if (!result)
                break;
        }
    }

    StopProgressDialog(progress);
    EndWaitCursor();
    if (!attempted)
        m_nExitCode = ERROR_BAD_CONFIGURATION;
    return result;
}

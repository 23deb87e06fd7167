#pragma once
// CTervaneApp: the installer. InitInstance runs the install steps in order; each step
// returns nonzero to go on and zero to stop, having shown its own message.

#include "framework/WinApp.h"

#include <string>

class CTervaneApp : public CWinApp {
public:
    BOOL InitInstance() override;

    int LoadSettings();
    int CheckOsVersion();
    int ConfirmLicense();
    int ShowNoticeFile();
    int InstallDrivers();

    // key from the section of the system's default language, falling back to the
    // default section "0x0000" when that section lacks the key.
    std::wstring GetLocalizedProfileString(const wchar_t* key) const;

    // Shows an error box with the title as caption, owned by owner.
    void ShowError(const std::wstring& text, HWND owner = nullptr) const;
    // Shows the not-found message for path (by its file name only) and records why
    // the program stops.
    void ReportMissingFile(const std::wstring& path, HWND owner = nullptr);
};

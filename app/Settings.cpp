// The configuration file beside the executable: finding it and reading it.

#include "InstallerApp.h"

#include "PathParts.h"
#include "framework/ResourceString.h"
#include "res/resource.h"

#include <cwchar>
#include <vector>

namespace {

// The executable's full path, however long; the caller decides whether it fits.
std::wstring ModulePath(HINSTANCE module) {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size())
            return std::wstring(path.data(), length);
        path.resize(path.size() * 2);
    }
}

std::wstring LanguageSection(LANGID language) {
    wchar_t section[16];
    swprintf(section, std::size(section), L"0x%04x", language);
    return section;
}

} // namespace

int CTervaneApp::LoadSettings() {
    SetAppName(ResourceString(IDS_APP_TITLE));

    const std::wstring exePath = ModulePath(m_hInstance);
    PathParts parts = SplitPath(exePath);
    const bool splitFailed =
        parts.drive.empty() && parts.folder.empty() && parts.name.empty() && parts.ext.empty();
    SetCurrentDirectoryW(JoinPath({parts.drive, parts.folder, L"", L""}).c_str());

    parts.ext = L".ini";
    const std::wstring profile = JoinPath(parts);
    // A path that does not fit the buffers cannot be used; it is reported like a
    // missing file, by the name the configuration file would have had.
    if (exePath.empty() || exePath.size() >= MAX_PATH || splitFailed || profile.empty()) {
        ReportMissingFile(splitFailed ? L"" : parts.name + parts.ext);
        return 0;
    }
    SetProfileName(profile);

    if (GetFileAttributesW(m_pszProfileName.get()) == INVALID_FILE_ATTRIBUTES) {
        ReportMissingFile(m_pszProfileName.get());
        return 0;
    }
    SetAppName(GetLocalizedProfileString(L"Title"));
    return 1;
}

std::wstring CTervaneApp::GetLocalizedProfileString(const wchar_t* key) const {
    const std::wstring fallback = GetProfileString(LanguageSection(0).c_str(), key);
    return GetProfileString(LanguageSection(GetSystemDefaultLangID()).c_str(), key,
                            fallback.c_str());
}

// The operating-system check.

#include "OsVersion.h"

#include "InstallerApp.h"
#include "framework/ResourceString.h"
#include "res/resource.h"

#include <memory>
#include <type_traits>

namespace {

constexpr DWORD kMinimumMajorVersion = 5;

struct ModuleFreer {
    void operator()(HMODULE module) const noexcept { FreeLibrary(module); }
};
using UniqueModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleFreer>;

using VerifyVersionFunction = decltype(&VerifyVersionInfoW);

// On the Windows 95 family the major version is the top byte of the build number.
DWORD MajorVersionOf(const OsVersionFigures& figures) {
    return figures.platformId == VER_PLATFORM_WIN32_WINDOWS ? figures.buildNumber >> 24
                                                            : figures.majorVersion;
}

} // namespace

OsVersionFigures QueryOsVersion(GetVersionFunction query) {
    OSVERSIONINFOEXW info{};
    auto* record = reinterpret_cast<OSVERSIONINFOW*>(&info);
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXW);
    if (!query(record)) {
        info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
        if (!query(record))
            return {};
    }
    return {true, info.dwPlatformId, info.dwMajorVersion, info.dwBuildNumber};
}

bool IsAcceptedOs(const OsVersionFigures& figures, const std::function<BOOL()>& verify) {
    return figures.reported && MajorVersionOf(figures) >= kMinimumMajorVersion && verify();
}

BOOL VerifyWindows2000OrLater(const wchar_t* module, const char* function) {
    const UniqueModule library(LoadLibraryW(module));
    if (!library)
        return FALSE;
    // The detour through void (*)() tells the compiler that the type is known to match.
    const auto verify = reinterpret_cast<VerifyVersionFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(library.get(), function)));
    if (!verify)
        return FALSE;

    OSVERSIONINFOEXW required{};
    required.dwOSVersionInfoSize = sizeof(required);
    required.dwMajorVersion = kMinimumMajorVersion;
    required.dwMinorVersion = 0;
    required.wServicePackMajor = 0;
    ULONGLONG conditions = 0;
    conditions = VerSetConditionMask(conditions, VER_MAJORVERSION, VER_GREATER_EQUAL);
    conditions = VerSetConditionMask(conditions, VER_MINORVERSION, VER_GREATER_EQUAL);
    conditions = VerSetConditionMask(conditions, VER_SERVICEPACKMAJOR, VER_GREATER_EQUAL);
    return verify(&required, VER_MAJORVERSION | VER_MINORVERSION | VER_SERVICEPACKMAJOR,
                  conditions);
}

BOOL IsWindows2000OrLater() {
    // Looked up at run time: the oldest systems have no such function.
    return VerifyWindows2000OrLater(L"kernel32.dll", "VerifyVersionInfoW");
}

int CTervaneApp::CheckOsVersion() {
    if (IsAcceptedOs(QueryOsVersion(), IsWindows2000OrLater))
        return 1;
    ShowError(ResourceString(IDS_UNSUPPORTED_OS));
    m_nExitCode = ERROR_OLD_WIN_VERSION;
    return 0;
}

#include "DllSearch.h"

#include <windows.h>

namespace {

// Both functions are looked up at run time: Windows 7 without its loader update lacks the
// first, Windows 2000 and XP before SP1 lack the second, and they must still start.
using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
using SetDllDirectoryFunction = BOOL(WINAPI*)(LPCWSTR);

template <typename Function> Function Kernel32Function(const char* name) {
    // The detour through void (*)() tells the compiler that the type is known to match.
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name)));
}

} // namespace

void RestrictDllSearchToSystemFolder() {
    const auto setDefault =
        Kernel32Function<SetDefaultDllDirectoriesFunction>("SetDefaultDllDirectories");
    if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32))
        return;
    // Older systems: at least take the current directory out of the search.
    if (const auto setDirectory = Kernel32Function<SetDllDirectoryFunction>("SetDllDirectoryW"))
        setDirectory(L"");
}

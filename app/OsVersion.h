#pragma once
// The operating-system check: the installer runs on Windows 2000 or later only. The
// decision stands on the figures the system reports and on the system's own version
// verification, each behind a function that tests can replace.

#include <windows.h>

#include <functional>

// What the version query reports, as far as the check reads it.
struct OsVersionFigures {
    bool reported = false; // false when neither query answered
    DWORD platformId = 0;
    DWORD majorVersion = 0;
    DWORD buildNumber = 0;
};

using GetVersionFunction = BOOL(WINAPI*)(OSVERSIONINFOW*);

// Asks query with the extended record first and, when that fails, with the basic one:
// older systems know only the basic record.
OsVersionFigures QueryOsVersion(GetVersionFunction query = GetVersionExW);

// Whether the installer may run: figures below version 5 refuse the system without
// asking verify; otherwise verify has the final word.
bool IsAcceptedOs(const OsVersionFigures& figures, const std::function<BOOL()>& verify);

// The system's verification that it is version 5.0 with service pack 0 or later.
// 0 when it says no or cannot be reached.
BOOL IsWindows2000OrLater();

// The same, with the verification function named function looked up in module at run
// time; 0 when either cannot be found. The module is released again on every path.
BOOL VerifyWindows2000OrLater(const wchar_t* module, const char* function);

// Declarations of the two Driver Install Frameworks functions the installer
// uses. The library is bound at load time through the import library that
// cmake/DifxImportLib.cmake builds from app/difxapi*.def.
#pragma once

#include <windows.h>

// The stand-in DLL defines these functions and sets this to nothing first.
#ifndef DIFXAPI_API
#define DIFXAPI_API __declspec(dllimport)
#endif

extern "C" {

enum DIFXAPI_LOG {
    DIFXAPI_SUCCESS = 0,
    DIFXAPI_INFO = 1,
    DIFXAPI_WARNING = 2,
    DIFXAPI_ERROR = 3,
};

// The log callback is __cdecl, unlike the library functions themselves.
typedef VOID(__cdecl* DIFXAPILOGCALLBACK_W)(DIFXAPI_LOG Event, DWORD Error, PCWSTR EventDescription,
                                            PVOID CallbackContext);

DIFXAPI_API DWORD WINAPI DriverPackagePreinstallW(PCWSTR DriverPackageInfPath, DWORD Flags);
DIFXAPI_API VOID WINAPI DIFXAPISetLogCallbackW(DIFXAPILOGCALLBACK_W LogCallback,
                                               PVOID CallbackContext);

} // extern "C"

constexpr DWORD DRIVER_PACKAGE_REPAIR = 0x00000001;
constexpr DWORD DRIVER_PACKAGE_LEGACY_MODE = 0x00000010;

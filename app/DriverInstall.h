#pragma once
// Pre-installation of the configured INF packages through the driver-install library.

#include "DifxApi.h"

#include <string>

class CTervaneApp;

// Installs one package: path as configured, resolved against the current directory.
// Reports a missing package or a refusal in a box owned by owner; returns 1 on success.
int InstallDriverPackage(HWND owner, const std::wstring& path, CTervaneApp& app);

// The library's log output goes nowhere: the program keeps no log.
void __cdecl DiscardDifxLog(DIFXAPI_LOG event, DWORD error, PCWSTR description, PVOID context);

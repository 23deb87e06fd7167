#pragma once
// A file path in the temporary folder that no other test uses: CTest runs the tests in
// parallel, each in a process of its own.

#include <windows.h>

#include <string>

inline std::wstring UniqueTempPath(const wchar_t* extension) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"unit-test-" + std::to_wstring(GetCurrentProcessId()) +
           extension;
}

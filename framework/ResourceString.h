#pragma once
// String-table lookups.

#include <windows.h>

#include <string>

// Sets target to the string-table entry id in the language the resource loader picks.
// Leaves target unchanged and returns false when the entry is missing or empty.
bool LoadResourceString(UINT id, std::wstring& target);

// The entry id, or the empty string.
std::wstring ResourceString(UINT id);

// The module whose resources the program uses (the executable).
HINSTANCE ResourceModule();

#pragma once

#include <windows.h>

#include <string>

// The string-table entry id with "%1" replaced by argument (not scanned again).
// Throws std::invalid_argument when the entry has no text and std::bad_alloc when the
// formatter fails: both are programming errors.
std::wstring FormatResourceMessage(UINT id, const std::wstring& argument);

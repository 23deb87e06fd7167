#pragma once
// What a user sees, checked step by step: each Expect... waits for the next window of
// the installer, checks it, answers it and returns it.

#include "uidriver/UiDriver.h"

#include <string>

// An error box (OK only) with this caption and text; pressed OK unless told otherwise.
uidriver::Window ExpectErrorBox(uidriver::Process& setup, const std::wstring& caption,
                                const std::wstring& text, bool press = true);
// The completion box (OK only); pressed OK.
uidriver::Window ExpectCompletionBox(uidriver::Process& setup, const std::wstring& caption,
                                     const std::wstring& text);
// No further window; the installer ends with this exit code.
void ExpectEndsSilently(uidriver::Process& setup, DWORD exitCode);

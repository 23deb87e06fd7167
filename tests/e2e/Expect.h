#pragma once
// What a user sees, checked step by step: each Expect... waits for the next window of
// the installer, checks it, answers it and returns it. The "Installing driver" window
// comes and goes around every installation; where a test is not about it, it is passed
// over.

#include "uidriver/UiDriver.h"

#include <optional>
#include <string>

// The progress window: a dialog with the status text and no buttons.
bool IsProgressWindow(const uidriver::Window& window);

// The next window that is not the progress window, read once it answers messages (a
// window showing a very long text may take a while to finish drawing).
std::optional<uidriver::Window> NextBox(uidriver::Process& setup,
                                        DWORD timeoutMs = uidriver::DefaultTimeoutMs());

// An error box (OK only) with this caption and text; pressed OK unless told otherwise.
uidriver::Window ExpectErrorBox(uidriver::Process& setup, const std::wstring& caption,
                                const std::wstring& text, bool press = true);
// The completion box (OK only); pressed OK.
uidriver::Window ExpectCompletionBox(uidriver::Process& setup, const std::wstring& caption,
                                     const std::wstring& text);
// No further window but the progress window; the installer ends with this exit code.
void ExpectEndsSilently(uidriver::Process& setup, DWORD exitCode);

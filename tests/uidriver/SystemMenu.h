#pragma once
// The state of a window's system menu, which Wine keeps inside the process that owns the window:
// GetSystemMenu and GetMenuState fail on another process's windows there. The driver therefore
// asks inside that process, through uiprobe.dll, which a thread hook loads into it.

#include <windows.h>

namespace uidriver {

// Whether the Close command (SC_CLOSE) of hwnd's system menu is grayed or disabled; a menu
// without the command counts as grayed, since the close box is dead either way. For windows of
// other processes it needs uiprobe.dll beside the running executable. Throws std::runtime_error
// (or std::system_error) when it cannot tell: no such window, no probe, no answer.
bool IsSystemCloseGrayed(HWND hwnd);

} // namespace uidriver

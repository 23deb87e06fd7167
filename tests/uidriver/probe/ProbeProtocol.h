#pragma once
// What the driver and uiprobe.dll agree on: the DLL's name and hook procedure, the query message,
// and how the reply encodes the state of the Close command.

#include <windows.h>

namespace uidriver::probe {

inline constexpr wchar_t kDllName[] = L"uiprobe.dll";
inline constexpr char kHookProcName[] = "UiProbeCallWndProc";

inline UINT QueryMessage() {
    return RegisterWindowMessageW(L"uidriver.probe.SystemCloseState");
}

// A reply carries kAnswered, so that it differs from the 0 of a window that never met the hook,
// and then either kNoCloseCommand or the MF_ state bits of SC_CLOSE.
inline constexpr LRESULT kAnswered = 0x10000;
inline constexpr LRESULT kNoCloseCommand = 0x20000;

// Runs in the process that owns hwnd.
inline LRESULT ReadCloseState(HWND hwnd) {
    const HMENU menu = GetSystemMenu(hwnd, FALSE);
    const UINT state = menu ? GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) : static_cast<UINT>(-1);
    return state == static_cast<UINT>(-1) ? kAnswered | kNoCloseCommand
                                          : kAnswered | static_cast<LRESULT>(state & 0xFFFF);
}

inline bool IsGrayed(LRESULT state) {
    return (state & kNoCloseCommand) || (state & (MF_GRAYED | MF_DISABLED));
}

} // namespace uidriver::probe

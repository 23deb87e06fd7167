#include "Input.h"

#include "SystemMenu.h"

namespace uidriver {

bool Press(const Window& window, int buttonId) {
    const HWND button = GetDlgItem(window.hwnd, buttonId);
    if (!button || !IsWindowVisible(button) || !IsWindowEnabled(button) ||
        !IsWindowEnabled(window.hwnd))
        return false;
    return PostMessageW(button, BM_CLICK, 0, 0) != FALSE;
}

bool SendKey(HWND hwnd, UINT vk) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    HWND target = hwnd;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info) && info.hwndFocus &&
        (info.hwndFocus == hwnd || IsChild(hwnd, info.hwndFocus)))
        target = info.hwndFocus;

    // Repeat count 1 and the scan code, as the keyboard driver fills them in; a key-up also
    // says that the key was down and is being released.
    const UINT scanCode = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    const auto down = static_cast<LPARAM>(1u | scanCode << 16);
    const auto up = static_cast<LPARAM>(1u | scanCode << 16 | 0xC0000000u);
    return PostMessageW(target, WM_KEYDOWN, vk, down) && PostMessageW(target, WM_KEYUP, vk, up);
}

bool CloseBox(HWND hwnd) {
    const auto style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
    if (!(style & WS_SYSMENU) || !IsWindowEnabled(hwnd) || IsSystemCloseGrayed(hwnd))
        return false;
    return PostMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE;
}

} // namespace uidriver

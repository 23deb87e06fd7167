#pragma once
// User input, posted to the program under test so that the driver never waits for the handler:
// a click may well open the next modal window inside it.

#include "Window.h"

#include <windows.h>

namespace uidriver {

// Clicks button buttonId of window (BM_CLICK). A user cannot click a button that is missing,
// hidden or disabled, or one in a disabled window: then nothing is posted and it returns false.
bool Press(const Window& window, int buttonId);

// Posts a key press (WM_KEYDOWN, WM_KEYUP) to the control of hwnd that has its thread's focus,
// or to hwnd itself when the focus lies elsewhere. The target's keyboard state does not change,
// so GetKeyState there does not see the key.
bool SendKey(HWND hwnd, UINT vk);

// Clicks the caption's close box (WM_SYSCOMMAND SC_CLOSE). Without a system menu, with its Close
// command grayed, or in a disabled window the box cannot be clicked: nothing is posted and it
// returns false. Reads the menu through IsSystemCloseGrayed, and throws as that does.
bool CloseBox(HWND hwnd);

} // namespace uidriver

#pragma once
// What the driver reads of a window: its own state and that of its direct children, taken in one
// snapshot, plus the readers behind it. All of them work on windows of other processes.

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace uidriver {

// Identifier of the static control that holds a message box's text.
inline constexpr int kMessageBoxTextId = 0xFFFF;

struct Control {
    HWND hwnd = nullptr;
    int id = 0;
    std::wstring className;
    std::wstring text;
    DWORD style = 0;
    bool enabled = false;
    bool visible = false; // hidden controls are listed too
};

struct Window {
    HWND hwnd = nullptr;
    std::wstring className;
    std::wstring caption;
    HWND owner = nullptr;
    DWORD style = 0;
    bool enabled = false;
    RECT rect{};                   // screen coordinates
    std::vector<Control> controls; // direct children in z order, which is a dialog's tab order

    // A dialog-class window that has a message box's text control, visible buttons and nothing
    // else, so that a dialog with a plain label (id 0xFFFF too) and an edit box does not count.
    bool IsMessageBox() const;
    std::wstring MessageText() const;
    // Texts of the visible buttons in z order, as the buttons hold them (with any '&').
    std::vector<std::wstring> ButtonTexts() const;
    const Control* Find(int id) const&;
    const Control* Find(int id) const&& = delete; // would point into a dying temporary
};

// The window's current state; all fields stay empty when hwnd no longer exists.
Window Snapshot(HWND hwnd);

// The window's text through WM_GETTEXT, so that edit contents and other processes' windows come
// through; empty when the window is gone or does not answer within the send timeout.
std::wstring Text(HWND hwnd);

// Start and end of an edit control's selection (EM_GETSEL); (0, 0) when it does not answer.
std::pair<DWORD, DWORD> EditSelection(HWND edit);

// Work area of the primary monitor, where dialogs without owner are centred.
RECT WorkArea();

} // namespace uidriver

#pragma once
// What uidemo.exe shows and how its exit code reports the answers, shared with its test.

#include <windows.h>

namespace uidemo {

// 1. A message box with OK and Cancel.
inline constexpr wchar_t kBoxCaption[] = L"Demo";
inline constexpr wchar_t kBoxText[] = L"First line\n二行目は日本語です";

// 2. A dialog with a label, an edit box, OK and Cancel, run on a second thread. The label has
// the id 0xFFFF of unnamed statics, as a message box's text has.
inline constexpr wchar_t kDialogCaption[] = L"Demo dialog";
inline constexpr int kLabelId = 0xFFFF;
inline constexpr int kEditId = 100;
inline constexpr wchar_t kEditText[] = L"編集 text";
inline constexpr DWORD kSelectionStart = 1;
inline constexpr DWORD kSelectionEnd = 4; // the dialog selects this range when the edit gets focus

// 3. An owner window, whose Close command is grayed, and a window it owns with the buttons
// Count (adds one to the owner's click counter), Done (IDOK) and a disabled one.
inline constexpr wchar_t kOwnerCaption[] = L"Demo owner";
inline constexpr wchar_t kOwnedCaption[] = L"Demo owned";
inline constexpr int kClicksTextId = 200;
inline constexpr int kCountButtonId = 201;
inline constexpr int kDisabledButtonId = 202;
inline constexpr int kClosedByDone = 1;
inline constexpr int kClosedByCloseBox = 2;
inline constexpr int kClosedByDisabledButton = 3; // a user cannot click it

// Never shown: the driver must skip it.
inline constexpr wchar_t kHiddenCaption[] = L"Demo hidden helper";

// box and dialog are the IDOK/IDCANCEL results, owned is one of kClosedBy...
constexpr DWORD ExitCode(int box, int dialog, int owned) {
    return static_cast<DWORD>(100 * box + 10 * dialog + owned);
}

} // namespace uidemo

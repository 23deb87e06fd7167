// uidemo.exe: the program that the UI driver's own tests drive. It shows its windows one after
// the other (see UiDemo.h) and exits with a code that tells which answers arrived.

#include "UiDemo.h"
#include "../Handle.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

using namespace uidemo;

// Builds an in-memory DLGTEMPLATE with its items; every item starts on a DWORD boundary.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short cx, short cy, const wchar_t* caption) {
        AddDword(style | DS_SETFONT);
        AddDword(0); // extended style
        count_ = words_.size();
        words_.insert(words_.end(), {0, 0, 0, static_cast<WORD>(cx), static_cast<WORD>(cy)});
        words_.insert(words_.end(), {0, 0}); // no menu, default class
        AddString(caption);
        words_.push_back(8);
        AddString(L"MS Shell Dlg");
    }

    // classAtom: 0x0080 button, 0x0081 edit, 0x0082 static.
    void AddItem(WORD classAtom, int id, DWORD style, short x, short y, short cx, short cy,
                 const wchar_t* text) {
        if (words_.size() % 2)
            words_.push_back(0);
        AddDword(style | WS_CHILD | WS_VISIBLE);
        AddDword(0);
        words_.insert(words_.end(),
                      {static_cast<WORD>(x), static_cast<WORD>(y), static_cast<WORD>(cx),
                       static_cast<WORD>(cy), static_cast<WORD>(id), 0xFFFF, classAtom});
        AddString(text);
        words_.push_back(0); // no creation data
        ++words_[count_];
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void AddDword(DWORD value) { words_.insert(words_.end(), {LOWORD(value), HIWORD(value)}); }
    void AddString(const wchar_t* text) {
        for (; *text; ++text)
            words_.push_back(static_cast<WORD>(*text));
        words_.push_back(0);
    }

    std::vector<WORD> words_; // WORD-aligned, and vector storage is aligned further
    size_t count_ = 0;        // index of the item count
};

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextW(dialog, kEditId, kEditText);
        return TRUE; // focus to the edit box
    case WM_COMMAND:
        if (LOWORD(wParam) == kEditId && HIWORD(wParam) == EN_SETFOCUS) {
            // The dialog manager selects all before it moves the focus; this comes after.
            SendDlgItemMessageW(dialog, kEditId, EM_SETSEL, kSelectionStart, kSelectionEnd);
        } else if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
        }
        return TRUE;
    default:
        return FALSE;
    }
}

DWORD WINAPI DialogThread(void* result) {
    DialogTemplate dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER, 160, 60,
                          kDialogCaption);
    dialog.AddItem(0x0082, kLabelId, SS_LEFT, 8, 8, 30, 14, L"Name:");
    dialog.AddItem(0x0081, kEditId, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 40, 8, 112, 14, L"");
    dialog.AddItem(0x0080, IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, 30, 36, 45, 14, L"OK");
    dialog.AddItem(0x0080, IDCANCEL, WS_TABSTOP | BS_PUSHBUTTON, 85, 36, 45, 14, L"Cancel");
    *static_cast<INT_PTR*>(result) =
        DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), nullptr, DialogProc, 0);
    return 0;
}

// Setup.exe runs its progress dialog on a second thread; the demo does the same with its dialog,
// so that the tests show that the driver follows every thread of a process.
int RunDialogOnSecondThread() {
    INT_PTR result = 0;
    const uidriver::UniqueHandle thread(
        CreateThread(nullptr, 0, DialogThread, &result, 0, nullptr));
    if (!thread)
        return 0;
    WaitForSingleObject(thread.get(), INFINITE);
    return static_cast<int>(result);
}

constexpr wchar_t kOwnerClass[] = L"UiDemoOwner";
constexpr wchar_t kOwnedClass[] = L"UiDemoOwned";

struct OwnerState {
    HWND owner = nullptr;
    int clicks = 0;
    int closedBy = 0;
};
OwnerState g_state;

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK OwnedProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kCountButtonId) {
            const std::wstring text = L"Clicks: " + std::to_wstring(++g_state.clicks);
            SetDlgItemTextW(g_state.owner, kClicksTextId, text.c_str());
        } else if (LOWORD(wParam) == IDOK || LOWORD(wParam) == kDisabledButtonId) {
            g_state.closedBy = LOWORD(wParam) == IDOK ? kClosedByDone : kClosedByDisabledButton;
            DestroyWindow(g_state.owner); // takes the owned window with it
        }
        return 0;
    case WM_CLOSE:
        g_state.closedBy = kClosedByCloseBox;
        DestroyWindow(g_state.owner);
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

HWND CreateChild(HWND parent, const wchar_t* className, const wchar_t* text, int id, int x,
                 DWORD style = 0) {
    return CreateWindowExW(0, className, text, style | WS_CHILD | WS_VISIBLE, x, 10, 60, 24, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

int RunOwnerWindows() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpfnWndProc = OwnerProc;
    windowClass.lpszClassName = kOwnerClass;
    RegisterClassW(&windowClass);
    windowClass.lpfnWndProc = OwnedProc;
    windowClass.lpszClassName = kOwnedClass;
    RegisterClassW(&windowClass);

    g_state.owner = CreateWindowExW(0, kOwnerClass, kOwnerCaption, WS_OVERLAPPEDWINDOW, 100, 100,
                                    300, 200, nullptr, nullptr, instance, nullptr);
    CreateChild(g_state.owner, L"Static", L"Clicks: 0", kClicksTextId, 10);
    EnableMenuItem(GetSystemMenu(g_state.owner, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    ShowWindow(g_state.owner, SW_SHOW);

    const HWND owned =
        CreateWindowExW(0, kOwnedClass, kOwnedCaption, WS_POPUP | WS_CAPTION | WS_SYSMENU, 150, 150,
                        200, 100, g_state.owner, nullptr, instance, nullptr);
    CreateChild(owned, L"Button", L"Count", kCountButtonId, 5);
    CreateChild(owned, L"Button", L"Done", IDOK, 70);
    CreateChild(owned, L"Button", L"Disabled", kDisabledButtonId, 135, WS_DISABLED);
    ShowWindow(owned, SW_SHOW);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return g_state.closedBy;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // A hidden top-level window, like the helper windows that frameworks create.
    const HWND hidden = CreateWindowExW(0, L"Static", kHiddenCaption, WS_POPUP, 0, 0, 10, 10,
                                        nullptr, nullptr, nullptr, nullptr);
    const int box = MessageBoxW(nullptr, kBoxText, kBoxCaption, MB_OKCANCEL | MB_ICONINFORMATION);
    const int dialog = RunDialogOnSecondThread();
    const int owned = RunOwnerWindows();
    DestroyWindow(hidden);
    return static_cast<int>(ExitCode(box, dialog, owned));
}

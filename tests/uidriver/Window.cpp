#include "Window.h"

#include "Wait.h"

#include <algorithm>
#include <cwchar>
#include <iterator>

namespace uidriver {
namespace {

std::wstring ClassName(HWND hwnd) {
    wchar_t name[256] = {}; // the longest class name Win32 allows
    const int length = GetClassNameW(hwnd, name, static_cast<int>(std::size(name)));
    return std::wstring(name, static_cast<size_t>(std::max(length, 0)));
}

bool IsClass(const std::wstring& className, const wchar_t* expected) {
    return _wcsicmp(className.c_str(), expected) == 0;
}

Control ReadControl(HWND hwnd) {
    Control control;
    control.hwnd = hwnd;
    control.id = GetDlgCtrlID(hwnd);
    control.className = ClassName(hwnd);
    control.text = Text(hwnd);
    control.style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
    control.enabled = IsWindowEnabled(hwnd) != FALSE;
    control.visible = IsWindowVisible(hwnd) != FALSE;
    return control;
}

} // namespace

bool Window::IsMessageBox() const {
    const Control* const text = Find(kMessageBoxTextId);
    const auto isButton = [](const Control& c) { return IsClass(c.className, L"Button"); };
    const auto isStaticOrButton = [&](const Control& c) {
        return isButton(c) || IsClass(c.className, L"Static");
    };
    return IsClass(className, L"#32770") && text && IsClass(text->className, L"Static") &&
           std::all_of(controls.begin(), controls.end(), isStaticOrButton) &&
           std::any_of(controls.begin(), controls.end(),
                       [&](const Control& c) { return isButton(c) && c.visible; });
}

std::wstring Window::MessageText() const {
    const Control* const text = Find(kMessageBoxTextId);
    return text ? text->text : std::wstring();
}

std::vector<std::wstring> Window::ButtonTexts() const {
    std::vector<std::wstring> texts;
    for (const Control& control : controls) {
        if (control.visible && IsClass(control.className, L"Button"))
            texts.push_back(control.text);
    }
    return texts;
}

const Control* Window::Find(int id) const& {
    const auto found = std::find_if(controls.begin(), controls.end(),
                                    [id](const Control& control) { return control.id == id; });
    return found == controls.end() ? nullptr : &*found;
}

Window Snapshot(HWND hwnd) {
    Window window;
    if (!IsWindow(hwnd))
        return window;
    window.hwnd = hwnd;
    window.className = ClassName(hwnd);
    window.caption = Text(hwnd);
    window.owner = GetWindow(hwnd, GW_OWNER);
    window.style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
    window.enabled = IsWindowEnabled(hwnd) != FALSE;
    GetWindowRect(hwnd, &window.rect);
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        window.controls.push_back(ReadControl(child));
    return window;
}

std::wstring Text(HWND hwnd) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &length))
        return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied))
        return {};
    text.resize(std::min<size_t>(copied, length));
    return text;
}

std::pair<DWORD, DWORD> EditSelection(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageTimeoutW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                        reinterpret_cast<LPARAM>(&end), SMTO_ABORTIFHUNG, kSendTimeoutMs, nullptr);
    return {start, end};
}

RECT WorkArea() {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
    return info.rcWork;
}

} // namespace uidriver

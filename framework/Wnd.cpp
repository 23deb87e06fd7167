#include "Wnd.h"

namespace {

// The window property that leads from a window to its attached object.
constexpr wchar_t kObjectProperty[] = L"Tervane.CWnd";

} // namespace

CWnd::~CWnd() {
    Detach();
}

bool CWnd::Attach(HWND hWnd) {
    if (!hWnd || FromHandlePermanent(hWnd) || !SetPropW(hWnd, kObjectProperty, this))
        return false;
    Detach();
    m_hWnd = hWnd;
    return true;
}

HWND CWnd::Detach() {
    // A plain window object finds another object, or none, behind its window.
    const HWND hWnd = m_hWnd.exchange(nullptr);
    if (hWnd && GetPropW(hWnd, kObjectProperty) == this)
        RemovePropW(hWnd, kObjectProperty);
    return hWnd;
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    return hWnd ? static_cast<CWnd*>(GetPropW(hWnd, kObjectProperty)) : nullptr;
}

std::wstring CWnd::GetDlgItemText(int id) const {
    const HWND item = ::GetDlgItem(GetSafeHwnd(), id);
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(item)), L'\0');
    // The length is an upper bound; the copy says how many characters there were.
    text.resize(static_cast<size_t>(GetWindowTextW(item, text.data(), int(text.size()) + 1)));
    return text;
}

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
    m_bAttached = true;
    return true;
}

HWND CWnd::Detach() {
    const HWND hWnd = m_hWnd.exchange(nullptr);
    if (m_bAttached && hWnd && GetPropW(hWnd, kObjectProperty) == this)
        RemovePropW(hWnd, kObjectProperty);
    m_bAttached = false;
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

#include "ResourceString.h"

HINSTANCE ResourceModule() {
    return GetModuleHandleW(nullptr);
}

bool LoadResourceString(UINT id, std::wstring& target) {
    // With a zero buffer size LoadStringW hands out a pointer into the resource itself,
    // so entries of any length load whole.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(ResourceModule(), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text)
        return false;
    target.assign(text, static_cast<size_t>(length));
    return true;
}

std::wstring ResourceString(UINT id) {
    std::wstring text;
    LoadResourceString(id, text);
    return text;
}

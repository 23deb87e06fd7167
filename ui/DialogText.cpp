#include "DialogText.h"

#include "framework/ResourceString.h"
#include "res/resource.h"

#include <cwchar>
#include <string>

void CreateDialogFont(CFont& font) {
    font.DeleteObject();
    const std::wstring face = ResourceString(IDS_FONT_FACE);
    // A decimal number after optional white space and sign, up to the first non-digit;
    // no digits give 0.
    const int size = int(std::wcstol(ResourceString(IDS_FONT_SIZE).c_str(), nullptr, 10));
    for (const wchar_t* name : {face.c_str(), L"Arial", L"System"}) {
        if (font.CreatePointFont(size, name))
            return;
    }
}

namespace {

// One row on its target window: the combo-box items when the target's window object is a
// CComboBox, otherwise the text; then the font.
void ApplyRow(const ControlTextEntry& row, CWnd& target, CFont* font) {
    if (auto* combo = dynamic_cast<CComboBox*>(&target))
        FillComboFromStringTable(UINT(row.stringId), combo);
    else
        SetControlTextFromStringTable(&target, UINT(row.stringId));

    if (font)
        SendMessageW(target.GetSafeHwnd(), WM_SETFONT,
                     reinterpret_cast<WPARAM>(font->GetSafeHandle()), TRUE);
}

} // namespace

void ApplyControlTexts(const ControlTextEntry* table, CWnd* dialog, CFont* font) {
    const HWND dialogWindow = dialog ? dialog->GetSafeHwnd() : nullptr;
    if (!table || !dialogWindow)
        return;

    for (const ControlTextEntry* row = table; row->controlId != 0 || row->stringId != 0; ++row) {
        if (row->controlId == 0) {
            ApplyRow(*row, *dialog, font);
            continue;
        }
        const HWND control = GetDlgItem(dialogWindow, row->controlId);
        if (!control)
            return;
        if (CWnd* attached = CWnd::FromHandlePermanent(control)) {
            ApplyRow(*row, *attached, font);
        } else {
            CWnd plain(control);
            ApplyRow(*row, plain, font);
        }
    }
}

void SetControlTextFromStringTable(CWnd* window, UINT stringId) {
    if (!window || stringId == 0)
        return;
    std::wstring text;
    LoadResourceString(stringId, text);
    if (!text.empty())
        window->SetWindowText(text);
}

void FillComboFromStringTable(UINT firstStringId, CComboBox* combo) {
    if (!combo)
        return;
    const int count = combo->GetCount();
    combo->ResetContent();
    if (firstStringId == 0)
        return;
    for (int i = 0; i < count; ++i) {
        std::wstring text;
        if (!LoadResourceString(firstStringId + UINT(i), text))
            return;
        combo->AddString(text.c_str());
    }
}

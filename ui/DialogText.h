#pragma once
// Localisation of a dialog as it opens: its caption and control texts and its font come from
// the string table, in the language the resource loader picks.
//
// ControlTextEntry                 one row of a dialog's control-text table
// CreateDialogFont                 (re)creates the dialog font from the string table
// ApplyControlTexts                walks a table: texts (or combo-box items) and the font
// SetControlTextFromStringTable    one window's text from one entry
// FillComboFromStringTable         relabels a combo box's items from consecutive entries

#include "framework/ComboBox.h"
#include "framework/Font.h"
#include "framework/Wnd.h"

#include <windows.h>

// A row of a control-text table. controlId 0 is the dialog window itself; stringId 0 sets
// no text, only the font. A table is an array that ends with the row {0, 0}.
struct ControlTextEntry {
    INT32 controlId;
    INT32 stringId;
};

// Replaces the font that font holds with one whose face and size (tenths of a point, a
// decimal number) come from IDS_FONT_FACE and IDS_FONT_SIZE, measured on the screen. Falls
// back to the face "Arial", then "System"; when all fail, font is left without a font.
void CreateDialogFont(CFont& font);

// For each row of table up to its end row: the dialog (controlId 0) or its child control
// controlId gets its text from the row's entry, or, when a CComboBox is attached to the
// child, its items; then, if font is given, the font (WM_SETFONT, redrawn; a null font
// handle when font holds none). Stops at the first control the dialog lacks, leaving that
// row and later ones alone. Does nothing when dialog is null or has no window.
void ApplyControlTexts(const ControlTextEntry* table, CWnd* dialog, CFont* font);

// Sets the window's text to entry stringId when that entry has text; otherwise leaves the
// text as it is. Does nothing for a null window or stringId 0.
void SetControlTextFromStringTable(CWnd* window, UINT stringId);

// Empties combo and adds the texts of entries firstStringId, firstStringId + 1, ... up to
// the first missing or empty entry, at most as many as the list held before. With
// firstStringId 0 the list is only emptied. Does nothing for a null combo.
void FillComboFromStringTable(UINT firstStringId, CComboBox* combo);

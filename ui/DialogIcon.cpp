#include "DialogIcon.h"

#include "framework/ResourceString.h"
#include "res/resource.h"

void SetSmallIcon(CWnd& dialog) {
    const HICON icon = LoadIconW(ResourceModule(), MAKEINTRESOURCEW(IDR_MAINFRAME));
    SendMessageW(dialog.GetSafeHwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

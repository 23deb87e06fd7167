#include "Font.h"

#include <cstdlib>
#include <cwchar>

CFont& CFont::operator=(CFont&& other) noexcept {
    if (this != &other) {
        DeleteObject();
        m_hFont = other.m_hFont;
        other.m_hFont = nullptr;
    }
    return *this;
}

BOOL CFont::CreatePointFont(int pointSize, const wchar_t* face, HDC dc) {
    LOGFONTW logFont = {};
    logFont.lfCharSet = DEFAULT_CHARSET;
    if (face)
        wcsncpy(logFont.lfFaceName, face, LF_FACESIZE - 1);

    // Tenths of a point to device pixels (720 tenths to the inch), then to logical units of
    // the device's mapping mode; a negative height asks for the character height.
    HDC measure = dc ? dc : GetDC(nullptr);
    POINT size = {0, MulDiv(GetDeviceCaps(measure, LOGPIXELSY), pointSize, 720)};
    POINT origin = {0, 0};
    DPtoLP(measure, &size, 1);
    DPtoLP(measure, &origin, 1);
    logFont.lfHeight = -std::abs(size.y - origin.y);
    if (!dc)
        ReleaseDC(nullptr, measure);

    HFONT font = CreateFontIndirectW(&logFont);
    if (!font)
        return FALSE;
    DeleteObject();
    m_hFont = font;
    return TRUE;
}

BOOL CFont::DeleteObject() {
    if (!m_hFont)
        return FALSE;
    ::DeleteObject(m_hFont);
    m_hFont = nullptr;
    return TRUE;
}

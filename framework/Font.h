#pragma once
// CFont: owns at most one font and deletes it. Moves, never copies.

#include <windows.h>

class CFont {
public:
    CFont() = default;
    ~CFont() { DeleteObject(); }
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;
    CFont(CFont&& other) noexcept : m_hFont(other.m_hFont) { other.m_hFont = nullptr; }
    CFont& operator=(CFont&& other) noexcept;

    // Creates a font of pointSize tenths of a point with the face name face (cut to the
    // platform's 31 characters), measured on dc or, when dc is null, on the screen: the
    // height is the character height in pixels from the device's LOGPIXELSY, given as a
    // negative value. On success the new font replaces the one held; on failure the
    // object is left as it was. Returns whether a font was created.
    BOOL CreatePointFont(int pointSize, const wchar_t* face, HDC dc = nullptr);

    // Deletes the font held, if any. Returns whether there was one.
    BOOL DeleteObject();

    // The font held, or null. The object keeps owning it.
    HFONT GetSafeHandle() const { return m_hFont; }

private:
    HFONT m_hFont = nullptr;
};

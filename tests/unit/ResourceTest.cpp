// Checks the compiled resources that this test executable is linked with: the string table in
// both languages, the two dialog templates, the icon group, the manifest and the version block.
// Every resource is read by exact language and parsed from its bytes, so that the checks do
// not depend on the language settings of the machine that runs them.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <string>
#include <vector>

#include "res/resource.h"

namespace {

const LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
const LANGID kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN);

// ---------------------------------------------------------------------------------------------
// Reading resources

// A resource type such as RT_STRING, taken as a wide name whether or not UNICODE is defined.
struct ResType {
    LPCWSTR name;
    ResType(LPCWSTR type) : name(type) {}
    ResType(LPCSTR type) : name(MAKEINTRESOURCEW(ULONG_PTR(type))) {}
};

struct Bytes {
    const BYTE* data = nullptr;
    DWORD size = 0;
};

Bytes FindBytes(ResType type, WORD id, LANGID lang) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC info = FindResourceExW(module, type.name, MAKEINTRESOURCEW(id), lang);
    if (info == nullptr)
        return {};
    HGLOBAL loaded = LoadResource(module, info);
    return {static_cast<const BYTE*>(LockResource(loaded)), SizeofResource(module, info)};
}

BOOL CALLBACK CollectId(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR out) {
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<WORD>*>(out)->push_back(LOWORD(name));
    return TRUE;
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD lang, LONG_PTR out) {
    reinterpret_cast<std::vector<WORD>*>(out)->push_back(lang);
    return TRUE;
}

// Identifiers of all resources of a type, ascending.
std::vector<WORD> ResourceIds(ResType type) {
    std::vector<WORD> ids;
    EnumResourceNamesW(GetModuleHandleW(nullptr), type.name, CollectId, LONG_PTR(&ids));
    return ids;
}

// Languages in which one resource exists, ascending.
std::vector<WORD> ResourceLanguages(ResType type, WORD id) {
    std::vector<WORD> langs;
    EnumResourceLanguagesW(GetModuleHandleW(nullptr), type.name, MAKEINTRESOURCEW(id),
                           CollectLanguage, LONG_PTR(&langs));
    return langs;
}

// Sequential little-endian reader over a resource.
class Reader {
public:
    explicit Reader(Bytes bytes) : bytes_(bytes) {}

    template <typename T> T Get() {
        T value{};
        if (pos_ + sizeof(T) <= bytes_.size)
            std::memcpy(&value, bytes_.data + pos_, sizeof(T));
        pos_ += sizeof(T);
        return value;
    }
    std::wstring String() { // zero-terminated UTF-16
        std::wstring s;
        for (wchar_t c; (c = Get<wchar_t>()) != 0;)
            s += c; // reads 0 past the end
        return s;
    }
    std::wstring Chars(size_t count) {
        std::wstring s;
        while (count-- > 0)
            s += Get<wchar_t>();
        return s;
    }
    // A dialog template's sz_Or_Ord field: a string, or "#n" for the ordinal n.
    std::wstring StringOrOrdinal() {
        if (Peek() != 0xFFFF)
            return String();
        Get<WORD>();
        return L"#" + std::to_wstring(Get<WORD>());
    }
    WORD Peek() const {
        WORD value = 0;
        if (pos_ + 2 <= bytes_.size)
            std::memcpy(&value, bytes_.data + pos_, 2);
        return value;
    }
    void AlignDword() { pos_ = (pos_ + 3) & ~size_t(3); }
    size_t Pos() const { return pos_; }
    void Seek(size_t pos) { pos_ = pos; }
    bool Ok() const { return bytes_.data != nullptr && pos_ <= bytes_.size; }

private:
    Bytes bytes_;
    size_t pos_ = 0;
};

// ---------------------------------------------------------------------------------------------
// String table

struct StringEntry {
    UINT id;
    const wchar_t* english;
    const wchar_t* japanese;
};

// Full-width characters are written as escapes, so that they cannot be mistaken for their
// ASCII look-alikes: U+FF08/U+FF09 parentheses, U+FF1F question mark, U+FF3B/U+FF3D brackets.
const StringEntry kStrings[] = {
    {IDS_APP_TITLE, L"Driver installer", L"ドライバ インストーラ"},
    {IDS_FONT_FACE, L"Arial", L"MS UI Gothic"},
    {IDS_FONT_SIZE, L"90", L"90"},
    {IDS_YES, L"&Yes", L"はい\uFF08&Y\uFF09"},
    {IDS_NO, L"&No", L"いいえ\uFF08&N\uFF09"},
    {IDS_LICENSE_CAPTION, L"License agreement", L"使用許諾契約"},
    {IDS_LICENSE_INFO,
     L"Please read the following license agreement. Press the PAGE DOWN key to see the rest of "
     L"the agreement.",
     L"次の使用許諾契約をお読みください。PageDown キーを使ってスクロールしてください。"},
    {IDS_LICENSE_QUESTION,
     L"Do you accept all of the terms of the preceding License Agreement? If you choose No, "
     L"Install will close. To install you must accept this agreement.",
     L"使用許諾契約に同意されますか\uFF1F \uFF3Bいいえ\uFF3Dを選ぶとインストールを中止します。"
     L"インストールするには、この契約に同意してください。"},
    {IDS_INSTALLING, L"Installing driver", L"ドライバをインストール中です"},
    {IDS_INSTALL_COMPLETED, L"Install completed.", L"ドライバのインストールが完了しました。"},
    {IDS_FILE_NOT_FOUND, L"File required for installing driver is not found.\n\"%1\"",
     L"ドライバのインストールに必要なファイルが見つかりませんでした。\n\"%1\""},
    {IDS_UNSUPPORTED_OS, L"Not able to use with your using OS.",
     L"実行中のOSではご使用いただけません。"},
    {IDS_INSTALL_ERROR, L"Install error.", L"ドライバのインストールに失敗しました。"},
};

// The 16 entries of one string block (identifiers (block - 1) * 16 to (block - 1) * 16 + 15).
std::vector<std::wstring> StringBlock(WORD block, LANGID lang) {
    std::vector<std::wstring> entries;
    Reader r(FindBytes(RT_STRING, block, lang));
    if (!r.Ok())
        return entries;
    for (int i = 0; i < 16; ++i)
        entries.push_back(r.Chars(r.Get<WORD>()));
    return r.Ok() ? entries : std::vector<std::wstring>{};
}

// One entry in exactly the given language; "<missing>" if its block is absent.
std::wstring TableString(UINT id, LANGID lang) {
    std::vector<std::wstring> block = StringBlock(WORD(id / 16 + 1), lang);
    return block.empty() ? L"<missing>" : block[id % 16];
}

TEST(StringTable, EveryEntryInEnglishAndJapanese) {
    for (const StringEntry& e : kStrings) {
        EXPECT_EQ(TableString(e.id, kEnglish), e.english) << "id " << e.id;
        EXPECT_EQ(TableString(e.id, kJapanese), e.japanese) << "id " << e.id;
    }
}

TEST(StringTable, HoldsNoOtherEntries) {
    std::vector<UINT> found;
    for (WORD block : ResourceIds(RT_STRING)) {
        EXPECT_EQ(ResourceLanguages(RT_STRING, block), (std::vector<WORD>{kEnglish, kJapanese}))
            << "block " << block;
        for (LANGID lang : {kEnglish, kJapanese}) {
            std::vector<std::wstring> entries = StringBlock(block, lang);
            for (size_t i = 0; i < entries.size(); ++i)
                if (!entries[i].empty())
                    found.push_back((block - 1u) * 16 + UINT(i));
        }
    }
    std::vector<UINT> expected;
    for (const StringEntry& e : kStrings)
        expected.insert(expected.end(), {e.id, e.id});
    std::sort(found.begin(), found.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(found, expected);
}

// ---------------------------------------------------------------------------------------------
// Dialog templates

struct ExpectedControl {
    DWORD id;
    const wchar_t* cls;
    short x, y, cx, cy;
    DWORD style;
    const wchar_t* text;
};

struct ExpectedDialog {
    WORD id;
    short cx, cy;
    std::vector<ExpectedControl> controls;
};

const DWORD kDialogStyle = 0x80C800C0; // WS_POPUP|WS_CAPTION|WS_SYSMENU|DS_MODALFRAME|DS_SETFONT
const DWORD kStaticStyle = 0x50020000; // WS_CHILD|WS_VISIBLE|WS_GROUP|SS_LEFT
const DWORD kEditStyle = 0x50A10804; // ...|WS_BORDER|WS_VSCROLL|WS_TABSTOP|ES_MULTILINE|ES_READONLY
const DWORD kButtonStyle = 0x50010000; // WS_CHILD|WS_VISIBLE|WS_TABSTOP|BS_PUSHBUTTON

const ExpectedDialog kDialogs[] = {
    {IDD_LICENSE_DIALOG,
     292,
     182,
     {
         {IDC_LICENSE_INFO, L"static", 7, 7, 278, 18, kStaticStyle,
          L"*次の使用許諾契約をお読みください。PageDown キーを使ってスクロールしてください。"},
         {IDC_LICENSE_TEXT, L"edit", 7, 28, 278, 110, kEditStyle, L""},
         {IDC_LICENSE_QUESTION, L"static", 7, 141, 278, 19, kStaticStyle,
          L"*使用許諾契約に同意されますか\uFF1F "
          L"\uFF3Bいいえ\uFF3Dを選ぶとインストールを中止します。"
          L"インストールするには、この契約に同意してください。"},
         {IDOK, L"button", 156, 161, 61, 14, kButtonStyle, L"*はい(&Y)"},
         {IDCANCEL, L"button", 224, 161, 61, 14, kButtonStyle, L"*いいえ(&N)"},
     }},
    {IDD_PROGRESS_DIALOG,
     292,
     37,
     {
         {IDC_PROGRESS_TEXT, L"static", 18, 14, 267, 8, kStaticStyle,
          L"*ドライバをインストール中..."},
     }},
};

// A control class as a lower-case name: the predefined ordinals are named, names lower-cased.
std::wstring ClassName(std::wstring cls) {
    static const wchar_t* const predefined[] = {L"button",  L"edit",      L"static",
                                                L"listbox", L"scrollbar", L"combobox"};
    for (int i = 0; i < 6; ++i)
        if (cls == L"#" + std::to_wstring(0x80 + i))
            return predefined[i];
    for (wchar_t& c : cls)
        c = wchar_t(std::towlower(c));
    return cls;
}

TEST(DialogTemplates, OnlyTheTwoDialogsInJapanese) {
    EXPECT_EQ(ResourceIds(RT_DIALOG), (std::vector<WORD>{IDD_LICENSE_DIALOG, IDD_PROGRESS_DIALOG}));
    for (const ExpectedDialog& d : kDialogs)
        EXPECT_EQ(ResourceLanguages(RT_DIALOG, d.id), std::vector<WORD>{kJapanese}) << d.id;
}

TEST(DialogTemplates, MatchTheirLayout) {
    for (const ExpectedDialog& d : kDialogs) {
        SCOPED_TRACE("dialog " + std::to_string(d.id));
        Reader r(FindBytes(RT_DIALOG, d.id, kJapanese));
        ASSERT_TRUE(r.Ok());
        EXPECT_EQ(r.Get<WORD>(), 1);      // dlgVer
        EXPECT_EQ(r.Get<WORD>(), 0xFFFF); // signature of DLGTEMPLATEEX
        EXPECT_EQ(r.Get<DWORD>(), 0u);    // help id
        EXPECT_EQ(r.Get<DWORD>(), 0u);    // extended style
        EXPECT_EQ(r.Get<DWORD>(), kDialogStyle);
        EXPECT_EQ(r.Get<WORD>(), d.controls.size());
        EXPECT_EQ(r.Get<short>(), 0);
        EXPECT_EQ(r.Get<short>(), 0);
        EXPECT_EQ(r.Get<short>(), d.cx);
        EXPECT_EQ(r.Get<short>(), d.cy);
        EXPECT_EQ(r.StringOrOrdinal(), L""); // no menu
        EXPECT_EQ(r.StringOrOrdinal(), L""); // the system's dialog class
        EXPECT_EQ(r.String(), L"*USB driver installer");
        EXPECT_EQ(r.Get<WORD>(), 8);   // point size
        EXPECT_EQ(r.Get<WORD>(), 400); // weight
        EXPECT_EQ(r.Get<BYTE>(), 0);   // italic
        EXPECT_EQ(r.Get<BYTE>(), 0);   // character set
        EXPECT_EQ(r.String(), L"Arial");

        for (const ExpectedControl& c : d.controls) {
            SCOPED_TRACE("control " + std::to_string(c.id));
            r.AlignDword();
            EXPECT_EQ(r.Get<DWORD>(), 0u); // help id
            EXPECT_EQ(r.Get<DWORD>(), 0u); // extended style
            EXPECT_EQ(r.Get<DWORD>(), c.style);
            EXPECT_EQ(r.Get<short>(), c.x);
            EXPECT_EQ(r.Get<short>(), c.y);
            EXPECT_EQ(r.Get<short>(), c.cx);
            EXPECT_EQ(r.Get<short>(), c.cy);
            EXPECT_EQ(r.Get<DWORD>(), c.id);
            EXPECT_EQ(ClassName(r.StringOrOrdinal()), c.cls);
            EXPECT_EQ(r.StringOrOrdinal(), c.text);
            EXPECT_EQ(r.Get<WORD>(), 0); // no creation data
        }
        EXPECT_TRUE(r.Ok());
    }
}

// ---------------------------------------------------------------------------------------------
// Icon, manifest, version block

TEST(Icon, NineImagesByDepthThenSize) {
    EXPECT_EQ(ResourceIds(RT_GROUP_ICON), std::vector<WORD>{IDR_MAINFRAME});
    EXPECT_EQ(ResourceLanguages(RT_GROUP_ICON, IDR_MAINFRAME), std::vector<WORD>{kJapanese});

    const struct {
        int width, bits;
    } expected[] = {{48, 4}, {32, 4},  {16, 4},  {48, 8}, {32, 8},
                    {16, 8}, {48, 32}, {32, 32}, {16, 32}};
    Reader r(FindBytes(RT_GROUP_ICON, IDR_MAINFRAME, kJapanese));
    ASSERT_TRUE(r.Ok());
    EXPECT_EQ(r.Get<WORD>(), 0); // reserved
    EXPECT_EQ(r.Get<WORD>(), 1); // icon
    ASSERT_EQ(r.Get<WORD>(), 9);
    for (const auto& e : expected) {
        SCOPED_TRACE(std::to_string(e.width) + " px, " + std::to_string(e.bits) + " bits");
        EXPECT_EQ(r.Get<BYTE>(), e.width);
        EXPECT_EQ(r.Get<BYTE>(), e.width);              // height
        EXPECT_EQ(r.Get<BYTE>(), e.bits == 4 ? 16 : 0); // colour count
        r.Get<BYTE>();                                  // reserved
        EXPECT_EQ(r.Get<WORD>(), 1);                    // planes
        EXPECT_EQ(r.Get<WORD>(), e.bits);
        DWORD size = r.Get<DWORD>();
        WORD image = r.Get<WORD>();

        // The image is a BMP with an AND mask: height covers both bitmaps.
        Bytes bytes = FindBytes(RT_ICON, image, kJapanese);
        ASSERT_EQ(bytes.size, size);
        BITMAPINFOHEADER header;
        ASSERT_GE(size, sizeof header);
        std::memcpy(&header, bytes.data, sizeof header);
        EXPECT_EQ(header.biSize, sizeof header);
        EXPECT_EQ(header.biWidth, e.width);
        EXPECT_EQ(header.biHeight, 2 * e.width);
        EXPECT_EQ(header.biBitCount, e.bits);
        EXPECT_EQ(header.biCompression, DWORD(BI_RGB));
    }
    EXPECT_NE(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME)), nullptr);
}

TEST(Manifest, SelectsCommonControls6ForThisArchitecture) {
    EXPECT_EQ(ResourceIds(RT_MANIFEST), std::vector<WORD>{1});
    EXPECT_EQ(ResourceLanguages(RT_MANIFEST, 1), std::vector<WORD>{kEnglish});
    Bytes bytes = FindBytes(RT_MANIFEST, 1, kEnglish);
    ASSERT_NE(bytes.data, nullptr);
    const std::string xml(reinterpret_cast<const char*>(bytes.data), bytes.size);
#ifdef _WIN64
    const char* arch = "processorArchitecture=\"amd64\"";
#else
    const char* arch = "processorArchitecture=\"x86\"";
#endif
    for (const char* part :
         {"xmlns=\"urn:schemas-microsoft-com:asm.v1\"", "manifestVersion=\"1.0\"", "type=\"win32\"",
          "name=\"Microsoft.Windows.Common-Controls\"", "version=\"6.0.0.0\"", arch,
          "publicKeyToken=\"6595b64144ccf1df\"", "language=\"*\""})
        EXPECT_NE(xml.find(part), std::string::npos) << part;
    for (const char* absent : {"trustInfo", "requestedExecutionLevel", "compatibility"})
        EXPECT_EQ(xml.find(absent), std::string::npos) << absent;
}

// One node of a version block: its path of keys joined by "/" and its value.
// Text values (type 1) are returned as text; binary values as their 16-bit words.
struct VersionNode {
    std::wstring path;
    std::wstring value;
    Bytes raw;
};

void ParseVersionNode(Reader& r, const std::wstring& parent, const BYTE* base,
                      std::vector<VersionNode>& out) {
    size_t start = r.Pos();
    WORD length = r.Get<WORD>();
    WORD valueLength = r.Get<WORD>();
    WORD type = r.Get<WORD>();
    if (length < 6)
        return r.Seek(size_t(-1) / 2); // malformed: stop reading
    VersionNode node{parent + r.String(), L"", {}};
    r.AlignDword();
    node.raw = {base + r.Pos(), DWORD(type == 1 ? valueLength * 2u : valueLength)};
    node.value = r.Chars(node.raw.size / 2);
    if (type == 1)
        node.value.resize(std::wcslen(node.value.c_str()));
    out.push_back(node);
    for (r.AlignDword(); r.Ok() && r.Pos() < start + length; r.AlignDword())
        ParseVersionNode(r, node.path + L"/", base, out);
    r.Seek(start + length);
}

std::vector<VersionNode> VersionNodes() {
    std::vector<VersionNode> nodes;
    Bytes bytes = FindBytes(RT_VERSION, 1, kEnglish);
    Reader r(bytes);
    if (r.Ok())
        ParseVersionNode(r, L"", bytes.data, nodes);
    return nodes;
}

std::wstring VersionValue(const std::vector<VersionNode>& nodes, const std::wstring& path) {
    for (const VersionNode& n : nodes)
        if (n.path == path)
            return n.value;
    return L"<missing>";
}

TEST(VersionBlock, FixedFields) {
    EXPECT_EQ(ResourceIds(RT_VERSION), std::vector<WORD>{1});
    EXPECT_EQ(ResourceLanguages(RT_VERSION, 1), std::vector<WORD>{kEnglish});
    std::vector<VersionNode> nodes = VersionNodes();
    ASSERT_FALSE(nodes.empty());
    ASSERT_EQ(nodes[0].path, L"VS_VERSION_INFO");
    VS_FIXEDFILEINFO fixed;
    ASSERT_EQ(nodes[0].raw.size, sizeof fixed);
    std::memcpy(&fixed, nodes[0].raw.data, sizeof fixed);
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed.dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed.dwFileVersionLS, 0u);
    EXPECT_EQ(fixed.dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed.dwProductVersionLS, 0u);
    EXPECT_EQ(fixed.dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed.dwFileFlags, 0u);
    EXPECT_EQ(fixed.dwFileOS, DWORD(VOS__WINDOWS32));
    EXPECT_EQ(fixed.dwFileType, DWORD(VFT_APP));
    EXPECT_EQ(fixed.dwFileSubtype, 0u);
    EXPECT_EQ(fixed.dwFileDateMS, 0u);
    EXPECT_EQ(fixed.dwFileDateLS, 0u);
}

TEST(VersionBlock, NamesAndTranslation) {
    std::vector<VersionNode> nodes = VersionNodes();
    const std::wstring block = L"VS_VERSION_INFO/StringFileInfo/040903a4/";
    const struct {
        const wchar_t* key;
        const wchar_t* value;
    } names[] = {
        {L"CompanyName", L"VALDRIX"},
        {L"FileDescription", L"ZEV Device Driver Installer"},
        {L"FileVersion", L"1.0.0.0"},
        {L"InternalName", L"Setup"},
        {L"LegalCopyright", L"Copyright (C) VALDRIX"},
        {L"OriginalFilename", L"Setup.exe"},
        {L"ProductName", L"ZEV Device Driver Installer"},
        {L"ProductVersion", L"1.0.0.0"},
    };
    for (const auto& n : names)
        EXPECT_EQ(VersionValue(nodes, block + n.key), n.value) << n.key;
    EXPECT_EQ(VersionValue(nodes, L"VS_VERSION_INFO/VarFileInfo/Translation"),
              (std::wstring{wchar_t(0x0409), wchar_t(932)}));
}

} // namespace

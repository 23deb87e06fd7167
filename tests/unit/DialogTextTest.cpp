// The localisation helpers on a test-only dialog (TestDialogs.rc) with static texts, three combo
// boxes and a control identifier the template lacks. The texts come from the program's own
// string table: with English settings IDS_APP_TITLE is "Driver installer", IDS_INSTALLING
// "Installing driver", IDS_YES and IDS_NO (consecutive identifiers) "&Yes" and "&No", and the
// identifier after IDS_NO has no entry.

#include "ui/DialogText.h"

#include "res/resource.h"
#include "framework/ResourceString.h"
#include "TestDialogs.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

// The resource library that holds the test template, beside the test program.
HMODULE TestDialogModule() {
    static const HMODULE module = [] {
        wchar_t path[MAX_PATH];
        std::wstring name(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
        name = name.substr(0, name.find_last_of(L"\\/") + 1) + L"unit_test_dialogs.dll";
        return LoadLibraryW(name.c_str());
    }();
    return module;
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

std::wstring Text(HWND window) {
    wchar_t text[512] = L"";
    GetWindowTextW(window, text, 512);
    return text;
}

std::vector<std::wstring> Items(HWND combo) {
    std::vector<std::wstring> items;
    const int count = int(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = L"";
        SendMessageW(combo, CB_GETLBTEXT, WPARAM(i), LPARAM(text));
        items.push_back(text);
    }
    return items;
}

void AddItems(HWND combo, std::initializer_list<const wchar_t*> items) {
    for (const wchar_t* item : items)
        SendMessageW(combo, CB_ADDSTRING, 0, LPARAM(item));
}

using FontMessage = std::pair<HFONT, LPARAM>; // font handle, redraw flag

// The test dialog, opened modeless on the test thread and never shown. Every WM_SETFONT that
// the dialog or one of its controls receives is recorded.
class DialogTextTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(TestDialogModule(), nullptr) << "unit_test_dialogs.dll beside the tests";
        hwnd_ = CreateDialogParamW(TestDialogModule(), MAKEINTRESOURCEW(IDD_TEST_CONTROL_TEXTS),
                                   nullptr, PlainDialogProc, 0);
        ASSERT_NE(hwnd_, nullptr);
        Watch(hwnd_);
        for (int id : {IDC_TEST_LABEL, IDC_TEST_FONT_ONLY, IDC_TEST_COMBO, IDC_TEST_EMPTY_COMBO,
                       IDC_TEST_PLAIN_COMBO, IDC_TEST_AFTER_MISSING})
            Watch(Item(id));
        ASSERT_EQ(GetDlgItem(hwnd_, IDC_TEST_MISSING), nullptr);

        AddItems(Item(IDC_TEST_COMBO), {L"*one", L"*two", L"*three"});
        AddItems(Item(IDC_TEST_PLAIN_COMBO), {L"*one", L"*two", L"*three"});
        ASSERT_TRUE(combo_.Attach(Item(IDC_TEST_COMBO)));
        ASSERT_TRUE(emptyCombo_.Attach(Item(IDC_TEST_EMPTY_COMBO)));

        // The last test's premise: the entry after IDS_NO has no text.
        ASSERT_EQ(ResourceString(IDS_NO + 1), L"");
    }

    void TearDown() override {
        combo_.Detach();
        emptyCombo_.Detach();
        if (hwnd_)
            DestroyWindow(hwnd_);
    }

    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    const std::vector<FontMessage>& FontsSentTo(HWND window) { return fonts_[window]; }
    size_t FontMessagesInAll() const {
        size_t count = 0;
        for (const auto& entry : fonts_)
            count += entry.second.size();
        return count;
    }

    HWND hwnd_ = nullptr;
    CComboBox combo_;      // attached to IDC_TEST_COMBO, three placeholder items
    CComboBox emptyCombo_; // attached to IDC_TEST_EMPTY_COMBO, no items
    // IDC_TEST_PLAIN_COMBO has three placeholder items and no window object.

private:
    void Watch(HWND window) {
        fonts_[window];
        SetWindowSubclass(window, RecordFont, 1, reinterpret_cast<DWORD_PTR>(this));
    }

    static LRESULT CALLBACK RecordFont(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR self) {
        if (message == WM_SETFONT)
            reinterpret_cast<DialogTextTest*>(self)->fonts_[window].push_back(
                {reinterpret_cast<HFONT>(wParam), lParam});
        if (message == WM_NCDESTROY)
            RemoveWindowSubclass(window, RecordFont, 1);
        return DefSubclassProc(window, message, wParam, lParam);
    }

    std::map<HWND, std::vector<FontMessage>> fonts_;
};

const ControlTextEntry kWalk[] = {
    {0, IDS_APP_TITLE},
    {IDC_TEST_LABEL, IDS_INSTALLING},
    {IDC_TEST_FONT_ONLY, 0},
    {IDC_TEST_COMBO, IDS_YES},
    {IDC_TEST_EMPTY_COMBO, IDS_YES},
    {IDC_TEST_PLAIN_COMBO, IDS_INSTALLING},
    {IDC_TEST_MISSING, IDS_NO},
    {IDC_TEST_AFTER_MISSING, IDS_INSTALLING},
    {0, 0},
};

// ---------------------------------------------------------------------------------------------
// ApplyControlTexts

TEST_F(DialogTextTest, WalkSetsTextsAndItemsUpToTheMissingControl) {
    CWnd dialog(hwnd_);
    CFont font;
    CreateDialogFont(font);
    ApplyControlTexts(kWalk, &dialog, &font);

    EXPECT_EQ(Text(hwnd_), L"Driver installer");
    EXPECT_EQ(Text(Item(IDC_TEST_LABEL)), L"Installing driver");
    EXPECT_EQ(Text(Item(IDC_TEST_FONT_ONLY)), L"*font only");
    EXPECT_EQ(Items(Item(IDC_TEST_COMBO)), (std::vector<std::wstring>{L"&Yes", L"&No"}));
    EXPECT_EQ(Items(Item(IDC_TEST_EMPTY_COMBO)), std::vector<std::wstring>{});
    // Without a window object of its own the combo box is a plain window: its text is set,
    // its items stay.
    EXPECT_EQ(Text(Item(IDC_TEST_PLAIN_COMBO)), L"Installing driver");
    EXPECT_EQ(Items(Item(IDC_TEST_PLAIN_COMBO)),
              (std::vector<std::wstring>{L"*one", L"*two", L"*three"}));
    // The walk stopped at the missing control.
    EXPECT_EQ(Text(Item(IDC_TEST_AFTER_MISSING)), L"*after the missing control");
}

TEST_F(DialogTextTest, WalkGivesTheFontToEveryRowItReaches) {
    CWnd dialog(hwnd_);
    CFont font;
    CreateDialogFont(font);
    ASSERT_NE(font.GetSafeHandle(), nullptr);
    ApplyControlTexts(kWalk, &dialog, &font);

    const std::vector<FontMessage> once = {{font.GetSafeHandle(), TRUE}};
    EXPECT_EQ(FontsSentTo(hwnd_), once);
    for (int id : {IDC_TEST_LABEL, IDC_TEST_FONT_ONLY, IDC_TEST_COMBO, IDC_TEST_EMPTY_COMBO,
                   IDC_TEST_PLAIN_COMBO})
        EXPECT_EQ(FontsSentTo(Item(id)), once) << "control " << id;
    EXPECT_TRUE(FontsSentTo(Item(IDC_TEST_AFTER_MISSING)).empty());
}

TEST_F(DialogTextTest, WithoutAFontTextsAreSetAndNoFontIsSent) {
    CWnd dialog(hwnd_);
    ApplyControlTexts(kWalk, &dialog, nullptr);

    EXPECT_EQ(Text(hwnd_), L"Driver installer");
    EXPECT_EQ(Text(Item(IDC_TEST_LABEL)), L"Installing driver");
    EXPECT_EQ(Items(Item(IDC_TEST_COMBO)), (std::vector<std::wstring>{L"&Yes", L"&No"}));
    EXPECT_EQ(FontMessagesInAll(), 0u);
}

TEST_F(DialogTextTest, AFontObjectWithoutAFontSendsTheNullFont) {
    CWnd dialog(hwnd_);
    CFont empty;
    const ControlTextEntry table[] = {{0, IDS_APP_TITLE}, {IDC_TEST_LABEL, 0}, {0, 0}};
    ApplyControlTexts(table, &dialog, &empty);

    const std::vector<FontMessage> nullFont = {{nullptr, TRUE}};
    EXPECT_EQ(FontsSentTo(hwnd_), nullFont);
    EXPECT_EQ(FontsSentTo(Item(IDC_TEST_LABEL)), nullFont);
}

TEST_F(DialogTextTest, ATableThatStartsWithTheEndRowChangesNothing) {
    CWnd dialog(hwnd_);
    CFont font;
    CreateDialogFont(font);
    const ControlTextEntry table[] = {{0, 0}, {0, IDS_APP_TITLE}, {0, 0}};
    ApplyControlTexts(table, &dialog, &font);

    EXPECT_EQ(Text(hwnd_), L"*test caption");
    EXPECT_EQ(FontMessagesInAll(), 0u);
}

TEST_F(DialogTextTest, AMissingEntryKeepsThePlaceholderButGivesTheFont) {
    CWnd dialog(hwnd_);
    CFont font;
    CreateDialogFont(font);
    const ControlTextEntry table[] = {{IDC_TEST_LABEL, IDS_NO + 1}, {0, 0}};
    ApplyControlTexts(table, &dialog, &font);

    EXPECT_EQ(Text(Item(IDC_TEST_LABEL)), L"*label");
    EXPECT_EQ(FontsSentTo(Item(IDC_TEST_LABEL)).size(), 1u);
}

TEST_F(DialogTextTest, NoDialogDoesNothing) {
    CFont font;
    CreateDialogFont(font);
    ApplyControlTexts(kWalk, nullptr, &font);
    CWnd noWindow;
    ApplyControlTexts(kWalk, &noWindow, &font);
    EXPECT_EQ(FontMessagesInAll(), 0u);
}

// ---------------------------------------------------------------------------------------------
// FillComboFromStringTable

TEST_F(DialogTextTest, ThreeItemsAndTwoEntriesLeaveTwoItems) {
    FillComboFromStringTable(IDS_YES, &combo_);
    EXPECT_EQ(Items(Item(IDC_TEST_COMBO)), (std::vector<std::wstring>{L"&Yes", L"&No"}));
}

TEST_F(DialogTextTest, AnEmptyListStaysEmpty) {
    FillComboFromStringTable(IDS_YES, &emptyCombo_);
    EXPECT_EQ(Items(Item(IDC_TEST_EMPTY_COMBO)), std::vector<std::wstring>{});
}

TEST_F(DialogTextTest, NoMoreItemsThanTheListHeld) {
    combo_.ResetContent();
    combo_.AddString(L"*only");
    FillComboFromStringTable(IDS_YES, &combo_);
    EXPECT_EQ(Items(Item(IDC_TEST_COMBO)), std::vector<std::wstring>{L"&Yes"});
}

TEST_F(DialogTextTest, StringIdZeroEmptiesTheList) {
    FillComboFromStringTable(0, &combo_);
    EXPECT_EQ(Items(Item(IDC_TEST_COMBO)), std::vector<std::wstring>{});
}

TEST_F(DialogTextTest, NoComboDoesNothing) {
    FillComboFromStringTable(IDS_YES, nullptr);
    CComboBox noWindow;
    FillComboFromStringTable(IDS_YES, &noWindow);
}

// ---------------------------------------------------------------------------------------------
// SetControlTextFromStringTable

TEST_F(DialogTextTest, ControlTextFromAnEntry) {
    CWnd label(Item(IDC_TEST_LABEL));
    SetControlTextFromStringTable(&label, IDS_INSTALLING);
    EXPECT_EQ(Text(Item(IDC_TEST_LABEL)), L"Installing driver");
}

TEST_F(DialogTextTest, NoEntryOrIdZeroLeavesTheText) {
    CWnd label(Item(IDC_TEST_LABEL));
    SetControlTextFromStringTable(&label, IDS_NO + 1);
    SetControlTextFromStringTable(&label, 0);
    SetControlTextFromStringTable(nullptr, IDS_INSTALLING);
    EXPECT_EQ(Text(Item(IDC_TEST_LABEL)), L"*label");
}

// ---------------------------------------------------------------------------------------------
// CreateDialogFont and CFont

LOGFONTW Describe(HFONT font) {
    LOGFONTW logFont = {};
    GetObjectW(font, sizeof logFont, &logFont);
    return logFont;
}

// The character height of a point size in tenths, on the screen.
LONG ScreenHeight(int tenths) {
    HDC screen = GetDC(nullptr);
    const LONG height = -MulDiv(GetDeviceCaps(screen, LOGPIXELSY), tenths, 720);
    ReleaseDC(nullptr, screen);
    return height;
}

TEST(CreateDialogFont, FaceAndSizeFromTheStringTable) {
    CFont font;
    CreateDialogFont(font);
    ASSERT_NE(font.GetSafeHandle(), nullptr);
    const LOGFONTW logFont = Describe(font.GetSafeHandle());
    EXPECT_STREQ(logFont.lfFaceName, L"Arial");
    EXPECT_EQ(logFont.lfHeight, ScreenHeight(90));
}

TEST(CreateDialogFont, TwiceHoldsOneFont) {
    CFont font;
    CreateDialogFont(font);
    const HFONT first = font.GetSafeHandle();
    ASSERT_NE(first, nullptr);
    CreateDialogFont(font);
    const HFONT second = font.GetSafeHandle();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(GetObjectType(second), DWORD(OBJ_FONT));
    // The first font is deleted, unless the second one got the same handle.
    if (second != first) {
        EXPECT_EQ(GetObjectType(first), 0u);
    }
}

TEST(JapaneseCreateDialogFont, FaceFromTheJapaneseEntry) {
    CFont font;
    CreateDialogFont(font);
    EXPECT_STREQ(Describe(font.GetSafeHandle()).lfFaceName, L"MS UI Gothic");
}

TEST(Font, PointFontIsNegativeCharacterHeight) {
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, L"Arial"));
    const LOGFONTW logFont = Describe(font.GetSafeHandle());
    EXPECT_EQ(logFont.lfHeight, ScreenHeight(120));
    EXPECT_LT(logFont.lfHeight, 0);
    EXPECT_STREQ(logFont.lfFaceName, L"Arial");
}

TEST(Font, DeleteObjectAndMoveKeepOneOwner) {
    CFont font;
    EXPECT_FALSE(font.DeleteObject());
    ASSERT_TRUE(font.CreatePointFont(90, L"Arial"));
    const HFONT handle = font.GetSafeHandle();

    CFont moved(std::move(font));
    EXPECT_EQ(font.GetSafeHandle(), nullptr);
    EXPECT_EQ(moved.GetSafeHandle(), handle);
    EXPECT_TRUE(moved.DeleteObject());
    EXPECT_EQ(moved.GetSafeHandle(), nullptr);
    EXPECT_EQ(GetObjectType(handle), 0u);
}

} // namespace

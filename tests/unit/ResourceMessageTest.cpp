#include "app/ResourceMessage.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// The unit tests run with English language settings, the Japanese* ones with Japanese
// settings. The formatter writes the line break as CR LF.
TEST(ResourceMessage, PutsTheNameOnASecondLineInQuotes) {
    EXPECT_EQ(FormatResourceMessage(IDS_FILE_NOT_FOUND, L"Setup.ini"),
              L"File required for installing driver is not found.\r\n\"Setup.ini\"");
}

TEST(ResourceMessage, ShowsInsertsUnchanged) {
    for (const wchar_t* name : {L"%1.inf", L"100%.inf", L"%n%%.txt", L"\"q\".txt", L""}) {
        EXPECT_EQ(FormatResourceMessage(IDS_FILE_NOT_FOUND, name),
                  std::wstring(L"File required for installing driver is not found.\r\n\"") + name +
                      L"\"");
    }
}

TEST(ResourceMessage, IgnoresTheInsertWhereTheTextHasNone) {
    EXPECT_EQ(FormatResourceMessage(IDS_INSTALL_ERROR, L"device.inf"), L"Install error.");
}

TEST(ResourceMessage, RefusesAnEntryWithoutText) {
    EXPECT_THROW(FormatResourceMessage(4242, L"x"), std::invalid_argument);
}

TEST(JapaneseResourceMessage, UsesTheJapaneseText) {
    EXPECT_EQ(
        FormatResourceMessage(IDS_FILE_NOT_FOUND, L"license_ja.txt"),
        L"ドライバのインストールに必要なファイルが見つかりませんでした。\r\n\"license_ja.txt\"");
}

} // namespace

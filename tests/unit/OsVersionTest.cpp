#include "app/OsVersion.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// What the system reports and answers, and what the check must make of it.
struct DecisionRow {
    const char* what;
    OsVersionFigures figures;
    BOOL verification;
    bool asksVerification;
    bool accepted;
};

const DecisionRow kDecisions[] = {
    {"both queries fail", {}, TRUE, false, false},
    {"Windows 95 family, 4 in the top byte of the build number",
     {true, 1, 5, 0x040A08AE},
     TRUE,
     false,
     false},
    {"Windows 95 family, 5 in the top byte of the build number",
     {true, 1, 4, 0x05000000},
     TRUE,
     true,
     true},
    {"NT family, major version 4", {true, 2, 4, 0x05000565}, TRUE, false, false},
    {"other platform id, major version 4", {true, 3, 4, 0}, TRUE, false, false},
    {"major version 5, verification missing or saying no", {true, 2, 5, 2195}, FALSE, true, false},
    {"major version 5, verification says yes", {true, 2, 5, 2195}, TRUE, true, true},
    {"later version, build number off the Windows 95 family ignored",
     {true, 2, 10, 0x00004A65},
     TRUE,
     true,
     true},
};

TEST(OsVersionDecision, WalksEveryRow) {
    for (const DecisionRow& row : kDecisions) {
        SCOPED_TRACE(row.what);
        int asked = 0;
        const bool accepted = IsAcceptedOs(row.figures, [&] {
            ++asked;
            return row.verification;
        });
        EXPECT_EQ(accepted, row.accepted);
        EXPECT_EQ(asked, row.asksVerification ? 1 : 0);
    }
}

// A version query that refuses the record sizes it is told to and otherwise answers with
// the size asked for as build number, so that the test sees which record was used.
struct FakeQuery {
    bool extendedFails = false;
    bool basicFails = false;
    std::vector<DWORD> sizesAsked;
};
FakeQuery g_query;

BOOL WINAPI FakeGetVersion(OSVERSIONINFOW* info) {
    const DWORD size = info->dwOSVersionInfoSize;
    g_query.sizesAsked.push_back(size);
    if (size == sizeof(OSVERSIONINFOEXW) ? g_query.extendedFails : g_query.basicFails)
        return FALSE;
    info->dwPlatformId = VER_PLATFORM_WIN32_NT;
    info->dwMajorVersion = 5;
    info->dwBuildNumber = size;
    return TRUE;
}

TEST(OsVersionQuery, TriesTheExtendedRecordThenTheBasicOne) {
    constexpr DWORD kExtended = sizeof(OSVERSIONINFOEXW);
    constexpr DWORD kBasic = sizeof(OSVERSIONINFOW);
    static_assert(kExtended == 284 && kBasic == 276);
    const struct {
        const char* what;
        bool extendedFails, basicFails;
        std::vector<DWORD> sizesAsked;
        bool reported;
    } rows[] = {
        {"extended record answered", false, false, {kExtended}, true},
        {"only the basic record answered", true, false, {kExtended, kBasic}, true},
        {"neither answered", true, true, {kExtended, kBasic}, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        g_query = {row.extendedFails, row.basicFails, {}};
        const OsVersionFigures figures = QueryOsVersion(FakeGetVersion);
        EXPECT_EQ(g_query.sizesAsked, row.sizesAsked);
        EXPECT_EQ(figures.reported, row.reported);
        if (row.reported) {
            EXPECT_EQ(figures.platformId, DWORD{VER_PLATFORM_WIN32_NT});
            EXPECT_EQ(figures.majorVersion, 5u);
            EXPECT_EQ(figures.buildNumber, row.sizesAsked.back());
        }
    }
}

TEST(OsVersionVerification, AcceptsTheTestSystem) {
    // The tests run on a system later than Windows 2000.
    EXPECT_TRUE(IsWindows2000OrLater());
}

TEST(OsVersionVerification, MissingModuleSaysNo) {
    EXPECT_FALSE(VerifyWindows2000OrLater(L"no-such-library.dll", "VerifyVersionInfoW"));
}

TEST(OsVersionVerification, MissingFunctionSaysNoAndReleasesTheModule) {
    // A system library that nothing else in the test program loads.
    const wchar_t* const module = L"msimg32.dll";
    ASSERT_EQ(GetModuleHandleW(module), nullptr);
    EXPECT_FALSE(VerifyWindows2000OrLater(module, "VerifyVersionInfoW"));
    EXPECT_EQ(GetModuleHandleW(module), nullptr);
}

} // namespace

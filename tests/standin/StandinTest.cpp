// Tests of the stand-in difxapi.dll, linked through our import library exactly
// as Setup.exe is, so they also prove the import names and calling conventions.

#include "DifxApi.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

std::wstring StandinFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(GetModuleHandleW(L"difxapi.dll"), path, MAX_PATH);
    const std::wstring file(path, length);
    return file.substr(0, file.find_last_of(L'\\') + 1);
}
std::wstring RecordPath() {
    return StandinFolder() + L"difx-record.txt";
}
std::wstring PlanPath() {
    return StandinFolder() + L"difx-plan.txt";
}

std::vector<std::string> RecordLines() {
    std::ifstream file(RecordPath().c_str(), std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

std::string LastRecordLine() {
    const auto lines = RecordLines();
    return lines.empty() ? std::string() : lines.back();
}

// The stand-in numbers pre-install calls per process; every call goes through
// here so a plan can be aimed at the next calls whatever the test order.
int g_preinstallCalls = 0;

DWORD Preinstall(PCWSTR path, DWORD flags = DRIVER_PACKAGE_LEGACY_MODE | DRIVER_PACKAGE_REPAIR) {
    ++g_preinstallCalls;
    return DriverPackagePreinstallW(path, flags);
}

// Writes a plan whose `code` lines in `body` hit the next calls: calls
// already made are covered by filler codes in front (after `head`).
void WritePlanForNextCalls(const std::string& body, const std::string& head = "") {
    std::ofstream file(PlanPath().c_str(), std::ios::binary | std::ios::trunc);
    file << head;
    for (int i = 0; i < g_preinstallCalls; ++i)
        file << "code 0\n";
    file << body;
}

struct LogSeen {
    int calls = 0;
    DIFXAPI_LOG event = DIFXAPI_ERROR;
    DWORD error = 1;
    std::wstring description;
    PVOID context = nullptr;
};
LogSeen g_seen;

void __cdecl RecordLog(DIFXAPI_LOG event, DWORD error, PCWSTR description, PVOID context) {
    ++g_seen.calls;
    g_seen.event = event;
    g_seen.error = error;
    g_seen.description = description ? description : L"";
    g_seen.context = context;
}

class StandinTest : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteFileW(RecordPath().c_str());
        DeleteFileW(PlanPath().c_str());
        g_seen = LogSeen{};
    }
    void TearDown() override {
        DIFXAPISetLogCallbackW(nullptr, nullptr);
        DeleteFileW(PlanPath().c_str());
    }
};

TEST_F(StandinTest, RecordsSetPreinstallAndClear) {
    int context = 0;
    DIFXAPISetLogCallbackW(RecordLog, &context);
    Preinstall(L"C:\\drivers\\a.inf");
    DIFXAPISetLogCallbackW(nullptr, nullptr);
    Preinstall(L"b.inf");
    DIFXAPISetLogCallbackW(RecordLog, nullptr); // a null context still sets it
    DIFXAPISetLogCallbackW(nullptr, &context);  // a context alone does not

    // Wine's builtin difxapi.dll answers silently, even from our file's path.
    ASSERT_FALSE(RecordLines().empty()) << "no record: run with WINEDLLOVERRIDES=difxapi=n";
    const std::vector<std::string> expected = {
        "SetLogCallback set",   "Preinstall flags=0x11 callback=1 path=C:\\drivers\\a.inf",
        "SetLogCallback clear", "Preinstall flags=0x11 callback=0 path=b.inf",
        "SetLogCallback set",   "SetLogCallback clear",
    };
    EXPECT_EQ(RecordLines(), expected);
}

TEST_F(StandinTest, CallsTheCallbackOncePerCallWithItsContext) {
    int first = 0;
    int second = 0;
    DIFXAPISetLogCallbackW(RecordLog, &first);
    Preinstall(L"a.inf");
    EXPECT_EQ(g_seen.calls, 1);
    EXPECT_EQ(g_seen.context, &first);
    EXPECT_EQ(g_seen.event, DIFXAPI_INFO);
    EXPECT_EQ(g_seen.error, 0u);
    EXPECT_FALSE(g_seen.description.empty());

    DIFXAPISetLogCallbackW(RecordLog, &second);
    Preinstall(L"a.inf");
    EXPECT_EQ(g_seen.calls, 2);
    EXPECT_EQ(g_seen.context, &second);

    DIFXAPISetLogCallbackW(nullptr, nullptr);
    Preinstall(L"a.inf");
    EXPECT_EQ(g_seen.calls, 2);
}

TEST_F(StandinTest, ReturnsPlannedCodesInOrderThenZero) {
    EXPECT_EQ(Preinstall(L"a.inf"), 0u) << "no plan";

    WritePlanForNextCalls("code 5\ncode 183\ncode 3758096950\n");
    EXPECT_EQ(Preinstall(L"a.inf"), 5u);
    EXPECT_EQ(Preinstall(L"a.inf"), 183u);
    EXPECT_EQ(Preinstall(L"a.inf"), 3758096950u);
    EXPECT_EQ(Preinstall(L"a.inf"), 0u);
    EXPECT_EQ(Preinstall(L"a.inf"), 0u);

    // The plan is read at every call, not once.
    WritePlanForNextCalls("code 2\n");
    EXPECT_EQ(Preinstall(L"a.inf"), 2u);
}

TEST_F(StandinTest, IgnoresUnknownAndMalformedPlanLines) {
    struct Case {
        const char* plan;
        DWORD expected;
    };
    const Case cases[] = {
        {"", 0},
        {"code\r\ncode -1\r\ncode 12x\ncode 4294967296\nCode 9\n# code 9\r\ncode 7\r\n", 7},
        {"delay 1\n  code\t 6  \n", 6},
        {"delay x\nretry 3\n\x01\xFF\xFE\n\n", 0},
        {"code 4294967295", 4294967295u},
    };
    for (const Case& c : cases) {
        WritePlanForNextCalls(c.plan);
        EXPECT_EQ(Preinstall(L"a.inf"), c.expected) << "plan: " << c.plan;
    }

    // A byte-order mark in front of the first line is not part of it.
    WritePlanForNextCalls("code 8\n", "\xEF\xBB\xBF");
    EXPECT_EQ(Preinstall(L"a.inf"), 8u);

    // A folder where the plan should be is no plan at all.
    DeleteFileW(PlanPath().c_str());
    ASSERT_TRUE(CreateDirectoryW(PlanPath().c_str(), nullptr));
    EXPECT_EQ(Preinstall(L"a.inf"), 0u);
    RemoveDirectoryW(PlanPath().c_str());
}

TEST_F(StandinTest, RecordsFlagsAndPathExactly) {
    struct Case {
        PCWSTR path;
        DWORD flags;
        const char* expected;
    };
    const Case cases[] = {
        {L"C:\\ドライバ\\デバイス.inf", 0x11,
         u8"Preinstall flags=0x11 callback=0 path=C:\\ドライバ\\デバイス.inf"},
        {L"pkg\\%1.inf", 0x1, "Preinstall flags=0x1 callback=0 path=pkg\\%1.inf"},
        {L"", 0x10, "Preinstall flags=0x10 callback=0 path="},
        {L"a b.inf", 0, "Preinstall flags=0x0 callback=0 path=a b.inf"},
        {L"x.inf", 0xFFFFFFFF, "Preinstall flags=0xffffffff callback=0 path=x.inf"},
        {nullptr, 0x11, "Preinstall flags=0x11 callback=0 path=(null)"},
    };
    for (const Case& c : cases) {
        Preinstall(c.path, c.flags);
        EXPECT_EQ(LastRecordLine(), c.expected);
    }
}

} // namespace

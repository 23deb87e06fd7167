// The operating-system check, with Wine showing the installer an older or newer Windows.

#include "Distribution.h"
#include "Expect.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using uidriver::Process;

const std::wstring kConfiguration =
    L"[0x0000]\r\nTitle=OS check\r\n[Driver]\r\nInfFilename=device.inf\r\n";

// Wine shows the executable of this file name the given Windows version until the
// object goes. The tests share the prefix with the installer, so they can set it.
class WineVersionFor {
public:
    WineVersionFor(const std::wstring& exeName, const wchar_t* version)
        : key_(L"Software\\Wine\\AppDefaults\\" + exeName) {
        const auto bytes = static_cast<DWORD>((wcslen(version) + 1) * sizeof(wchar_t));
        EXPECT_EQ(
            RegSetKeyValueW(HKEY_CURRENT_USER, key_.c_str(), L"Version", REG_SZ, version, bytes),
            ERROR_SUCCESS);
    }
    ~WineVersionFor() { RegDeleteKeyW(HKEY_CURRENT_USER, key_.c_str()); }
    WineVersionFor(const WineVersionFor&) = delete;
    WineVersionFor& operator=(const WineVersionFor&) = delete;

private:
    std::wstring key_;
};

struct SystemRow {
    const wchar_t* exeName;
    const wchar_t* version; // null: Wine's default
    bool accepted;
};

// Windows NT 4.0 reports major version 4; Windows 98 reports platform id 1 with major
// version 4 in the top byte of its build number.
const SystemRow kSystems[] = {
    {L"nt40setup.exe", L"nt40", false},
    {L"win98setup.exe", L"win98", false},
    {L"win2ksetup.exe", L"win2k", true},
    {L"Setup.exe", nullptr, true},
};

TEST(OsVersion, OnlyWindows2000AndLaterGoOn) {
    for (const SystemRow& row : kSystems) {
        SCOPED_TRACE(Utf8(row.version ? row.version : L"default"));
        Distribution dist(row.exeName);
        dist.WriteIni(kConfiguration);
        dist.WriteInf(L"device.inf");
        std::optional<WineVersionFor> version;
        if (row.version)
            version.emplace(row.exeName, row.version);

        Process setup = dist.Start();
        if (row.accepted) {
            ExpectCompletionBox(setup, L"OS check", L"Install completed.");
            ExpectEndsSilently(setup, ERROR_SUCCESS);
        } else {
            ExpectErrorBox(setup, L"OS check", L"Not able to use with your using OS.");
            ExpectEndsSilently(setup, ERROR_OLD_WIN_VERSION);
            EXPECT_TRUE(dist.LibraryCalls().empty());
        }
    }
}

TEST(JapaneseOsVersion, RefusalInJapanese) {
    Distribution dist(L"nt40setup.exe");
    dist.WriteIni(L"[0x0000]\r\nTitle=OS check\r\n[0x0411]\r\nTitle=OS チェック\r\n[Driver]\r\n"
                  L"InfFilename=device.inf\r\n");
    dist.WriteInf(L"device.inf");
    const WineVersionFor version(L"nt40setup.exe", L"nt40");
    Process setup = dist.Start();
    ExpectErrorBox(setup, L"OS チェック", L"実行中のOSではご使用いただけません。");
    ExpectEndsSilently(setup, ERROR_OLD_WIN_VERSION);
}

} // namespace

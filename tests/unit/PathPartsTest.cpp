#include "app/PathParts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct FileNameCase {
    std::wstring path;
    std::wstring expected;
};

void PrintTo(const FileNameCase& c, std::ostream* os) {
    *os << testing::PrintToString(c.path);
}

class FileNamePart : public testing::TestWithParam<FileNameCase> {};

TEST_P(FileNamePart, KeepsOnlyNameAndExtension) {
    EXPECT_EQ(GetFileNamePart(GetParam().path), GetParam().expected);
}

const std::wstring kFolder255 = L"\\" + std::wstring(253, L'd') + L"\\";
const std::wstring kFolder256 = L"\\" + std::wstring(254, L'd') + L"\\";

INSTANTIATE_TEST_SUITE_P(
    Paths, FileNamePart,
    testing::Values(FileNameCase{L"C:\\Drivers\\license_ja.txt", L"license_ja.txt"},
                    FileNameCase{L"docs/license_ja.txt", L"license_ja.txt"},
                    FileNameCase{L"C:license_ja.txt", L"license_ja.txt"},
                    FileNameCase{L"license_ja.txt", L"license_ja.txt"},
                    FileNameCase{L"x86\\driver.setup.inf", L"driver.setup.inf"},
                    FileNameCase{L"a.dir\\README", L"README"}, FileNameCase{L"C:\\Drivers\\", L""},
                    FileNameCase{L"C:" + kFolder255 + L"a.inf", L"a.inf"},
                    // A folder that does not fit the split's buffer empties every part.
                    FileNameCase{L"C:" + kFolder256 + L"a.inf", L""},
                    FileNameCase{std::wstring(256, L'n') + L".inf", L""},
                    FileNameCase{L"name." + std::wstring(255, L'e'), L""}),
    [](const auto& info) { return "Path" + std::to_string(info.index); });

TEST(SplitPath, SplitsLikeTheRuntimeLibrary) {
    const PathParts parts = SplitPath(L"D:\\Drivers/x86\\device.v2.inf");
    EXPECT_EQ(parts.drive, L"D:");
    EXPECT_EQ(parts.folder, L"\\Drivers/x86\\");
    EXPECT_EQ(parts.name, L"device.v2");
    EXPECT_EQ(parts.ext, L".inf");
}

TEST(JoinPath, AddsSeparatorsAndRefusesWhatDoesNotFit) {
    EXPECT_EQ(JoinPath({L"D:", L"\\Drivers", L"Setup", L"ini"}), L"D:\\Drivers\\Setup.ini");
    EXPECT_EQ(JoinPath({L"D:", L"\\Drivers/", L"Setup", L".ini"}), L"D:\\Drivers/Setup.ini");
    EXPECT_EQ(JoinPath({L"", L"", L"Setup", L""}), L"Setup");
    EXPECT_EQ(JoinPath({L"C:", L"\\", std::wstring(255, L'n'), L".ini"}), L"");
    EXPECT_EQ(JoinPath({L"C:", L"\\", std::wstring(252, L'n'), L".ini"}).size(), 259u);
}

} // namespace

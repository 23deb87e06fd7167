#include "app/TextFile.h"
#include "framework/UniqueHandle.h"

#include "TempPath.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Outcome = UnicodeTextFile::Outcome;

// A file in the temporary folder, removed after each test.
class TextFile : public testing::Test {
protected:
    void SetUp() override { path_ = UniqueTempPath(L".txt"); }
    void TearDown() override { DeleteFileW(path_.c_str()); }

    UniqueHandle Open(DWORD access, DWORD share, DWORD disposition) const {
        return UniqueHandle(CreateFileW(path_.c_str(), access, share, nullptr, disposition,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    void Write(const std::string& bytes) const {
        const UniqueHandle file = Open(GENERIC_WRITE, 0, CREATE_ALWAYS);
        ASSERT_TRUE(file);
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                              nullptr));
    }
    // A sparse file of size bytes: nothing is written, nothing needs reading.
    void WriteOfSize(LONGLONG size) const {
        const UniqueHandle file = Open(GENERIC_WRITE, 0, CREATE_ALWAYS);
        ASSERT_TRUE(file);
        LARGE_INTEGER end;
        end.QuadPart = size;
        ASSERT_TRUE(SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN));
        ASSERT_TRUE(SetEndOfFile(file.get()));
    }

    std::wstring path_;
};

using namespace std::string_literals;

TEST_F(TextFile, TextAfterTheFirstTwoBytes) {
    const struct {
        const char* what;
        std::string bytes;
        std::wstring text;
    } rows[] = {
        {"byte-order mark and abc",
         "\xFF\xFE"
         "a\0b\0c\0"s,
         L"abc"},
        {"line breaks and Japanese kept",
         "\xFF\xFE"
         "1\0\r\0\n\0\xE5\x65\x2C\x67"s,
         L"1\r\n日本"},
        {"empty file", "", L""},
        {"one byte", "\xFF", L""},
        {"only the mark", "\xFF\xFE", L""},
        {"no mark: the first character is lost", "a\0b\0c\0"s, L"bc"},
        {"zero character in the middle ends the text",
         "\xFF\xFE"
         "a\0\0\0b\0"s,
         L"a"},
        {"odd length: the last byte is a final character",
         "\xFF\xFE"
         "a\0b"s,
         L"ab"},
        {"odd length: one byte after the mark",
         "\xFF\xFE"
         "A"s,
         L"A"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Write(row.bytes);
        const UnicodeTextFile file = ReadUnicodeTextFile(path_);
        EXPECT_EQ(file.outcome, Outcome::Text);
        EXPECT_EQ(file.text, row.text);
    }
}

TEST_F(TextFile, MissingFileOrFolderCannotBeOpened) {
    EXPECT_EQ(ReadUnicodeTextFile(path_).outcome, Outcome::CannotOpen);
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    EXPECT_EQ(ReadUnicodeTextFile(folder).outcome, Outcome::CannotOpen);
}

// Readers and deleters are tolerated, writers are not.
TEST_F(TextFile, SharingWithAnotherHandle) {
    const struct {
        const char* what;
        DWORD access, share;
        Outcome outcome;
    } rows[] = {
        {"held open for writing", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
         Outcome::CannotOpen},
        {"held open for reading", GENERIC_READ, FILE_SHARE_READ, Outcome::Text},
        {"held open for deleting", GENERIC_READ | DELETE, FILE_SHARE_READ | FILE_SHARE_DELETE,
         Outcome::Text},
    };
    Write("\xFF\xFE"
          "a\0"s);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const UniqueHandle other = Open(row.access, row.share, OPEN_EXISTING);
        ASSERT_TRUE(other);
        EXPECT_EQ(ReadUnicodeTextFile(path_).outcome, row.outcome);
    }
}

TEST_F(TextFile, SizesWithoutABufferGiveNoMemory) {
    for (const LONGLONG size : {0xFFFFFFFELL, 0xFFFFFFFFLL, 0x100000004LL}) {
        SCOPED_TRACE(size);
        WriteOfSize(size);
        const UnicodeTextFile file = ReadUnicodeTextFile(path_);
        EXPECT_EQ(file.outcome, Outcome::NoMemory);
        EXPECT_EQ(file.text, L"");
    }
}

} // namespace

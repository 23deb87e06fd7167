#include "TextFile.h"

#include "framework/UniqueHandle.h"

#include <windows.h>

#include <cwchar>
#include <new>
#include <stdexcept>

namespace {

constexpr DWORD kMarkBytes = 2;
// The text, its terminator included, must fit a buffer whose size is a 32-bit count.
constexpr DWORD kMaxFileBytes = MAXDWORD - 2;

// The text read into a zero-filled buffer: an odd last byte becomes the low byte of a
// final character, and the text always ends inside the buffer.
UnicodeTextFile ReadText(HANDLE file, DWORD payloadBytes) {
    try {
        std::wstring text((static_cast<size_t>(payloadBytes) + 1) / 2, L'\0');
        DWORD read = 0;
        if (payloadBytes > 0 && !ReadFile(file, text.data(), payloadBytes, &read, nullptr))
            read = 0;
        text.resize((static_cast<size_t>(read) + 1) / 2);
        text.resize(wcslen(text.c_str()));
        return {UnicodeTextFile::Outcome::Text, std::move(text)};
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) { // more characters than a string can hold
    }
    return {UnicodeTextFile::Outcome::NoMemory, {}};
}

} // namespace

UnicodeTextFile ReadUnicodeTextFile(const std::wstring& path) {
    // No write sharing: a file that is still being written is not taken.
    const UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return {UnicodeTextFile::Outcome::CannotOpen, {}};

    // A size that cannot be taken reads as INVALID_FILE_SIZE, which is too large.
    DWORD high = 0;
    const DWORD size = GetFileSize(file.get(), &high);
    if (high != 0 || size > kMaxFileBytes)
        return {UnicodeTextFile::Outcome::NoMemory, {}};

    BYTE mark[kMarkBytes];
    DWORD markRead = 0;
    ReadFile(file.get(), mark, kMarkBytes, &markRead, nullptr);
    return ReadText(file.get(), size > kMarkBytes ? size - kMarkBytes : 0);
}

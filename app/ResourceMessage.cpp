#include "ResourceMessage.h"

#include "framework/ResourceString.h"

#include <cstdarg>
#include <memory>
#include <new>
#include <stdexcept>

namespace {

struct LocalFreeDeleter {
    void operator()(wchar_t* buffer) const { LocalFree(buffer); }
};
using LocalBuffer = std::unique_ptr<wchar_t, LocalFreeDeleter>;

// FormatMessageW takes its inserts as a va_list.
DWORD FormatFromString(const wchar_t* format, LocalBuffer& output, ...) {
    va_list args;
    va_start(args, output);
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                                        format, 0, 0, reinterpret_cast<LPWSTR>(&buffer), 0, &args);
    va_end(args);
    output.reset(buffer);
    return length;
}

} // namespace

std::wstring FormatResourceMessage(UINT id, const std::wstring& argument) {
    std::wstring format;
    if (!LoadResourceString(id, format))
        throw std::invalid_argument("string-table entry without text");
    LocalBuffer output;
    const DWORD length = FormatFromString(format.c_str(), output, argument.c_str());
    if (length == 0 || !output)
        throw std::bad_alloc();
    return std::wstring(output.get(), length);
}

#include "PathParts.h"

#include <windows.h>

namespace {

// Each part's buffer in the run-time library's split holds this much, terminator included.
constexpr size_t kPartChars = 256;

} // namespace

PathParts SplitPath(const std::wstring& path) {
    PathParts parts;
    size_t start = 0;
    if (path.size() >= 2 && path[1] == L':') {
        parts.drive = path.substr(0, 2);
        start = 2;
    }
    const size_t slash = path.find_last_of(L"\\/");
    if (slash != std::wstring::npos && slash >= start) {
        parts.folder = path.substr(start, slash + 1 - start);
        start = slash + 1;
    }
    const size_t dot = path.find_last_of(L'.');
    if (dot != std::wstring::npos && dot >= start) {
        parts.name = path.substr(start, dot - start);
        parts.ext = path.substr(dot);
    } else {
        parts.name = path.substr(start);
    }
    if (parts.folder.size() >= kPartChars || parts.name.size() >= kPartChars ||
        parts.ext.size() >= kPartChars)
        return {};
    return parts;
}

std::wstring JoinPath(const PathParts& parts) {
    std::wstring path = parts.drive + parts.folder;
    if (!parts.folder.empty() && path.back() != L'\\' && path.back() != L'/')
        path += L'\\';
    path += parts.name;
    if (!parts.ext.empty() && parts.ext.front() != L'.')
        path += L'.';
    path += parts.ext;
    if (path.size() >= MAX_PATH)
        return {};
    return path;
}

std::wstring GetFileNamePart(std::wstring path) {
    const PathParts parts = SplitPath(path);
    return JoinPath({L"", L"", parts.name, parts.ext});
}

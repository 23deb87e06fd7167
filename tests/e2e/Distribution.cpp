#include "Distribution.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

std::wstring TempFolder(const wchar_t* prefix) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    wchar_t name[MAX_PATH];
    if (!GetTempFileNameW(temp, prefix, 0, name))
        throw std::runtime_error("no temporary name");
    DeleteFileW(name);
    if (!CreateDirectoryW(name, nullptr))
        throw std::runtime_error("no temporary folder");
    return name;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path.c_str(), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write test file");
}

std::string Utf16Bytes(const std::wstring& text) {
    std::string bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    return bytes;
}

} // namespace

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

std::wstring Wide(const std::string& utf8) {
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), size);
    return out;
}

std::wstring BuildFolder() {
    // The 32-bit installer is tested from the 64-bit test programs' folder.
    wchar_t other[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"SETUP_BIN_DIR", other, MAX_PATH);
    if (length && length < MAX_PATH) {
        std::wstring folder = other;
        if (folder.front() == L'/') // a Linux path, seen through Wine's drive Z:
            folder = L"Z:" + folder;
        std::replace(folder.begin(), folder.end(), L'/', L'\\');
        return folder;
    }
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\'));
}

Distribution::Distribution(const std::wstring& exeName)
    : folder_(TempFolder(L"dst")), exeName_(exeName), elsewhere_(TempFolder(L"cwd")) {
    const std::wstring build = BuildFolder();
    if (!CopyFileW((build + L"\\Setup.exe").c_str(), Exe().c_str(), FALSE) ||
        !CopyFileW((build + L"\\difxapi.dll").c_str(), (folder_ + L"\\difxapi.dll").c_str(), FALSE))
        throw std::runtime_error("cannot copy the installer into the distribution folder");
}

Distribution::~Distribution() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
    std::filesystem::remove_all(elsewhere_, ignored);
}

void Distribution::WriteIni(const std::wstring& text) const {
    const size_t dot = exeName_.find_last_of(L'.');
    WriteUnicodeText(exeName_.substr(0, dot) + L".ini", text);
}

void Distribution::WriteUnicodeText(const std::wstring& relativePath,
                                    const std::wstring& text) const {
    WriteBytes(relativePath, Utf16Bytes(text));
}

void Distribution::WriteBytes(const std::wstring& relativePath, const std::string& bytes) const {
    WriteFileBytes(folder_ + L"\\" + relativePath, bytes);
}

void Distribution::WriteInf(const std::wstring& relativePath) const {
    WriteBytes(relativePath, "[Version]\r\nSignature=\"$Windows NT$\"\r\n");
}

void Distribution::CopyFromBuild(const std::wstring& fileName) const {
    if (!CopyFileW((BuildFolder() + L"\\" + fileName).c_str(), (folder_ + L"\\" + fileName).c_str(),
                   FALSE))
        throw std::runtime_error("cannot copy " + Utf8(fileName) + " from the build folder");
}

void Distribution::RenameExe(const std::wstring& exeName) {
    if (!MoveFileW(Exe().c_str(), (folder_ + L"\\" + exeName).c_str()))
        throw std::runtime_error("cannot rename the installer");
    exeName_ = exeName;
}

void Distribution::PlanLibrary(const std::string& plan) const {
    WriteBytes(L"difx-plan.txt", plan);
}

std::vector<std::string> Distribution::LibraryCalls() const {
    std::ifstream in((folder_ + L"\\difx-record.txt").c_str(), std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::wstring> Distribution::PreinstalledPaths() const {
    std::vector<std::wstring> paths;
    for (const std::string& line : LibraryCalls()) {
        const size_t at = line.find(" path=");
        if (line.rfind("Preinstall", 0) == 0 && at != std::string::npos)
            paths.push_back(Wide(line.substr(at + 6)));
    }
    return paths;
}

uidriver::Process Distribution::Start() const {
    return uidriver::Process::Start(Exe(), elsewhere_);
}

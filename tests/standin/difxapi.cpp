// Stand-in for difxapi.dll, for the tests and the demo only; never shipped.
//
// Every call appends one UTF-8 line to difx-record.txt in this DLL's folder:
//   SetLogCallback set | SetLogCallback clear
//   Preinstall flags=0x<hex> callback=<0|1> path=<path as received>
//   Probe <name> loaded=<0|1>
// Results come from difx-plan.txt in the same folder, read at every call:
//   code <decimal>   result of the 1st, 2nd, ... pre-install call of the process
//   delay <ms>       every pre-install call sleeps this long first
//   probe <name>     every pre-install call tries LoadLibraryW(name) inside the calling
//                    process and records whether it loaded: with a plain file name this
//                    shows which folders the process's DLL search takes in
// Other lines are ignored; once the codes are used up, or without a plan, the
// result is 0.

#define DIFXAPI_API // we define the functions; the .def exports them
#include "DifxApi.h"

#include "framework/CriticalSection.h"
#include "framework/UniqueHandle.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

extern "C" IMAGE_DOS_HEADER __ImageBase; // this DLL's own module

namespace {

constexpr DWORD kMaxPlanBytes = 64 * 1024; // a plan is a few lines; ignore the rest

struct LogTarget {
    DIFXAPILOGCALLBACK_W callback = nullptr;
    PVOID context = nullptr;
};

// Callback and context change together, so they share one lock.
CCriticalSection g_logLock;
LogTarget g_log;
volatile LONG g_preinstallCalls = 0;

LogTarget CurrentLog() {
    CCriticalSectionLock lock(g_logLock);
    return g_log;
}

// Full path of a file beside this DLL; empty when our own path is unknown.
std::wstring BesideThisDll(const wchar_t* fileName) {
    const auto self = reinterpret_cast<HMODULE>(&__ImageBase);
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(self, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        if (path.size() >= 32768)
            return {};
        path.resize(path.size() * 2); // truncated: retry with more room
    }
    const auto slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos)
        return {};
    path.resize(slash + 1);
    return path + fileName;
}

std::wstring FromUtf8(std::string_view text) {
    if (text.empty())
        return {};
    const int utf8Length = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), utf8Length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), utf8Length, wide.data(), length);
    return wide;
}

std::string ToUtf8(std::wstring_view text) {
    if (text.empty())
        return {};
    const int wideLength = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), wideLength, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

// Opened and closed per line, so the record survives the process being killed.
void AppendRecord(std::string line) {
    const std::wstring path = BesideThisDll(L"difx-record.txt");
    if (path.empty())
        return;
    const UniqueHandle file(CreateFileW(path.c_str(), FILE_APPEND_DATA,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return;
    line += '\n';
    DWORD written = 0;
    WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

std::string ReadPlanText() {
    const std::wstring path = BesideThisDll(L"difx-plan.txt");
    if (path.empty())
        return {};
    const UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return {};
    std::string text(kMaxPlanBytes, '\0');
    DWORD size = 0;
    while (size < kMaxPlanBytes) {
        DWORD got = 0;
        if (!ReadFile(file.get(), text.data() + size, kMaxPlanBytes - size, &got, nullptr) ||
            got == 0)
            break;
        size += got;
    }
    text.resize(size);
    return text;
}

std::string_view Trim(std::string_view text) {
    constexpr std::string_view blanks = " \t\r";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// Plain decimal that fits a DWORD; anything else is rejected.
bool ParseDword(std::string_view text, DWORD& value) {
    if (text.empty())
        return false;
    unsigned long long number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        number = number * 10 + static_cast<unsigned>(c - '0');
        if (number > 0xFFFFFFFFull)
            return false;
    }
    value = static_cast<DWORD>(number);
    return true;
}

struct Plan {
    std::vector<DWORD> codes;
    DWORD delayMs = 0;
    std::vector<std::string> probes; // UTF-8, as written
};

Plan ReadPlan() {
    Plan plan;
    const std::string content = ReadPlanText();
    std::string_view text = content;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") // editors may add a UTF-8 BOM
        text.remove_prefix(3);
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

        const auto space = line.find_first_of(" \t");
        if (space == std::string_view::npos)
            continue;
        const std::string_view keyword = line.substr(0, space);
        if (keyword == "probe") {
            plan.probes.emplace_back(Trim(line.substr(space + 1)));
            continue;
        }
        DWORD value = 0;
        if (!ParseDword(Trim(line.substr(space + 1)), value))
            continue;
        if (keyword == "code")
            plan.codes.push_back(value);
        else if (keyword == "delay")
            plan.delayMs = value;
    }
    return plan;
}

// Whether the DLL loads in this process; it is released again at once.
bool Probe(const std::wstring& name) {
    const HMODULE module = LoadLibraryW(name.c_str());
    if (!module)
        return false;
    FreeLibrary(module);
    return true;
}

} // namespace

extern "C" DWORD WINAPI DriverPackagePreinstallW(PCWSTR DriverPackageInfPath, DWORD Flags) {
    const auto call = static_cast<DWORD>(InterlockedIncrement(&g_preinstallCalls)); // 1-based
    try {
        const LogTarget log = CurrentLog();
        char head[64];
        std::snprintf(head, sizeof head, "Preinstall flags=0x%lx callback=%d path=", Flags,
                      log.callback ? 1 : 0);
        AppendRecord(head + (DriverPackageInfPath ? ToUtf8(DriverPackageInfPath) : "(null)"));

        const Plan plan = ReadPlan();
        for (const std::string& name : plan.probes)
            AppendRecord("Probe " + name + " loaded=" + (Probe(FromUtf8(name)) ? "1" : "0"));
        if (plan.delayMs != 0)
            Sleep(plan.delayMs);
        if (log.callback)
            log.callback(DIFXAPI_INFO, 0, L"Stand-in pre-install called", log.context);
        return call <= plan.codes.size() ? plan.codes[call - 1] : ERROR_SUCCESS;
    } catch (...) { // nothing may unwind into the caller
        return ERROR_OUTOFMEMORY;
    }
}

extern "C" VOID WINAPI DIFXAPISetLogCallbackW(DIFXAPILOGCALLBACK_W LogCallback,
                                              PVOID CallbackContext) {
    {
        CCriticalSectionLock lock(g_logLock);
        g_log = LogTarget{LogCallback, LogCallback ? CallbackContext : nullptr};
    }
    try {
        AppendRecord(LogCallback ? "SetLogCallback set" : "SetLogCallback clear");
    } catch (...) { // nothing may unwind into the caller
    }
}

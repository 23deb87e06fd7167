#include "Process.h"

#include "Wait.h"

#include <system_error>

namespace uidriver {
namespace {

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectVisibleWindow(HWND hwnd, LPARAM param) {
    auto& search = *reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == search.processId && IsWindowVisible(hwnd))
        search.found.push_back(hwnd);
    return TRUE;
}

// Visible top-level windows of one process, topmost first.
std::vector<HWND> VisibleTopLevelWindows(DWORD processId) {
    WindowSearch search{processId, {}};
    EnumWindows(CollectVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool HasEnded(HANDLE process) {
    return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
}

} // namespace

std::filesystem::path ExecutableDirectory() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return std::filesystem::path(path).parent_path();
        }
        path.resize(path.size() * 2); // truncated: try a larger buffer
    }
}

Process Process::Start(const std::wstring& exe, const std::wstring& workDir) {
    std::wstring commandLine = L"\"" + exe + L"\""; // CreateProcessW may write into it
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workDir.empty() ? nullptr : workDir.c_str(), &startup, &info))
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category(),
                                "cannot start " + std::filesystem::path(exe).u8string());
    return Process(info);
}

Process::Process(const PROCESS_INFORMATION& info)
    : process_(info.hProcess), thread_(info.hThread), id_(info.dwProcessId) {}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        Kill();
        process_ = std::move(other.process_);
        thread_ = std::move(other.thread_);
        id_ = other.id_;
        reported_ = std::move(other.reported_);
    }
    return *this;
}

Process::~Process() {
    Kill();
}

std::optional<Window> Process::WaitForNextWindow(DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        const bool ended = HasEnded(process_.get());
        const std::vector<HWND> windows = VisibleTopLevelWindows(id_);
        // An owned window always lies above its owner, so the lowest new window goes first.
        for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
            if (reported_.insert(*it).second)
                return Snapshot(*it);
        }
        if (ended || GetTickCount64() >= deadline)
            return std::nullopt;
        WaitForSingleObject(process_.get(), kPollIntervalMs); // wakes at once when it ends
    }
}

std::vector<Window> Process::VisibleWindows() const {
    std::vector<Window> windows;
    for (HWND hwnd : VisibleTopLevelWindows(id_))
        windows.push_back(Snapshot(hwnd));
    return windows;
}

std::optional<DWORD> Process::WaitExit(DWORD timeoutMs) {
    DWORD code = 0;
    if (WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process_.get(), &code))
        return std::nullopt;
    return code;
}

void Process::Kill() {
    if (!process_ || HasEnded(process_.get()))
        return;
    TerminateProcess(process_.get(), kKilledExitCode);
    // Termination is asynchronous; a later test must not meet this process's windows.
    WaitForSingleObject(process_.get(), kSendTimeoutMs);
}

} // namespace uidriver

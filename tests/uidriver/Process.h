#pragma once
// Process: a program under test, started by the driver and ended by it at the latest when the
// object goes away, and the windows it shows, each reported once.

#include "Handle.h"
#include "Wait.h"
#include "Window.h"

#include <windows.h>

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace uidriver {

// Folder of the running executable: the test programs find the program under test there.
std::filesystem::path ExecutableDirectory();

class Process {
public:
    // Exit code of a process that Kill ended.
    static constexpr DWORD kKilledExitCode = 0xDEAD;

    // Starts exe in workDir with no arguments; throws std::system_error when it cannot start.
    static Process Start(const std::wstring& exe, const std::wstring& workDir);

    Process(Process&&) noexcept = default;
    Process& operator=(Process&& other) noexcept;
    ~Process();

    DWORD Id() const { return id_; }

    // The next visible top-level window of any of the process's threads that this object has not
    // reported before; hidden helper windows are skipped. When several are new, owners come before
    // the windows they own. nullopt once the process has ended or after timeoutMs.
    std::optional<Window> WaitForNextWindow(DWORD timeoutMs = DefaultTimeoutMs());

    // The process's visible top-level windows now, topmost first; marks none as reported.
    std::vector<Window> VisibleWindows() const;

    // The exit code, or nullopt when the process still runs after timeoutMs.
    std::optional<DWORD> WaitExit(DWORD timeoutMs = DefaultTimeoutMs());

    // Ends the process with kKilledExitCode and waits for it to be gone; nothing if it has ended.
    void Kill();

private:
    explicit Process(const PROCESS_INFORMATION& info);

    UniqueHandle process_;
    UniqueHandle thread_;
    DWORD id_ = 0;
    std::set<HWND> reported_;
};

} // namespace uidriver

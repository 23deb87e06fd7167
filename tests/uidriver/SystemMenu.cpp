#include "SystemMenu.h"

#include "Handle.h"
#include "Process.h"
#include "Wait.h"
#include "probe/ProbeProtocol.h"

#include <stdexcept>
#include <system_error>

namespace uidriver {
namespace {

[[noreturn]] void ThrowLastError(const char* what) {
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), what);
}

LRESULT AskProbe(HWND hwnd, DWORD threadId) {
    const std::filesystem::path dll = ExecutableDirectory() / probe::kDllName;
    const UniqueModule module(LoadLibraryW(dll.c_str()));
    if (!module)
        ThrowLastError("cannot load uiprobe.dll beside the test executable");
    // GetProcAddress yields a generic function pointer; going through void(*)() tells the
    // compiler the cast to the hook's real type is meant.
    const auto hookProc = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void (*)()>(GetProcAddress(module.get(), probe::kHookProcName)));
    if (!hookProc)
        ThrowLastError("uiprobe.dll lacks its hook procedure");

    // Declared after the module, so the hook goes before the DLL is released here.
    const UniqueHook hook(SetWindowsHookExW(WH_CALLWNDPROC, hookProc, module.get(), threadId));
    if (!hook)
        ThrowLastError("cannot hook the window's thread");
    DWORD_PTR reply = 0;
    if (!SendMessageTimeoutW(hwnd, probe::QueryMessage(), 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &reply))
        ThrowLastError("the window did not answer the system-menu query");
    return static_cast<LRESULT>(reply);
}

} // namespace

bool IsSystemCloseGrayed(HWND hwnd) {
    DWORD processId = 0;
    const DWORD threadId = GetWindowThreadProcessId(hwnd, &processId);
    if (!threadId)
        throw std::runtime_error("IsSystemCloseGrayed: no such window");
    const LRESULT state =
        processId == GetCurrentProcessId() ? probe::ReadCloseState(hwnd) : AskProbe(hwnd, threadId);
    if (!(state & probe::kAnswered))
        throw std::runtime_error("IsSystemCloseGrayed: the probe did not answer");
    return probe::IsGrayed(state);
}

} // namespace uidriver

#pragma once
// Owning wrappers for the Win32 handles the driver opens: std::unique_ptr with a deleter per kind,
// so each is movable, not copyable, and released exactly once.

#include <windows.h>

#include <memory>
#include <type_traits>

namespace uidriver {

struct HandleCloser {
    void operator()(HANDLE handle) const noexcept { CloseHandle(handle); }
};
struct ModuleFreer {
    void operator()(HMODULE module) const noexcept { FreeLibrary(module); }
};
struct HookRemover {
    void operator()(HHOOK hook) const noexcept { UnhookWindowsHookEx(hook); }
};

using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;
using UniqueModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleFreer>;
using UniqueHook = std::unique_ptr<std::remove_pointer_t<HHOOK>, HookRemover>;

} // namespace uidriver

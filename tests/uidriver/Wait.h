#pragma once
// Timing shared by the driver: how often it polls and how long it lets another process answer a
// sent message before it gives up on it.

#include <windows.h>

namespace uidriver {

inline constexpr DWORD kPollIntervalMs = 25;
inline constexpr UINT kSendTimeoutMs = 5000;

// Polls condition until it holds or timeoutMs has passed; returns whether it held. Use it after
// posting input: posted messages are handled after any message the driver sends meanwhile, so a
// change they cause is not visible at once.
template <typename Condition> bool WaitUntil(Condition condition, DWORD timeoutMs = 20000) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(kPollIntervalMs);
    }
    return true;
}

} // namespace uidriver

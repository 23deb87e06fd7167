#pragma once
// Timing shared by the driver: how often it polls and how long it lets another process answer a
// sent message before it gives up on it.

#include <windows.h>

#include <cwchar>

namespace uidriver {

inline constexpr DWORD kPollIntervalMs = 25;

// How long the driver waits for the program by default: 20 s, or UIDRIVER_TIMEOUT_MS from
// the environment for a program that runs much slower (for instance under an emulator).
inline DWORD DefaultTimeoutMs() {
    static const DWORD timeout = [] {
        wchar_t value[16];
        const DWORD length = GetEnvironmentVariableW(L"UIDRIVER_TIMEOUT_MS", value, 16);
        const unsigned long parsed = length && length < 16 ? wcstoul(value, nullptr, 10) : 0;
        return parsed ? static_cast<DWORD>(parsed) : DWORD{20000};
    }();
    return timeout;
}
inline constexpr UINT kSendTimeoutMs = 5000;

// Polls condition until it holds or timeoutMs has passed; returns whether it held. Use it after
// posting input: posted messages are handled after any message the driver sends meanwhile, so a
// change they cause is not visible at once.
template <typename Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs = DefaultTimeoutMs()) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(kPollIntervalMs);
    }
    return true;
}

} // namespace uidriver

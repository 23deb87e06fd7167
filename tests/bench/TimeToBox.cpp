// timetobox.exe RUNS PROGRAM: starts PROGRAM in its own folder RUNS times, one run after the
// other, and prints one line per run:
//     <ms from the start to the first message box> <peak working set in KiB>
// It then presses OK in that box and waits for the program to end. A new window is seen at
// the UI driver's next poll (every uidriver::kPollIntervalMs), a delay that every figure
// shares. Exits 1 when a run shows no message box or ends with an exit code other than 0.

#include "uidriver/UiDriver.h"

#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>

namespace {

constexpr DWORD kRunTimeoutMs = 600000; // a run with a thousand packages takes a while

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

// The peak working set so far of the process, in KiB; 0 when it cannot be read.
unsigned long long PeakWorkingSetKiB(DWORD processId) {
    const uidriver::UniqueHandle process(
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    PROCESS_MEMORY_COUNTERS counters{};
    if (!process || !GetProcessMemoryInfo(process.get(), &counters, sizeof counters))
        return 0;
    return counters.PeakWorkingSetSize / 1024;
}

// One run; false when it did not end with a box and exit code 0.
bool Run(const std::wstring& program, const std::wstring& folder) {
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    uidriver::Process process = uidriver::Process::Start(program, folder);
    std::optional<uidriver::Window> box;
    while (const auto window = process.WaitForNextWindow(kRunTimeoutMs)) {
        if (window->IsMessageBox()) {
            box = window;
            break;
        }
    }
    LARGE_INTEGER shown;
    QueryPerformanceCounter(&shown);
    if (!box) {
        fprintf(stderr, "no message box appeared\n");
        return false;
    }
    const unsigned long long peak = PeakWorkingSetKiB(process.Id());
    uidriver::Press(*box, IDOK);
    const auto code = process.WaitExit();
    if (code != DWORD{0}) {
        fprintf(stderr, "the program ended with %lu\n", code ? *code : 0xFFFFFFFFul);
        return false;
    }
    printf("%.1f %llu\n", Milliseconds(start, shown), peak);
    fflush(stdout);
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const long runs = argc == 3 ? std::wcstol(argv[1], nullptr, 10) : 0;
    if (runs <= 0) {
        fprintf(stderr, "usage: timetobox RUNS PROGRAM\n");
        return 2;
    }
    const std::wstring program = argv[2];
    const std::wstring folder = program.substr(0, program.find_last_of(L"\\/"));
    for (long run = 0; run < runs; ++run) {
        if (!Run(program, folder))
            return 1;
    }
    return 0;
}

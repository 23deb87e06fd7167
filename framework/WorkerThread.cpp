#include "WorkerThread.h"

#include <process.h>

#include <memory>
#include <new>

namespace {

struct StartInfo {
    WorkerThreadProc proc;
    void* param;
};

unsigned __stdcall ThreadEntry(void* startInfo) {
    const std::unique_ptr<StartInfo> info(static_cast<StartInfo*>(startInfo));
    return info->proc(info->param);
}

} // namespace

UniqueHandle BeginWorkerThread(WorkerThreadProc proc, void* param, int priority) {
    std::unique_ptr<StartInfo> info(new (std::nothrow) StartInfo{proc, param});
    if (!info)
        return {};
    // Created suspended so that the priority holds from the thread's first instruction;
    // _beginthreadex rather than CreateThread gives the thread its run-time library state.
    UniqueHandle thread(reinterpret_cast<HANDLE>(
        _beginthreadex(nullptr, 0, ThreadEntry, info.get(), CREATE_SUSPENDED, nullptr)));
    if (!thread)
        return {};
    info.release(); // the thread frees it
    SetThreadPriority(thread.get(), priority);
    ResumeThread(thread.get());
    return thread;
}

#pragma once
// BeginWorkerThread: starts a thread that runs one function with one parameter, in place
// of the framework's worker-thread start.

#include "UniqueHandle.h"

#include <windows.h>

// The thread function; what it returns is the thread's exit code.
using WorkerThreadProc = UINT (*)(void* param);

// Starts proc(param) on a new thread with the default stack, running at once at priority
// (a THREAD_PRIORITY_ value, set before the thread runs). Returns the thread's handle, or
// an empty one when the thread could not be created.
UniqueHandle BeginWorkerThread(WorkerThreadProc proc, void* param,
                               int priority = THREAD_PRIORITY_NORMAL);

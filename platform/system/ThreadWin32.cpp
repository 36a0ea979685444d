// Threads start through the C runtime (_beginthreadex), so that its per-thread data is set up.
// They are created suspended, get their priority, and run once resumed.
#include "Thread.h"

#include <process.h>
#include <windows.h>

namespace nox {
namespace audio {

namespace {

int win32PriorityFor(s32 priority) {
    switch (priority) {
    case THREAD_PRIORITY_VALUE_LOWEST:
        return THREAD_PRIORITY_LOWEST;
    case THREAD_PRIORITY_VALUE_BELOW_NORMAL:
        return THREAD_PRIORITY_BELOW_NORMAL;
    case THREAD_PRIORITY_VALUE_ABOVE_NORMAL:
        return THREAD_PRIORITY_ABOVE_NORMAL;
    case THREAD_PRIORITY_VALUE_HIGHEST:
        return THREAD_PRIORITY_HIGHEST;
    default:
        return THREAD_PRIORITY_NORMAL;
    }
}

// Windows 9x reports its own platform id and gets no priority change.
bool mayChangePriority() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
    BOOL known = GetVersionExA(&version);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
    return known && version.dwPlatformId != VER_PLATFORM_WIN32_WINDOWS;
}

unsigned __stdcall threadRoutine(void* argument) {
    ThreadStartBlock* block = static_cast<ThreadStartBlock*>(argument);
    block->runnable->run(block);
    delete block;
    return 0;
}

// A running thread at `priority`, or null.
HANDLE createThread(IThreadRunnable* runnable, u32 userValue, s32 priority) {
    if (!runnable)
        return nullptr;
    ThreadStartBlock* block = new ThreadStartBlock{runnable, userValue};
    uintptr_t started = _beginthreadex(nullptr, 0, threadRoutine, block, CREATE_SUSPENDED, nullptr);
    if (started == 0) {
        delete block;
        return nullptr;
    }
    HANDLE thread = reinterpret_cast<HANDLE>(started);
    if (mayChangePriority())
        SetThreadPriority(thread, win32PriorityFor(priority));
    ResumeThread(thread);
    return thread;
}

} // namespace

bool startThread(IThreadRunnable* runnable, u32 userValue, s32 priority) {
    HANDLE thread = createThread(runnable, userValue, priority);
    if (!thread)
        return false;
    CloseHandle(thread);
    return true;
}

bool JoinableThread::start(IThreadRunnable* runnable) {
    if (handle_ != 0)
        return false;
    HANDLE thread = createThread(runnable, 0, THREAD_PRIORITY_VALUE_NORMAL);
    handle_ = reinterpret_cast<std::uintptr_t>(thread);
    return thread != nullptr;
}

void JoinableThread::join() {
    if (handle_ == 0)
        return;
    HANDLE thread = reinterpret_cast<HANDLE>(handle_);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    handle_ = 0;
}

void sleepMilliseconds(u32 ms) {
    Sleep(ms);
}

} // namespace audio
} // namespace nox

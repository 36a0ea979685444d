// Starting a thread on an object, waiting for it, and sleeping.
#ifndef DRAVON_PLATFORM_SYSTEM_THREAD_H
#define DRAVON_PLATFORM_SYSTEM_THREAD_H

#include "dravon/Types.h"

#include <cstdint>

namespace nox {
namespace audio {

class IThreadRunnable;

//! Handed to the new thread's run(); freed by the thread after run() returns.
struct ThreadStartBlock {
    IThreadRunnable* runnable;
    //! Passed through unchanged from startThread().
    u32 userValue;
};

//! An object whose run() is a thread's body. The creator keeps it alive until run() returns.
class IThreadRunnable {
public:
    virtual void run(ThreadStartBlock* block) = 0;

protected:
    ~IThreadRunnable() = default;
};

//! Thread priorities, lowest to highest; any other value means normal.
enum E_THREAD_PRIORITY {
    THREAD_PRIORITY_VALUE_LOWEST = 0,
    THREAD_PRIORITY_VALUE_BELOW_NORMAL = 1,
    THREAD_PRIORITY_VALUE_NORMAL = 2,
    THREAD_PRIORITY_VALUE_ABOVE_NORMAL = 3,
    THREAD_PRIORITY_VALUE_HIGHEST = 4
};

//! Starts a detached thread that calls `runnable->run()` at `priority`. Returns false (and starts
//! nothing) for a null runnable or when the thread cannot be created. The thread cannot be joined:
//! ending it is up to the runnable.
bool startThread(IThreadRunnable* runnable, u32 userValue, s32 priority);

//! A thread that its owner waits for, at normal priority. The owner calls join() before it
//! lets the object go.
class JoinableThread {
public:
    JoinableThread() = default;
    JoinableThread(const JoinableThread&) = delete;
    JoinableThread& operator=(const JoinableThread&) = delete;

    //! Starts a thread that calls `runnable->run()`. False (and nothing started) for a null
    //! runnable, when a thread is running already, or when the thread cannot be created.
    bool start(IThreadRunnable* runnable);
    //! Waits until run() has returned; returns at once when no thread was started.
    void join();

private:
    //! The system's handle of the running thread; 0 when there is none.
    std::uintptr_t handle_ = 0;
};

//! Suspends the calling thread for `ms` milliseconds.
void sleepMilliseconds(u32 ms);

} // namespace audio
} // namespace nox

#endif

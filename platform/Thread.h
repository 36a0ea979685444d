// Starting a thread on an object, and sleeping.
#ifndef DRAVON_PLATFORM_THREAD_H
#define DRAVON_PLATFORM_THREAD_H

#include "dravon/Types.h"

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

//! Suspends the calling thread for `ms` milliseconds.
void sleepMilliseconds(u32 ms);

} // namespace audio
} // namespace nox

#endif

// POSIX threads. Priorities map onto nice values relative to the creating thread; raising the
// priority needs privileges, and like a failed priority change on Windows a refusal is ignored.
#include "Thread.h"

#include <cerrno>
#include <ctime>
#include <pthread.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <type_traits>
#include <unistd.h>

namespace nox {
namespace audio {

// The handle of a joinable thread is a pthread_t, an integer on the systems built for.
static_assert(std::is_integral<pthread_t>::value && sizeof(pthread_t) <= sizeof(std::uintptr_t),
              "pthread_t must fit in a JoinableThread's handle");

namespace {

struct PosixStart {
    ThreadStartBlock* block;
    int niceValue;
};

int niceDeltaFor(s32 priority) {
    switch (priority) {
    case THREAD_PRIORITY_VALUE_LOWEST:
        return 10;
    case THREAD_PRIORITY_VALUE_BELOW_NORMAL:
        return 5;
    case THREAD_PRIORITY_VALUE_ABOVE_NORMAL:
        return -5;
    case THREAD_PRIORITY_VALUE_HIGHEST:
        return -10;
    default:
        return 0;
    }
}

id_t currentThreadId() {
    return static_cast<id_t>(syscall(SYS_gettid));
}

void* threadRoutine(void* argument) {
    PosixStart* start = static_cast<PosixStart*>(argument);
    // The new thread sets its own nice value before running, as a suspended thread would get its
    // priority before it is resumed.
    setpriority(PRIO_PROCESS, currentThreadId(), start->niceValue);
    ThreadStartBlock* block = start->block;
    delete start;
    block->runnable->run(block);
    delete block;
    return nullptr;
}

bool createThread(IThreadRunnable* runnable, u32 userValue, s32 priority, pthread_t& thread) {
    if (!runnable)
        return false;
    errno = 0;
    int creatorNice = getpriority(PRIO_PROCESS, currentThreadId());
    if (errno != 0)
        creatorNice = 0;
    PosixStart* start = new PosixStart{new ThreadStartBlock{runnable, userValue},
                                       creatorNice + niceDeltaFor(priority)};
    if (pthread_create(&thread, nullptr, threadRoutine, start) != 0) {
        delete start->block;
        delete start;
        return false;
    }
    return true;
}

} // namespace

bool startThread(IThreadRunnable* runnable, u32 userValue, s32 priority) {
    pthread_t thread;
    if (!createThread(runnable, userValue, priority, thread))
        return false;
    pthread_detach(thread);
    return true;
}

bool JoinableThread::start(IThreadRunnable* runnable) {
    pthread_t thread;
    if (handle_ != 0 || !createThread(runnable, 0, THREAD_PRIORITY_VALUE_NORMAL, thread))
        return false;
    handle_ = static_cast<std::uintptr_t>(thread);
    return true;
}

void JoinableThread::join() {
    if (handle_ == 0)
        return;
    pthread_join(static_cast<pthread_t>(handle_), nullptr);
    handle_ = 0;
}

void sleepMilliseconds(u32 ms) {
    timespec rest{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
    while (nanosleep(&rest, &rest) != 0 && errno == EINTR) {
    }
}

} // namespace audio
} // namespace nox

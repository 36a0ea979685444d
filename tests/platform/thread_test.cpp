#include "ThreadPriorityProbe.h"
#include "platform/system/Mutex.h"
#include "platform/system/Thread.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

using namespace nox::audio;
using dravon_test::currentThreadPriority;
using dravon_test::expectedThreadPriority;

namespace {

// Records what its thread saw and signals completion.
class Probe : public IThreadRunnable {
public:
    void run(ThreadStartBlock* block) override {
        seenRunnable = block->runnable;
        seenUserValue = block->userValue;
        seenPriority = currentThreadPriority();
        done = true;
    }
    void waitUntilDone() {
        for (int i = 0; i < 500 && !done; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_TRUE(done.load());
    }
    std::atomic<bool> done{false};
    IThreadRunnable* seenRunnable = nullptr;
    u32 seenUserValue = 0;
    int seenPriority = 0;
};

} // namespace

TEST(StartThread, NullRunnableStartsNothing) {
    EXPECT_FALSE(startThread(nullptr, 0, 2));
}

TEST(StartThread, BlockCarriesTheRunnableAndTheUserValue) {
    Probe probe;
    ASSERT_TRUE(startThread(&probe, 0xDEADBEEF, 2));
    probe.waitUntilDone();
    EXPECT_EQ(probe.seenRunnable, &probe);
    EXPECT_EQ(probe.seenUserValue, 0xDEADBEEFu);
}

TEST(StartThread, UnknownPriorityRunsAtNormalPriority) {
    Probe probe;
    int creator = currentThreadPriority();
    ASSERT_TRUE(startThread(&probe, 0, 7));
    probe.waitUntilDone();
    EXPECT_EQ(probe.seenPriority, expectedThreadPriority(creator, 7));
}

TEST(StartThread, LowestPriorityRunsNicer) {
    Probe probe;
    int creator = currentThreadPriority();
    ASSERT_TRUE(startThread(&probe, 0, THREAD_PRIORITY_VALUE_LOWEST));
    probe.waitUntilDone();
    EXPECT_EQ(probe.seenPriority, expectedThreadPriority(creator, THREAD_PRIORITY_VALUE_LOWEST));
}

TEST(Mutex, RecursiveLockingThenFullUnlockFreesItForOthers) {
    Mutex* mutex = createMutex();
    mutex->lock();
    mutex->lock();
    std::atomic<bool> otherGotIt{false};
    std::thread other([&] {
        mutex->lock();
        otherGotIt = true;
        mutex->unlock();
    });
    mutex->unlock();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(otherGotIt.load()) << "one unlock of two must keep the lock";
    mutex->unlock();
    other.join();
    EXPECT_TRUE(otherGotIt.load());
    mutex->decRef();
}

TEST(Mutex, GuardsACounterAcrossThreads) {
    Mutex* mutex = createMutex();
    long counter = 0;
    auto work = [&] {
        for (int i = 0; i < 20000; ++i) {
            MutexGuard outer(mutex);
            MutexGuard inner(mutex);
            ++counter;
        }
    };
    std::thread a(work), b(work);
    a.join();
    b.join();
    EXPECT_EQ(counter, 40000);
    mutex->decRef();
}

TEST(Sleep, SleepsAtLeastTheTimeAsked) {
    auto start = std::chrono::steady_clock::now();
    sleepMilliseconds(30);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(30));
}

namespace {

// Takes a while before it records that it ran to its end.
class SlowRunnable : public IThreadRunnable {
public:
    void run(ThreadStartBlock*) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        finished = true;
    }
    std::atomic<bool> finished{false};
};

} // namespace

TEST(JoinableThread, JoinReturnsOnlyOnceRunHasReturned) {
    SlowRunnable slow;
    JoinableThread thread;
    ASSERT_TRUE(thread.start(&slow));
    EXPECT_FALSE(thread.start(&slow)) << "one thread at a time";
    thread.join();
    EXPECT_TRUE(slow.finished);
    // Joined, the object starts a thread again; a null runnable starts none.
    EXPECT_FALSE(thread.start(nullptr));
    ASSERT_TRUE(thread.start(&slow));
    thread.join();
    thread.join();
}

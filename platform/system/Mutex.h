// The recursive lock that the engine shares between the application and its update thread.
#ifndef DRAVON_PLATFORM_SYSTEM_MUTEX_H
#define DRAVON_PLATFORM_SYSTEM_MUTEX_H

#include "dravon/RefCounted.h"

namespace nox {
namespace audio {

//! A recursive lock: the thread holding it may lock it again and must unlock it as often.
class Mutex : public RefCounted {
public:
    //! Blocks until the lock is free, then takes it.
    virtual void lock() = 0;
    //! Leaves the lock once.
    virtual void unlock() = 0;
};

//! A new unlocked mutex with one reference, the caller's.
Mutex* createMutex();

//! Holds a mutex for the lifetime of the guard.
class MutexGuard {
public:
    explicit MutexGuard(Mutex* mutex) : mutex_(mutex) { mutex_->lock(); }
    ~MutexGuard() { mutex_->unlock(); }
    MutexGuard(const MutexGuard&) = delete;
    MutexGuard& operator=(const MutexGuard&) = delete;

private:
    Mutex* mutex_;
};

} // namespace audio
} // namespace nox

#endif

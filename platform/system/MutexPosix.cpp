#include "Mutex.h"

#include <pthread.h>

namespace nox {
namespace audio {

namespace {

class PosixMutex : public Mutex {
public:
    PosixMutex() {
        pthread_mutexattr_t attributes;
        pthread_mutexattr_init(&attributes);
        pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE);
        pthread_mutex_init(&mutex_, &attributes);
        pthread_mutexattr_destroy(&attributes);
    }
    ~PosixMutex() override { pthread_mutex_destroy(&mutex_); }
    void lock() override { pthread_mutex_lock(&mutex_); }
    void unlock() override { pthread_mutex_unlock(&mutex_); }

private:
    pthread_mutex_t mutex_;
};

} // namespace

Mutex* createMutex() {
    return new PosixMutex();
}

} // namespace audio
} // namespace nox

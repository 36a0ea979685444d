#include "Mutex.h"

#include <windows.h>

namespace nox {
namespace audio {

namespace {

// Critical sections are recursive by nature.
class CriticalSectionMutex : public Mutex {
public:
    CriticalSectionMutex() { InitializeCriticalSection(&section_); }
    ~CriticalSectionMutex() override { DeleteCriticalSection(&section_); }
    void lock() override { EnterCriticalSection(&section_); }
    void unlock() override { LeaveCriticalSection(&section_); }

private:
    CRITICAL_SECTION section_;
};

} // namespace

Mutex* createMutex() {
    return new CriticalSectionMutex();
}

} // namespace audio
} // namespace nox

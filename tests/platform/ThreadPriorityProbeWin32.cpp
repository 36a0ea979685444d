#include "ThreadPriorityProbe.h"

#include <windows.h>

namespace dravon_test {

int currentThreadPriority() {
    return GetThreadPriority(GetCurrentThread());
}

int expectedThreadPriority(int, nox::audio::s32 value) {
    static const int table[] = {THREAD_PRIORITY_LOWEST, THREAD_PRIORITY_BELOW_NORMAL,
                                THREAD_PRIORITY_NORMAL, THREAD_PRIORITY_ABOVE_NORMAL,
                                THREAD_PRIORITY_HIGHEST};
    return value >= 0 && value <= 4 ? table[value] : THREAD_PRIORITY_NORMAL;
}

} // namespace dravon_test

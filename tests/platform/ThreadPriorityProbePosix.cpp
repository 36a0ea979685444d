#include "ThreadPriorityProbe.h"

#include "platform/system/Thread.h"

#include <cerrno>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace dravon_test {

int currentThreadPriority() {
    errno = 0;
    return getpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)));
}

int expectedThreadPriority(int creatorPriority, nox::audio::s32 value) {
    // Only lowering is tested: it is always allowed, up to the system's limit of 19.
    if (value == nox::audio::THREAD_PRIORITY_VALUE_LOWEST)
        return creatorPriority + 10 > 19 ? 19 : creatorPriority + 10;
    return creatorPriority;
}

} // namespace dravon_test

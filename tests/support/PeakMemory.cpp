#include "PeakMemory.h"

#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

namespace dravon_test {

std::int64_t peakResidentBytes() {
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return 0;
    return static_cast<std::int64_t>(counters.PeakWorkingSetSize);
#else
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    // Linux counts in kilobytes.
    return static_cast<std::int64_t>(usage.ru_maxrss) * 1024;
#endif
}

} // namespace dravon_test

// How much memory the test process has used at most.
#ifndef DRAVON_TESTS_PEAK_MEMORY_H
#define DRAVON_TESTS_PEAK_MEMORY_H

#include <cstdint>

namespace dravon_test {

//! The largest resident size the process has had so far, in bytes (peak working set on
//! Windows). It never decreases, so the growth across a step bounds what the step used.
std::int64_t peakResidentBytes();

} // namespace dravon_test

#endif

// The priority of the calling thread as the system reports it, for the thread tests.
#ifndef DRAVON_TESTS_THREAD_PRIORITY_PROBE_H
#define DRAVON_TESTS_THREAD_PRIORITY_PROBE_H

#include "dravon/Types.h"

namespace dravon_test {

//! The system's priority value of the calling thread (a nice value on POSIX).
int currentThreadPriority();

//! The system's value a thread started with priority `value` gets, when started by a thread
//! whose own value is `creatorPriority`.
int expectedThreadPriority(int creatorPriority, nox::audio::s32 value);

} // namespace dravon_test

#endif

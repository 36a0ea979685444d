// What tests observe of the wave-out layer of systems without WinMM. Only tests include this.
#ifndef DRAVON_PLATFORM_WAVEOUT_WAVE_OUT_TEST_SEAM_H
#define DRAVON_PLATFORM_WAVEOUT_WAVE_OUT_TEST_SEAM_H

#include "dravon/Types.h"

namespace nox {
namespace audio {

//! How many wave-out calls this process has made, so a test can show that a path makes none.
u32 getWaveOutCallCount();

} // namespace audio
} // namespace nox

#endif

// What tests observe of the WinMM engine's ring of buffers. Only tests include this.
#ifndef DRAVON_DRIVERS_MIXER_WIN_MM_ENGINE_TEST_SEAM_H
#define DRAVON_DRIVERS_MIXER_WIN_MM_ENGINE_TEST_SEAM_H

#include "WinMMEngine.h"

namespace nox {
namespace audio {

//! Header `index` (0 to WinMMEngine::bufferCount - 1) of the engine's ring, borrowed.
const WAVEHDR& getRingHeader(const WinMMEngine& engine, s32 index);

} // namespace audio
} // namespace nox

#endif

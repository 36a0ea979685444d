// The outputs the system offers.
#ifndef DRAVON_PLATFORM_AUDIO_AUDIO_OUTPUT_LIST_H
#define DRAVON_PLATFORM_AUDIO_AUDIO_OUTPUT_LIST_H

#include "dravon/IOutputDeviceList.h"

namespace nox {
namespace audio {

//! The system's playback devices at this moment, the caller's reference: ALSA's devices on
//! Linux, WinMM's wave-out devices (by product name) on Windows.
IOutputDeviceList* createAudioOutputList();

} // namespace audio
} // namespace nox

#endif

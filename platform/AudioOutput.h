// Where a wave-out device's bytes go: a sound device, a WAVE file, or a test's manual clock.
#ifndef DRAVON_PLATFORM_AUDIO_OUTPUT_H
#define DRAVON_PLATFORM_AUDIO_OUTPUT_H

#include "WaveOut.h"
#include "dravon/IOutputDeviceList.h"
#include "dravon/RefCounted.h"

namespace nox {
namespace audio {

class WaveOutQueue;

//! One output of a wave-out device. The device calls open(), then start(), then stop(), all on
//! the thread that opens and closes the device.
class AudioOutput : public RefCounted {
public:
    //! Opens the output for `format`: MMSYSERR_NOERROR, or the result waveOutOpen reports.
    virtual MMRESULT open(const WAVEFORMATEX& format) = 0;
    //! Starts playing what `queue` holds; the queue stays valid until stop() has returned.
    virtual void start(WaveOutQueue* queue) = 0;
    //! Stops playing and closes what open() opened; the queue is not used afterwards.
    virtual void stop() = 0;
};

//! A new, unopened output for `name`, the caller's reference. Null or "" is the default output
//! (the system's default ALSA device, or the virtual output a test installed); "wav:" and a path
//! is capture to that WAVE file; any other name is an ALSA device name.
AudioOutput* createAudioOutput(const char* name);

//! The outputs the system offers (ALSA playback devices), the caller's reference.
IOutputDeviceList* createSystemOutputDeviceList();

} // namespace audio
} // namespace nox

#endif

// An output for tests: it plays only when the test advances its clock.
#ifndef DRAVON_PLATFORM_VIRTUAL_AUDIO_OUTPUT_H
#define DRAVON_PLATFORM_VIRTUAL_AUDIO_OUTPUT_H

#include "AudioOutput.h"

#include <vector>

namespace nox {
namespace audio {

//! Nothing plays until advance() moves the clock: then the queued bytes of that many frames are
//! played (kept in getPlayed()) and the buffers played to their end are marked done before
//! advance() returns. So ring behaviour, done flags and mixing are deterministic.
//!
//! Reached only from internal code: installVirtualAudioOutput() makes it the default output, so
//! a device opened on WAVE_MAPPER (an engine created with the default output) plays into it.
//! The test calls advance() on its own thread while an engine may write from its update thread.
class VirtualAudioOutput : public AudioOutput {
public:
    //! Makes every later open() fail with `result`; MMSYSERR_NOERROR opens normally again.
    void failOpensWith(MMRESULT result) { openResult_ = result; }

    MMRESULT open(const WAVEFORMATEX& format) override;
    void start(WaveOutQueue* queue) override { queue_ = queue; }
    void stop() override { queue_ = nullptr; }

    //! Plays up to `frames` queued frames; returns how many were queued and played. Silence
    //! while the queue is empty is not kept.
    s32 advance(s32 frames);
    //! Every byte played since the output was created.
    const std::vector<u8>& getPlayed() const { return played_; }
    //! Times open() was called, successful or not.
    s32 getOpenCount() const { return openCount_; }
    //! True between a successful open and stop.
    bool isPlaying() const { return queue_ != nullptr; }

private:
    MMRESULT openResult_ = MMSYSERR_NOERROR;
    WaveOutQueue* queue_ = nullptr;
    s32 frameBytes_ = 4;
    s32 openCount_ = 0;
    std::vector<u8> played_;
};

//! Makes `output` (borrowed; null removes it) the default output of every device opened from
//! now on, instead of the system's. The caller keeps it alive until those devices are closed.
void installVirtualAudioOutput(VirtualAudioOutput* output);
//! The installed virtual output, or null.
VirtualAudioOutput* getInstalledVirtualAudioOutput();

} // namespace audio
} // namespace nox

#endif

// An output for tests: it plays only when the test advances its clock.
#ifndef DRAVON_PLATFORM_AUDIO_VIRTUAL_AUDIO_OUTPUT_H
#define DRAVON_PLATFORM_AUDIO_VIRTUAL_AUDIO_OUTPUT_H

#include "AudioOutput.h"

#include <vector>

namespace nox {
namespace audio {

//! Nothing plays until advance() moves the clock: then the fed bytes of that many frames are
//! played (kept in getPlayed()) and taken from the feed before advance() returns. So ring
//! behaviour, done flags and mixing are deterministic.
//!
//! Reached only from internal code: installVirtualAudioOutput() makes it the default output, so
//! a device opened on the default output (an engine created with the default output) plays into
//! it. The test calls advance() on its own thread while an engine may write from its update
//! thread.
class VirtualAudioOutput : public AudioOutput {
public:
    //! Makes every later open() fail with `result`; AUDIO_OUTPUT_OK opens normally again.
    void failOpensWith(E_AUDIO_OUTPUT_RESULT result) { openResult_ = result; }

    E_AUDIO_OUTPUT_RESULT open(const AudioOutputFormat& format) override;
    bool start(AudioFeed* feed) override {
        feed_ = feed;
        return true;
    }
    void stop() override { feed_ = nullptr; }

    //! Plays up to `frames` fed frames; returns how many were fed and played. Silence while
    //! the feed is empty is not kept.
    s32 advance(s32 frames);
    //! Every byte played since the output was created.
    const std::vector<u8>& getPlayed() const { return played_; }
    //! Times open() was called, successful or not.
    s32 getOpenCount() const { return openCount_; }
    //! True between a successful open and stop.
    bool isPlaying() const { return feed_ != nullptr; }

private:
    E_AUDIO_OUTPUT_RESULT openResult_ = AUDIO_OUTPUT_OK;
    AudioFeed* feed_ = nullptr;
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

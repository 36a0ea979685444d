// Playback through an ALSA PCM device.
#ifndef DRAVON_PLATFORM_ALSA_AUDIO_OUTPUT_H
#define DRAVON_PLATFORM_ALSA_AUDIO_OUTPUT_H

#include "ThreadedAudioOutput.h"
#include "core/String.h"

typedef struct _snd_pcm snd_pcm_t;

namespace nox {
namespace audio {

//! Writes the queued bytes to the ALSA PCM device of the given name ("default", "hw:0", ...).
//! A buffer is done once ALSA has taken all of it; underruns are recovered silently.
class AlsaAudioOutput : public ThreadedAudioOutput {
public:
    explicit AlsaAudioOutput(const char* pcmName) : pcmName_(pcmName) {}
    //! MMSYSERR_NODRIVER when the device does not open, MMSYSERR_ALLOCATED when it is busy,
    //! WAVERR_BADFORMAT when it refuses the format.
    MMRESULT open(const WAVEFORMATEX& format) override;

protected:
    void play(WaveOutQueue& queue) override;
    void close() override;

private:
    void write(const u8* bytes, s32 frames);

    CharString pcmName_;
    snd_pcm_t* pcm_ = nullptr;
    s32 frameBytes_ = 0;
};

} // namespace audio
} // namespace nox

#endif

// Playback through an ALSA PCM device.
#ifndef DRAVON_PLATFORM_AUDIO_ALSA_AUDIO_OUTPUT_H
#define DRAVON_PLATFORM_AUDIO_ALSA_AUDIO_OUTPUT_H

#include "ThreadedAudioOutput.h"
#include "core/String.h"

// ALSA's own name of its PCM handle, declared ahead so that users need not see ALSA.
typedef struct _snd_pcm snd_pcm_t; // NOLINT(bugprone-reserved-identifier)

namespace nox {
namespace audio {

//! Writes the fed bytes to the ALSA PCM device of the given name ("default", "hw:0", ...). Bytes
//! are taken from the feed once ALSA has taken them; underruns are recovered silently.
class AlsaAudioOutput : public ThreadedAudioOutput {
public:
    explicit AlsaAudioOutput(const char* pcmName) : pcmName_(pcmName) {}
    //! AUDIO_OUTPUT_NOT_FOUND when the device does not open, AUDIO_OUTPUT_BUSY when it is in
    //! use, AUDIO_OUTPUT_BAD_FORMAT when it refuses the format.
    E_AUDIO_OUTPUT_RESULT open(const AudioOutputFormat& format) override;

protected:
    void play(AudioFeed& feed) override;
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

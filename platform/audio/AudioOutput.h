// Where the bytes of a device go: a sound device, a WAVE file, or a test's manual clock.
#ifndef DRAVON_PLATFORM_AUDIO_AUDIO_OUTPUT_H
#define DRAVON_PLATFORM_AUDIO_AUDIO_OUTPUT_H

#include "AudioFeed.h"
#include "dravon/RefCounted.h"

namespace nox {
namespace audio {

//! The PCM an output plays: interleaved frames of unsigned 8-bit or signed 16-bit little-endian
//! samples.
struct AudioOutputFormat {
    u32 sampleRate = 0;
    u16 channelCount = 0;
    u16 bitsPerSample = 0;

    u32 getBytesPerFrame() const { return channelCount * bitsPerSample / 8u; }
};

//! How opening an output ended.
enum E_AUDIO_OUTPUT_RESULT {
    AUDIO_OUTPUT_OK,
    //! No such device, or the file cannot be created.
    AUDIO_OUTPUT_NOT_FOUND,
    //! The device is in use.
    AUDIO_OUTPUT_BUSY,
    AUDIO_OUTPUT_NO_MEMORY,
    //! The output cannot play the format.
    AUDIO_OUTPUT_BAD_FORMAT
};

//! One output of a device layer (wave-out, DirectSound). The layer calls open(), then start(),
//! then stop(), all on the thread that opens and closes its device.
class AudioOutput : public RefCounted {
public:
    //! Opens the output for `format`.
    virtual E_AUDIO_OUTPUT_RESULT open(const AudioOutputFormat& format) = 0;
    //! Starts playing what `feed` delivers; the feed stays valid until stop() has returned.
    //! False when playing cannot start (stop() still has to be called).
    virtual bool start(AudioFeed* feed) = 0;
    //! Stops playing and closes what open() opened; the feed is not used afterwards.
    virtual void stop() = 0;
};

//! A new, unopened output for `name`, the caller's reference: the one place where output names
//! are understood. Null or "" is the default output (the system's default ALSA device, or the
//! virtual output a test installed); "wav:" and a path is capture to that WAVE file; any other
//! name is an ALSA device name. Whether the output exists is found out by open().
AudioOutput* createAudioOutput(const char* name);

} // namespace audio
} // namespace nox

#endif

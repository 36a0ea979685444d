// The PCM layout that an audio stream delivers.
#ifndef DRAVON_AUDIO_STREAM_FORMAT_H
#define DRAVON_AUDIO_STREAM_FORMAT_H

#include "Enums.h"
#include "Types.h"

namespace nox {
namespace audio {

//! Format of interleaved PCM frames (channel 0, the left channel, first).
struct AudioStreamFormat {
    //! Channels per frame.
    s32 channelCount = 0;
    //! Frames from the first to the last; below 1 means the length is unknown.
    s32 frameCount = 0;
    //! Frames per second.
    s32 sampleRate = 0;
    //! An E_SAMPLE_FORMAT value.
    s32 sampleFormat = ESF_U8;

    //! 2 for 16-bit samples (any non-zero format), 1 for 8-bit samples.
    s32 getBytesPerSample() const { return sampleFormat != 0 ? 2 : 1; }
    //! Bytes of one frame: bytes per sample times channel count.
    s32 getBytesPerFrame() const { return getBytesPerSample() * channelCount; }
    //! Bytes of one second of sound.
    s32 getBytesPerSecond() const { return getBytesPerFrame() * sampleRate; }
};

} // namespace audio
} // namespace nox

#endif

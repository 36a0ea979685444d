// A decoded sample buffer read as an audio stream.
#ifndef DRAVON_DRIVERS_MIXER_MEMORY_AUDIO_STREAM_H
#define DRAVON_DRIVERS_MIXER_MEMORY_AUDIO_STREAM_H

#include "dravon/IAudioStream.h"
#include "engine/SampleBuffer.h"

namespace nox {
namespace audio {

//! Reads the frames of a SampleBuffer, so that decoded and streamed sounds take one path.
//! Holds a reference to the buffer.
class MemoryAudioStream : public IAudioStream {
public:
    explicit MemoryAudioStream(SampleBuffer* samples);
    ~MemoryAudioStream() override;

    AudioStreamFormat getFormat() override { return samples_->format; }
    //! Any frame from 0 to the frame count; false (and no move) beyond.
    bool setPosition(s32 frame) override;
    s32 readFrames(void* target, s32 frameCount) override;

private:
    s64 getTotalBytes() const;

    SampleBuffer* samples_;
    s64 readOffset_ = 0;
};

} // namespace audio
} // namespace nox

#endif

// A block of decoded frames, cached by a sound source and shared by its sounds.
#ifndef DRAVON_ENGINE_SAMPLE_BUFFER_H
#define DRAVON_ENGINE_SAMPLE_BUFFER_H

#include "dravon/AudioStreamFormat.h"
#include "dravon/IAudioStream.h"
#include "dravon/RefCounted.h"

namespace nox {
namespace audio {

//! `format.frameCount` interleaved frames in `format`. Drivers read `format` and `data`.
class SampleBuffer : public RefCounted {
public:
    //! Copies `format`, and `initialData` when given; otherwise the block is zero-filled.
    //! isValid() is false when the block could not be allocated.
    explicit SampleBuffer(const AudioStreamFormat& format, const void* initialData = nullptr);
    ~SampleBuffer() override;

    //! Decodes `stream` into a new buffer of `format` (at least one byte per frame) holding the
    //! frames the stream really delivers, at most `format.frameCount`. The block grows with
    //! the frames that arrive, so a length that a file merely claims never sizes it. Null when
    //! memory runs out.
    static SampleBuffer* readWhole(IAudioStream* stream, const AudioStreamFormat& format);

    //! Size of the block for `format`, or -1 when it cannot be addressed.
    static s64 getByteSizeFor(const AudioStreamFormat& format);

    bool isValid() const { return valid_; }

    AudioStreamFormat format;
    //! The frames; null when the format holds no bytes.
    u8* data = nullptr;

private:
    //! Takes over `frames` (from malloc), which hold `format.frameCount` frames.
    SampleBuffer(const AudioStreamFormat& frameFormat, u8* frames)
        : format(frameFormat), data(frames) {}

    bool valid_ = true;
};

} // namespace audio
} // namespace nox

#endif

// A block of decoded frames, cached by a sound source and shared by its sounds.
#ifndef DRAVON_ENGINE_SAMPLE_BUFFER_H
#define DRAVON_ENGINE_SAMPLE_BUFFER_H

#include "dravon/AudioStreamFormat.h"
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

    //! Size of the block for `format`, or -1 when it cannot be addressed.
    static s64 getByteSizeFor(const AudioStreamFormat& format);

    bool isValid() const { return valid_; }

    AudioStreamFormat format;
    //! The frames; null when the format holds no bytes.
    u8* data = nullptr;

private:
    bool valid_ = true;
};

} // namespace audio
} // namespace nox

#endif

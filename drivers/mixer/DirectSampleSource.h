// The sample source of a stream already in the mixer's format.
#ifndef DRAVON_DRIVERS_MIXER_DIRECT_SAMPLE_SOURCE_H
#define DRAVON_DRIVERS_MIXER_DIRECT_SAMPLE_SOURCE_H

#include "SampleSource.h"

namespace nox {
namespace audio {

//! Reads a 16-bit stereo stream at the mixing rate straight into the caller's buffer.
class DirectSampleSource : public SampleSource {
public:
    using SampleSource::SampleSource;
    s32 read(s16* buffer, s32 frameCount) override {
        return stream_->readFrames(buffer, frameCount);
    }
    bool setPosition(s32 position) override { return stream_->setPosition(position); }
};

} // namespace audio
} // namespace nox

#endif

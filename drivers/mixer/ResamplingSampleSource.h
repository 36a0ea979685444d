// The sample source that converts a stream's rate, channels and sample width.
#ifndef DRAVON_DRIVERS_MIXER_RESAMPLING_SAMPLE_SOURCE_H
#define DRAVON_DRIVERS_MIXER_RESAMPLING_SAMPLE_SOURCE_H

#include "SampleSource.h"

#include <dumb.h>

namespace nox {
namespace audio {

//! Reads the stream block by block (2048 frames), widens 8-bit samples, splits the channels
//! and resamples each with DUMB's cubic resampler. A mono stream plays on both channels.
class ResamplingSampleSource : public ISampleSource {
public:
    static constexpr s32 blockFrames = 2048;

    ResamplingSampleSource(u32 mixingRate, IAudioStream* stream);
    s32 read(s16* buffer, s32 frameCount) override;
    //! Moves the stream and starts the resamplers afresh on the new block.
    bool setPosition(s32 position) override;

    //! The current block of one channel (0 left or mono, 1 right), in the 16-bit range.
    const s32* getBlock(s32 channel) const { return channel == 0 ? leftBlock_ : rightBlock_; }
    s32 getBlockLength() const { return blockLength_; }

private:
    bool isStereo() const { return streamFormat_.channelCount == 2; }
    void refill();
    //! Starts both resamplers on the block with no history.
    void resetResamplers();
    //! Points both resamplers at the start of a new block, keeping their history.
    void rewindResamplers();

    s32 leftBlock_[blockFrames];
    s32 rightBlock_[blockFrames];
    s32 blockLength_ = 0;
    DUMB_RESAMPLER left_;
    DUMB_RESAMPLER right_;
};

} // namespace audio
} // namespace nox

#endif

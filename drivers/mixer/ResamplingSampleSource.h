// The sample source that converts a stream's rate, channels and sample width.
#ifndef DRAVON_DRIVERS_MIXER_RESAMPLING_SAMPLE_SOURCE_H
#define DRAVON_DRIVERS_MIXER_RESAMPLING_SAMPLE_SOURCE_H

#include "SampleSource.h"
#include "dsp/RateConverter.h"

namespace nox {
namespace audio {

//! Reads the stream block by block, widens 8-bit samples and splits the channels into the
//! blocks of a RateConverter, which resamples them. A mono stream plays on both channels.
class ResamplingSampleSource : public SampleSource {
public:
    ResamplingSampleSource(u32 mixingRate, IAudioStream* stream);
    s32 read(s16* buffer, s32 frameCount) override;
    //! Moves the stream and starts the conversion afresh on the new block.
    bool setPosition(s32 position) override;

    //! The current block of one channel (0 left or mono, 1 right), in the 16-bit range.
    const s32* getBlock(s32 channel) const { return converter_.getBlock(channel); }
    s32 getBlockLength() const { return converter_.getBlockLength(); }

private:
    bool isStereo() const { return streamFormat_.channelCount == 2; }
    //! Reads the next block of the stream into the converter's blocks; the frames read.
    s32 refill();

    RateConverter converter_;
};

} // namespace audio
} // namespace nox

#endif

// Rate conversion with the resampler of DUMB, the tracker-module library, block by block.
#ifndef DRAVON_DSP_RATE_CONVERTER_H
#define DRAVON_DSP_RATE_CONVERTER_H

#include "dravon/Types.h"

#include <dumb.h>

namespace nox {
namespace audio {

//! Converts one channel (mono) or two (left and right) of samples in the 16-bit range to the
//! output rate with DUMB's cubic resampler, and writes them as interleaved 16-bit stereo, a mono
//! channel on both sides. The owner fills the blocks with up to blockFrames source frames at a
//! time. Each channel keeps its interpolation history from one block to the next, so that a
//! sound cut into blocks converts as one piece. Allocates nothing.
class RateConverter {
public:
    static constexpr s32 blockFrames = 2048;

    explicit RateConverter(bool stereo);
    RateConverter(const RateConverter&) = delete;
    RateConverter& operator=(const RateConverter&) = delete;

    //! The block of `channel` (0 left or mono, 1 right): blockFrames values the owner fills.
    s32* getBlock(s32 channel) { return channel == 0 ? leftBlock_ : rightBlock_; }
    const s32* getBlock(s32 channel) const { return channel == 0 ? leftBlock_ : rightBlock_; }
    s32 getBlockLength() const { return blockLength_; }

    //! Starts on blocks of `length` frames without history, as at the start of a sound.
    void start(s32 length);
    //! Goes on with new blocks of `length` frames from their first frame, keeping the history
    //! of the blocks before. What the resampler had passed beyond the end of the old blocks is
    //! not carried over.
    void proceed(s32 length);

    //! Writes up to `frameCount` (at most blockFrames) stereo frames, reading `step` source
    //! frames per output frame. Returns the frames written: fewer when the blocks run out, 0
    //! once they are used up.
    s32 convert(s16* frames, s32 frameCount, f32 step);

private:
    const bool stereo_;
    s32 leftBlock_[blockFrames];
    s32 rightBlock_[blockFrames];
    s32 blockLength_ = 0;
    DUMB_RESAMPLER left_;
    DUMB_RESAMPLER right_;
};

} // namespace audio
} // namespace nox

#endif

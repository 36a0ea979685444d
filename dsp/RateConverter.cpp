#include "RateConverter.h"

#include "DumbLibrary.h"
#include "MixKernels.h"

#include <cstring>

namespace nox {
namespace audio {

namespace {

// Points a resampler at the start of its block without touching its history, and never lets
// it read before that start.
void rewind(DUMB_RESAMPLER& resampler, s32 length) {
    resampler.pos = 0;
    resampler.subpos = 0;
    resampler.start = 0;
    resampler.end = length;
    resampler.dir = 1;
    resampler.overshot = 0;
}

} // namespace

RateConverter::RateConverter(bool stereo) : stereo_(stereo) {
    prepareDumbResampler();
}

void RateConverter::start(s32 length) {
    blockLength_ = length;
    dumb_reset_resampler(&left_, leftBlock_, 1, 0, 0, blockLength_);
    dumb_reset_resampler(&right_, rightBlock_, 1, 0, 0, blockLength_);
}

void RateConverter::proceed(s32 length) {
    blockLength_ = length;
    rewind(left_, blockLength_);
    rewind(right_, blockLength_);
}

s32 RateConverter::convert(s16* frames, s32 frameCount, f32 step) {
    if (frameCount > blockFrames)
        frameCount = blockFrames;
    if (frameCount <= 0)
        return 0;
    // The resampler adds into its output.
    s32 left[blockFrames];
    std::memset(left, 0, sizeof(s32) * static_cast<size_t>(frameCount));
    s32 n = static_cast<s32>(dumb_resample_1_1(&left_, left, frameCount, 1.0f, step));
    if (n == 0)
        return 0;
    if (!stereo_) {
        monoToStereo(frames, left, n);
        return n;
    }
    // Asked for as many frames as the left one, so that it meets the block's end (and keeps the
    // same history) exactly as the left one did.
    s32 right[blockFrames];
    std::memset(right, 0, sizeof(s32) * static_cast<size_t>(frameCount));
    dumb_resample_1_1(&right_, right, frameCount, 1.0f, step);
    interleaveStereo(frames, left, right, n);
    return n;
}

} // namespace audio
} // namespace nox

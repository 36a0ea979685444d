// The mixer kernels on processors without an optimised version: the scalar twins.
#include "MixKernels.h"

namespace nox {
namespace audio {

void addSamples(s32* accumulator, const s16* samples, s32 count) {
    addSamplesScalar(accumulator, samples, count);
}

void clampToS16(s16* output, const s32* values, s32 count) {
    clampToS16Scalar(output, values, count);
}

void scaleStereo(s16* frames, s32 frameCount, f32 leftGain, f32 rightGain) {
    scaleStereoScalar(frames, frameCount, leftGain, rightGain);
}

void monoToStereo(s16* frames, const s32* mono, s32 frameCount) {
    monoToStereoScalar(frames, mono, frameCount);
}

void interleaveStereo(s16* frames, const s32* left, const s32* right, s32 frameCount) {
    interleaveStereoScalar(frames, left, right, frameCount);
}

} // namespace audio
} // namespace nox

// The plain versions of the mixer kernels: the definition of what every optimised one computes.
#include "MixKernels.h"

namespace nox {
namespace audio {

void addSamplesScalar(s32* accumulator, const s16* samples, s32 count) {
    for (s32 i = 0; i < count; ++i)
        accumulator[i] += samples[i];
}

void clampToS16Scalar(s16* output, const s32* values, s32 count) {
    for (s32 i = 0; i < count; ++i)
        output[i] = saturateToS16(values[i]);
}

void scaleStereoScalar(s16* frames, s32 frameCount, f32 leftGain, f32 rightGain) {
    for (s32 i = 0; i < frameCount; ++i) {
        frames[2 * i] = scaleSaturated(frames[2 * i], leftGain);
        frames[2 * i + 1] = scaleSaturated(frames[2 * i + 1], rightGain);
    }
}

void monoToStereoScalar(s16* frames, const s32* mono, s32 frameCount) {
    for (s32 i = 0; i < frameCount; ++i)
        frames[2 * i] = frames[2 * i + 1] = saturateToS16(mono[i]);
}

void interleaveStereoScalar(s16* frames, const s32* left, const s32* right, s32 frameCount) {
    for (s32 i = 0; i < frameCount; ++i) {
        frames[2 * i] = saturateToS16(left[i]);
        frames[2 * i + 1] = saturateToS16(right[i]);
    }
}

} // namespace audio
} // namespace nox

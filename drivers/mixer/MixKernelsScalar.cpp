// The plain versions of the mixer kernels: the definition of what every optimised one computes.
#include "MixKernels.h"

namespace nox {
namespace audio {

namespace {

s16 limitToS16(s32 value) {
    if (value < -32768)
        return -32768;
    if (value > 32767)
        return 32767;
    return static_cast<s16>(value);
}

s16 scaleSample(s16 sample, f32 gain) {
    f32 product = sample * gain;
    if (product > 32767.0f)
        product = 32767.0f;
    if (product < -32768.0f)
        product = -32768.0f;
    return static_cast<s16>(product);
}

} // namespace

f32 limitGain(f32 gain) {
    if (!(gain == gain))
        return 0.0f;
    if (gain > maxKernelGain)
        return maxKernelGain;
    if (gain < -maxKernelGain)
        return -maxKernelGain;
    return gain;
}

void addSamplesScalar(s32* accumulator, const s16* samples, s32 count) {
    for (s32 i = 0; i < count; ++i)
        accumulator[i] += samples[i];
}

void clampToS16Scalar(s16* output, const s32* values, s32 count) {
    for (s32 i = 0; i < count; ++i)
        output[i] = limitToS16(values[i]);
}

void scaleStereoScalar(s16* frames, s32 frameCount, f32 leftGain, f32 rightGain) {
    for (s32 i = 0; i < frameCount; ++i) {
        frames[2 * i] = scaleSample(frames[2 * i], leftGain);
        frames[2 * i + 1] = scaleSample(frames[2 * i + 1], rightGain);
    }
}

void monoToStereoScalar(s16* frames, const s32* mono, s32 frameCount) {
    for (s32 i = 0; i < frameCount; ++i)
        frames[2 * i] = frames[2 * i + 1] = limitToS16(mono[i]);
}

void interleaveStereoScalar(s16* frames, const s32* left, const s32* right, s32 frameCount) {
    for (s32 i = 0; i < frameCount; ++i) {
        frames[2 * i] = limitToS16(left[i]);
        frames[2 * i + 1] = limitToS16(right[i]);
    }
}

} // namespace audio
} // namespace nox

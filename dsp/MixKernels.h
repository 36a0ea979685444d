// The per-sample loops of the software mixer, as free functions over (pointer, count).
//
// Each optimised kernel has a plain scalar twin that states what it computes; a test holds the
// two bit-equal. None of them allocates or takes a lock.
#ifndef DRAVON_DSP_MIX_KERNELS_H
#define DRAVON_DSP_MIX_KERNELS_H

#include "Gain.h"

namespace nox {
namespace audio {

//! accumulator[i] += samples[i] for `count` values.
void addSamples(s32* accumulator, const s16* samples, s32 count);
void addSamplesScalar(s32* accumulator, const s16* samples, s32 count);

//! output[i] = values[i] limited to -32768 ... 32767, for `count` values.
void clampToS16(s16* output, const s32* values, s32 count);
void clampToS16Scalar(s16* output, const s32* values, s32 count);

//! Multiplies each left sample of `frameCount` stereo frames by `leftGain` and each right one
//! by `rightGain` (single precision), limits the product to the 16-bit range and truncates it
//! toward zero. Gains come from limitGain().
void scaleStereo(s16* frames, s32 frameCount, f32 leftGain, f32 rightGain);
void scaleStereoScalar(s16* frames, s32 frameCount, f32 leftGain, f32 rightGain);

//! frames[2i] = frames[2i + 1] = mono[i] limited to the 16-bit range.
void monoToStereo(s16* frames, const s32* mono, s32 frameCount);
void monoToStereoScalar(s16* frames, const s32* mono, s32 frameCount);

//! frames[2i] = left[i], frames[2i + 1] = right[i], each limited to the 16-bit range.
void interleaveStereo(s16* frames, const s32* left, const s32* right, s32 frameCount);
void interleaveStereoScalar(s16* frames, const s32* left, const s32* right, s32 frameCount);

} // namespace audio
} // namespace nox

#endif

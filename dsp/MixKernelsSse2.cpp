// The mixer kernels with SSE2, which every x86-64 processor has. Each loop handles 8 samples at
// a time and leaves the rest to its scalar twin, so the two agree by construction on the tail.
#include "MixKernels.h"

#include <emmintrin.h>

namespace nox {
namespace audio {

namespace {

__m128i load(const void* from) {
    return _mm_loadu_si128(static_cast<const __m128i*>(from));
}
void store(void* to, __m128i value) {
    _mm_storeu_si128(static_cast<__m128i*>(to), value);
}

// Sign-extends the low or high four 16-bit lanes to 32 bits.
__m128i widenLow(__m128i v) {
    return _mm_srai_epi32(_mm_unpacklo_epi16(v, v), 16);
}
__m128i widenHigh(__m128i v) {
    return _mm_srai_epi32(_mm_unpackhi_epi16(v, v), 16);
}

// Four samples times their gains, truncated. The gains are limited, so every product fits in
// 32 bits, and the saturating pack that follows limits it to 16 bits exactly as limiting it
// before the truncation would.
__m128i scaleFour(__m128i samples, __m128 gains) {
    return _mm_cvttps_epi32(_mm_mul_ps(_mm_cvtepi32_ps(samples), gains));
}

} // namespace

void addSamples(s32* accumulator, const s16* samples, s32 count) {
    s32 i = 0;
    for (; i + 8 <= count; i += 8) {
        __m128i v = load(samples + i);
        store(accumulator + i, _mm_add_epi32(load(accumulator + i), widenLow(v)));
        store(accumulator + i + 4, _mm_add_epi32(load(accumulator + i + 4), widenHigh(v)));
    }
    addSamplesScalar(accumulator + i, samples + i, count - i);
}

void clampToS16(s16* output, const s32* values, s32 count) {
    s32 i = 0;
    for (; i + 8 <= count; i += 8)
        store(output + i, _mm_packs_epi32(load(values + i), load(values + i + 4)));
    clampToS16Scalar(output + i, values + i, count - i);
}

void scaleStereo(s16* frames, s32 frameCount, f32 leftGain, f32 rightGain) {
    const __m128 gains = _mm_setr_ps(leftGain, rightGain, leftGain, rightGain);
    s32 i = 0;
    for (; i + 4 <= frameCount; i += 4) {
        __m128i v = load(frames + 2 * i);
        store(frames + 2 * i,
              _mm_packs_epi32(scaleFour(widenLow(v), gains), scaleFour(widenHigh(v), gains)));
    }
    scaleStereoScalar(frames + 2 * i, frameCount - i, leftGain, rightGain);
}

void monoToStereo(s16* frames, const s32* mono, s32 frameCount) {
    s32 i = 0;
    for (; i + 8 <= frameCount; i += 8) {
        __m128i packed = _mm_packs_epi32(load(mono + i), load(mono + i + 4));
        store(frames + 2 * i, _mm_unpacklo_epi16(packed, packed));
        store(frames + 2 * i + 8, _mm_unpackhi_epi16(packed, packed));
    }
    monoToStereoScalar(frames + 2 * i, mono + i, frameCount - i);
}

void interleaveStereo(s16* frames, const s32* left, const s32* right, s32 frameCount) {
    s32 i = 0;
    for (; i + 8 <= frameCount; i += 8) {
        __m128i l = _mm_packs_epi32(load(left + i), load(left + i + 4));
        __m128i r = _mm_packs_epi32(load(right + i), load(right + i + 4));
        store(frames + 2 * i, _mm_unpacklo_epi16(l, r));
        store(frames + 2 * i + 8, _mm_unpackhi_epi16(l, r));
    }
    interleaveStereoScalar(frames + 2 * i, left + i, right + i, frameCount - i);
}

} // namespace audio
} // namespace nox

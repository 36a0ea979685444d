// Gain, pan and clamp arithmetic of the software mixers: channel factors from a pan, gains made
// safe for the kernels, and saturating conversions to 16-bit samples. All inline: they run for
// every sound of every chunk.
#ifndef DRAVON_DSP_GAIN_H
#define DRAVON_DSP_GAIN_H

#include "dravon/Types.h"

namespace nox {
namespace audio {

//! The largest gain a kernel applies; any larger gain already saturates every non-zero sample,
//! and with this one every product of a sample stays within the 32-bit range.
const f32 maxKernelGain = 65535.0f;

//! `gain` made safe for scaleStereo(): NaN becomes 0, values beyond +-maxKernelGain are limited.
inline f32 limitGain(f32 gain) {
    if (!(gain == gain))
        return 0.0f;
    if (gain > maxKernelGain)
        return maxKernelGain;
    if (gain < -maxKernelGain)
        return -maxKernelGain;
    return gain;
}

//! True when `gain` lies strictly within 0.0001 of 1: samples scaled by it are left as they are.
inline bool isUnityGain(f32 gain) {
    const f32 tolerance = 0.0001f;
    return gain + tolerance > 1.0f && gain - tolerance < 1.0f;
}

//! `value` limited to 0 ... 1.
inline f32 limitToUnit(f32 value) {
    return value < 0.0f ? 0.0f : (value > 1.0f ? 1.0f : value);
}

//! The gains of the two channels of a stereo frame.
struct StereoGains {
    f32 left;
    f32 right;
};

//! The channel factors of `pan` (positive: to the left), each times `volume`. The far side is
//! attenuated ten times faster than the pan moves, so a pan of 0.05 halves it and 0.1 silences
//! it; the near side keeps its full volume.
inline StereoGains stereoGains(f32 pan, f32 volume) {
    StereoGains gains{1.0f, 1.0f};
    if (pan > 0.0f)
        gains.right = limitToUnit(1.0f - 10.0f * pan);
    else if (pan < 0.0f)
        gains.left = limitToUnit(1.0f + 10.0f * pan);
    gains.left *= volume;
    gains.right *= volume;
    return gains;
}

//! `value` limited to -32768 ... 32767.
inline s16 saturateToS16(s32 value) {
    if (value < -32768)
        return -32768;
    if (value > 32767)
        return 32767;
    return static_cast<s16>(value);
}

//! `sample` times `gain` in single precision, limited to the 16-bit range and truncated toward
//! zero.
inline s16 scaleSaturated(s16 sample, f32 gain) {
    f32 product = sample * gain;
    if (product > 32767.0f)
        product = 32767.0f;
    if (product < -32768.0f)
        product = -32768.0f;
    return static_cast<s16>(product);
}

} // namespace audio
} // namespace nox

#endif

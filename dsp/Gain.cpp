#include "Gain.h"

namespace nox {
namespace audio {

namespace {

// Gains this close to 1 leave the samples untouched.
const f32 unityTolerance = 0.0001f;

f32 limitToUnit(f32 value) {
    return value < 0.0f ? 0.0f : (value > 1.0f ? 1.0f : value);
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

bool isUnityGain(f32 gain) {
    return gain + unityTolerance > 1.0f && gain - unityTolerance < 1.0f;
}

StereoGains stereoGains(f32 pan, f32 volume) {
    StereoGains gains{1.0f, 1.0f};
    if (pan > 0.0f)
        gains.right = limitToUnit(1.0f - 10.0f * pan);
    else if (pan < 0.0f)
        gains.left = limitToUnit(1.0f + 10.0f * pan);
    gains.left *= volume;
    gains.right *= volume;
    return gains;
}

} // namespace audio
} // namespace nox

#include "Spatial.h"

#include <cmath>

namespace nox {
namespace audio {

namespace {

// Brings an angle into [0, 360).
float wrapAngle(float angle) {
    return std::fmod(std::fmod(angle, 360.0f) + 360.0f, 360.0f);
}

} // namespace

double angleOf(float xf, float yf) {
    double x = xf, y = yf;
    if (y == 0.0)
        return x >= 0.0 ? 0.0 : 180.0;
    if (x == 0.0)
        return y > 0.0 ? 270.0 : 90.0;
    double s = y / std::sqrt(x * x + y * y);
    double t = std::atan(std::sqrt(1.0 - s * s) / s) * 57.29577951308232;
    if (x > 0.0)
        return y > 0.0 ? t + 270.0 : t + 90.0;
    return y < 0.0 ? 90.0 - t : 270.0 - t;
}

Vector3 normalized(Vector3 v) {
    float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (length == 0.0f)
        return v;
    float inverse = 1.0f / length;
    return Vector3(v.x * inverse, v.y * inverse, v.z * inverse);
}

float distanceBetween(Vector3 a, Vector3 b) {
    float dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

float attenuateByDistance(float volume, float distance, float minDistance, float maxDistance,
                          bool linearRolloff) {
    if (distance < minDistance)
        return volume;
    if (distance > maxDistance)
        return 0.0f;
    float beyond = distance - minDistance;
    float range = maxDistance - minDistance;
    if (range <= 0.0f)
        return 1.0f;
    // Non-linear roll-off divides by the distance beyond the minimum, not the distance itself.
    float factor =
        linearRolloff ? 1.0f - beyond / range : (beyond == 0.0f ? 1.0f : minDistance / beyond);
    volume *= factor;
    return volume > 1.0f ? 1.0f : volume;
}

float panFromListener(Vector3 listener, Vector3 look, Vector3 up, Vector3 sound) {
    Vector3 u = normalized(up);
    float ux = u.x * u.x, uy = u.y * u.y, uz = u.z * u.z;
    Vector3 toSound(sound.x - listener.x, sound.y - listener.y, sound.z - listener.z);
    float lookAngle, soundAngle;
    if (uy >= ux && uy >= uz) {
        lookAngle = static_cast<float>(angleOf(look.x, look.z));
        soundAngle = static_cast<float>(angleOf(toSound.x, toSound.z));
    } else if (ux >= uy && ux >= uz) {
        lookAngle = static_cast<float>(angleOf(look.y, look.z));
        soundAngle = static_cast<float>(angleOf(toSound.y, toSound.z));
    } else {
        lookAngle = static_cast<float>(angleOf(look.x, look.y));
        soundAngle = static_cast<float>(angleOf(toSound.x, toSound.y));
    }
    lookAngle = wrapAngle(lookAngle);
    soundAngle = wrapAngle(soundAngle);
    return (std::fmod(lookAngle - soundAngle + 1260.0f, 360.0f) - 180.0f) * 0.0055555557f;
}

} // namespace audio
} // namespace nox

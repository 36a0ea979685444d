#include "PlayingSound.h"

#include "SoundEngine.h"

#include <cmath>

namespace nox {
namespace audio {

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

PlayingSound::PlayingSound(SoundEngine* engine, ISoundSource* source, bool looped,
                           float minDistance, float maxDistance)
    : minDistance_(minDistance), maxDistance_(maxDistance), source_(source),
      lock_(engine ? engine->getMutex() : nullptr), engine_(engine), looped_(looped) {
    if (source_)
        source_->incRef();
    if (lock_)
        lock_->incRef();
}

PlayingSound::~PlayingSound() {
    if (source_)
        source_->decRef();
    if (lock_)
        lock_->decRef();
}

void PlayingSound::stop() {
    if (!lock_)
        return;
    // Under the engine's lock no update pass is using the sound while it stops.
    MutexGuard guard(lock_);
    if (engine_)
        onStop();
}

void PlayingSound::setIsPaused(bool paused) {
    if (!lock_)
        return;
    MutexGuard guard(lock_);
    if (SoundEngine* engine = engine_)
        applyPause(paused, engine);
}

void PlayingSound::applyPause(bool paused, SoundEngine* engine) {
    if (paused == paused_)
        return;
    if (paused) {
        onPause();
        paused_ = true;
        return;
    }
    // The first output after resuming uses the current listener, volume and pan.
    engine->updateSoundListener(this);
    onResume();
    paused_ = false;
}

int PlayingSound::getPlayLength() {
    return source_ ? source_->getPlayLength() : -1;
}

namespace {

// Brings an angle into [0, 360).
float wrapAngle(float angle) {
    return std::fmod(std::fmod(angle, 360.0f) + 360.0f, 360.0f);
}

} // namespace

float PlayingSound::attenuate(float volume, float distance, bool linearRolloff) const {
    float minimum = minDistance_;
    float maximum = maxDistance_;
    if (distance < minimum)
        return volume;
    if (distance > maximum)
        return 0.0f;
    float beyond = distance - minimum;
    float range = maximum - minimum;
    if (range <= 0.0f)
        return 1.0f;
    // Non-linear roll-off divides by the distance beyond the minimum, not the distance itself.
    float factor =
        linearRolloff ? 1.0f - beyond / range : (beyond == 0.0f ? 1.0f : minimum / beyond);
    volume *= factor;
    return volume > 1.0f ? 1.0f : volume;
}

void PlayingSound::apply3DInSoftware(float engineVolume, Vector3 listener, Vector3 look, Vector3 up,
                                     bool linearRolloff) {
    float volume = engineVolume * volume_;
    if (!is3D_) {
        setEffectivePan(pan_);
        setEffectiveVolume(volume);
        return;
    }
    Vector3 sound = position_;
    float dx = listener.x - sound.x, dy = listener.y - sound.y, dz = listener.z - sound.z;
    volume = attenuate(volume, std::sqrt(dx * dx + dy * dy + dz * dz), linearRolloff);

    // Project onto the plane across the up vector's dominant axis.
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
    float pan = (std::fmod(lookAngle - soundAngle + 1260.0f, 360.0f) - 180.0f) * 0.0055555557f;
    setEffectivePan(pan);
    setEffectiveVolume(volume);
}

} // namespace audio
} // namespace nox

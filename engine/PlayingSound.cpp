#include "PlayingSound.h"

#include "SoundEngine.h"
#include "dsp/Spatial.h"

namespace nox {
namespace audio {

PlayingSound::PlayingSound(SoundEngine* engine, ISoundSource* source, bool looped, bool is3D,
                           float minDistance, float maxDistance)
    : minDistance_(minDistance), maxDistance_(maxDistance), source_(source),
      lock_(engine ? engine->getMutex() : nullptr), engine_(engine), is3D_(is3D), looped_(looped) {
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

void PlayingSound::apply3DInSoftware(float engineVolume, Vector3 listenerPosition,
                                     Vector3 listenerLookDirection, Vector3 listenerUp,
                                     bool linearRolloff) {
    float volume = engineVolume * volume_;
    if (!is3D_) {
        setEffectivePan(pan_);
        setEffectiveVolume(volume);
        return;
    }
    Vector3 sound = position_;
    volume = attenuateByDistance(volume, distanceBetween(listenerPosition, sound), minDistance_,
                                 maxDistance_, linearRolloff);
    setEffectivePan(panFromListener(listenerPosition, listenerLookDirection, listenerUp, sound));
    setEffectiveVolume(volume);
}

} // namespace audio
} // namespace nox

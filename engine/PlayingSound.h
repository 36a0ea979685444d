// The state every driver's playing sound shares, and 3D computed in software.
#ifndef DRAVON_ENGINE_PLAYING_SOUND_H
#define DRAVON_ENGINE_PLAYING_SOUND_H

#include "core/Relaxed.h"
#include "dravon/IPlayingSound.h"
#include "platform/system/Mutex.h"

#include <atomic>

namespace nox {
namespace audio {

class SoundEngine;

//! Base of the drivers' sounds: keeps position, volume, pan, distances and flags, and
//! implements the accessors. The hooks do nothing here; drivers replace them and supply the
//! reference count (see AtomicallyCounted). The setters store plain values that the update
//! thread reads without a lock.
//!
//! A sound outlives its engine and its source safely: it holds a reference to its source and
//! to the engine's lock, and the engine detaches it (under that lock) when it leaves the
//! playing list. stop() and setIsPaused() take the lock and do nothing on a detached sound, or
//! on one made without an engine.
class PlayingSound : public IPlayingSound {
public:
    //! `engine` (may be null) is the engine whose driver made the sound; `source` (may be null)
    //! is referenced until the sound is destroyed; a sound made `is3D` is placed by its 3D
    //! position, any other one by its pan.
    PlayingSound(SoundEngine* engine, ISoundSource* source, bool looped, bool is3D,
                 float minDistance, float maxDistance);
    ~PlayingSound() override;

    ISoundSource* getSoundSourceOf() override { return source_; }
    void setIsPaused(bool paused) override;
    bool getIsPaused() override { return paused_; }
    void stop() override;
    float getVolume() override { return volume_; }
    void setVolume(float volume) override { volume_ = volume; }
    void setPan(float pan) override { pan_ = pan; }
    float getPan() override { return pan_; }
    bool isLooped() override { return looped_; }
    bool isFinished() override { return hasEnded(); }
    void setMinDistance(float distance) override { minDistance_ = distance; }
    float getMinDistance() override { return minDistance_; }
    void setMaxDistance(float distance) override { maxDistance_ = distance; }
    float getMaxDistance() override { return maxDistance_; }
    void setPosition3D(Vector3 position) override { position_ = position; }
    Vector3 getPosition3D() override { return position_; }
    int getPlayPosition() override { return -1; }
    int getPlayLength() override;
    void updateListener(float, Vector3, Vector3, Vector3, bool) override {}
    bool hasEnded() override { return false; }
    void onPause() override {}
    void onResume() override {}
    void onStop() override {}
    void setEffectivePan(float) override {}
    void setEffectiveVolume(float) override {}

    //! Cuts the sound off from its engine, which calls this with its lock held when the sound
    //! leaves the playing list.
    void detachEngine() { engine_ = nullptr; }

    //! Computes the effective volume (distance attenuation) and pan (direction seen from the
    //! listener) and passes them to setEffectivePan() and setEffectiveVolume().
    void apply3DInSoftware(float engineVolume, Vector3 listenerPosition,
                           Vector3 listenerLookDirection, Vector3 listenerUp, bool linearRolloff);

private:
    void applyPause(bool paused, SoundEngine* engine);

    RelaxedVector3 position_;
    Relaxed<float> volume_{1.0f};
    Relaxed<float> pan_{0.0f};
    Relaxed<float> minDistance_;
    Relaxed<float> maxDistance_;
    ISoundSource* const source_;
    // The engine's lock, referenced so that it outlives the engine; null without an engine.
    Mutex* const lock_;
    // Null once detached; changed only under lock_.
    std::atomic<SoundEngine*> engine_;
    Relaxed<bool> paused_{true};
    const bool is3D_;
    const bool looped_;
};

//! Gives a driver's sound class its reference count: 1 at creation, changed atomically because
//! the application and the update thread hold references at once.
template <typename Sound> class AtomicallyCounted final : public Sound {
public:
    using Sound::Sound;
    void incRef() override { count_.fetch_add(1, std::memory_order_relaxed); }
    bool decRef() override {
        if (count_.fetch_sub(1, std::memory_order_acq_rel) != 1)
            return false;
        delete this;
        return true;
    }
    //! The current count, for diagnostics; another thread may change it at any moment.
    s32 getReferenceCount() const { return count_.load(std::memory_order_relaxed); }

private:
    std::atomic<s32> count_{1};
};

} // namespace audio
} // namespace nox

#endif

// A sound being played: the handle through which it is paused, stopped, moved and changed.
#ifndef DRAVON_I_PLAYING_SOUND_H
#define DRAVON_I_PLAYING_SOUND_H

#include "Types.h"
#include "Vector3.h"

namespace nox {
namespace audio {

class ISoundSource;

//! Reference counting of playing sounds. The count is atomic because the application and the
//! engine's update thread hold references at the same time; any thread may call these.
class ISoundRefCount {
public:
    //! Destroys the sound; called by decRef() when the count reaches zero.
    virtual ~ISoundRefCount() = default;
    //! Adds one reference.
    virtual void incRef() = 0;
    //! Releases one reference. Returns true when this call destroyed the sound.
    virtual bool decRef() = 0;
};

//! One sound playing (or paused) in the engine. A play operation that returns a sound hands
//! the caller one reference, released with decRef(). The setters only store their value; the
//! output follows at the engine's next update pass. Any thread may call any operation.
//!
//! Lifetime: a sound stays a valid object for as long as the application holds a reference to
//! it, whatever happens to its source or its engine. Once it has left the engine (it ended, was
//! stopped, its source was removed, all sources were removed, or the engine was released) it
//! behaves as a stopped sound: isFinished() is true, getPlayPosition() is -1, stop() and
//! setIsPaused() do nothing, the other setters only store their value, getPlayLength() answers
//! from what its source knows, and getSoundSourceOf() still returns its source, which the sound
//! keeps alive. decRef() frees it as usual.
class IPlayingSound : public virtual ISoundRefCount {
public:
    //! The source the sound plays (borrowed; valid as long as the sound; null if it has none).
    virtual ISoundSource* getSoundSourceOf() = 0;

    //! Pauses or resumes the sound without losing its play position. Does nothing once the
    //! sound has left the engine.
    virtual void setIsPaused(bool paused) = 0;

    //! True while the sound is paused.
    virtual bool getIsPaused() = 0;

    //! Stops the sound for good; it leaves the engine at the next update pass. Does nothing once
    //! the sound has left the engine.
    virtual void stop() = 0;

    //! The sound's own volume, a linear gain (1.0 = unchanged).
    virtual float getVolume() = 0;

    //! Sets the sound's own volume, a linear gain; not limited to any range.
    virtual void setVolume(float volume) = 0;

    //! Sets the pan of a 2D sound, -1 to 1; positive values move the sound to the left.
    virtual void setPan(float pan) = 0;

    //! The pan of a 2D sound.
    virtual float getPan() = 0;

    //! True when the sound restarts at its end.
    virtual bool isLooped() = 0;

    //! True once the sound has played to its end or has been stopped.
    virtual bool isFinished() = 0;

    //! Sets the distance below which a 3D sound is heard at full volume.
    virtual void setMinDistance(float distance) = 0;

    //! The minimum distance of a 3D sound.
    virtual float getMinDistance() = 0;

    //! Sets the distance beyond which a 3D sound is silent.
    virtual void setMaxDistance(float distance) = 0;

    //! The maximum distance of a 3D sound.
    virtual float getMaxDistance() = 0;

    //! Moves a 3D sound.
    virtual void setPosition3D(Vector3 position) = 0;

    //! The position of a 3D sound.
    virtual Vector3 getPosition3D() = 0;

    //! The play position in milliseconds, or -1 when the driver cannot tell.
    virtual int getPlayPosition() = 0;

    //! The length of the sound's source in milliseconds, or -1.
    virtual int getPlayLength() = 0;

    //! Driver hook: recomputes the effective volume and pan from the listener. Called by the
    //! engine under its lock.
    virtual void updateListener(float engineVolume, Vector3 listenerPosition,
                                Vector3 listenerLookDirection, Vector3 listenerUp,
                                bool linearRolloff) = 0;

    //! Driver hook: true once the sound has ended or was stopped.
    virtual bool hasEnded() = 0;

    //! Driver hook: halts output, keeping the position.
    virtual void onPause() = 0;

    //! Driver hook: restarts output.
    virtual void onResume() = 0;

    //! Driver hook: halts output and releases the driver's resources for the sound.
    virtual void onStop() = 0;

    //! Driver hook: applies a pan from -1 to 1, positive to the left.
    virtual void setEffectivePan(float pan) = 0;

    //! Driver hook: applies a linear gain.
    virtual void setEffectiveVolume(float volume) = 0;
};

} // namespace audio
} // namespace nox

#endif

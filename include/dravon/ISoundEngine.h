// The sound engine: the one object an application talks to.
#ifndef DRAVON_I_SOUND_ENGINE_H
#define DRAVON_I_SOUND_ENGINE_H

#include "Enums.h"
#include "IAudioStream.h"
#include "IAudioStreamLoader.h"
#include "IFileProvider.h"
#include "IPlayingSound.h"
#include "ISoundSource.h"
#include "RefCounted.h"
#include "Vector3.h"

namespace nox {
namespace audio {

class SampleBuffer;

//! The sound engine returned by createDravonDevice(). The application owns it and releases it
//! with decRef(); releasing the last reference stops every sound and frees everything the engine
//! holds. Failures return null, false or -1 and write a line to standard output.
//!
//! Threads: every operation of the engine and of its sources may be called from any thread, at
//! the same time as any other and as the engine's update thread; the engine takes the locks it
//! needs itself. Opening and decoding a sound happen without the lock that update passes take,
//! so a slow file never silences the sounds already playing. Release the engine only when no
//! other thread is inside one of its operations or those of its sources; sounds and sources
//! the application still holds stay safe to use after it is gone.
//!
//! Ownership: a play operation that returns a sound gives the caller one reference. Sources
//! returned by getSoundSource() and the add operations are borrowed: each stays valid until it
//! is removed (by name, by pointer, all at once, or with the engine). An application that uses
//! a source pointer while another of its threads may remove that source takes its own
//! reference first (incRef(), and decRef() when done); the source is then safe to use, plays
//! nothing any more once removed, and getPlayLength() answers from what it knows.
class ISoundEngine : public virtual RefCounted {
public:
    //! Plays `source` in 2D. Returns the sound (one reference, the caller's) when `track` or
    //! `startPaused` is true, otherwise null; null also on failure or with the null driver.
    virtual IPlayingSound* play2D(ISoundSource* source, bool playLooped = false,
                                  bool startPaused = false, bool track = false) = 0;

    //! Plays the file `soundFileName` in 2D, registering a source of that name with `streaming`
    //! (an E_SOURCE_STREAMING value) if there is none yet. Result as for the variant above.
    virtual IPlayingSound* play2D(const char* soundFileName, bool playLooped = false,
                                  bool startPaused = false, bool track = false,
                                  int streaming = SOURCE_STREAM_AUTO) = 0;

    //! Plays `source` at `position` in 3D. Result as for play2D().
    virtual IPlayingSound* play3D(ISoundSource* source, Vector3 position, bool playLooped = false,
                                  bool startPaused = false, bool track = false) = 0;

    //! Plays the file `soundFileName` at `position` in 3D. Result as for play2D().
    virtual IPlayingSound* play3D(const char* soundFileName, Vector3 position,
                                  bool playLooped = false, bool startPaused = false,
                                  bool track = false, int streaming = SOURCE_STREAM_AUTO) = 0;

    //! Stops every playing sound; sounds the application holds report isFinished().
    virtual void stopAllSounds() = 0;

    //! Pauses or resumes every playing sound.
    virtual void setAllSoundsPaused(bool paused = true) = 0;

    //! The source at `index` in name order (borrowed), or null outside 0..count-1.
    virtual ISoundSource* getSoundSource(int index) = 0;

    //! The source named `name` (borrowed). Registers a new source of that name, decided
    //! automatically between streaming and decoding whole, when there is none; the file is only
    //! opened when it is played.
    virtual ISoundSource* getSoundSource(const char* name) = 0;

    //! The number of registered sources.
    virtual int getSoundSourceCount() = 0;

    //! Registers `sizeInBytes` bytes at `memory` (a complete sound file) as a source named
    //! `name`. The memory is not copied: keep it valid and unchanged while the source can be
    //! opened, that is until its removal returns (a removal waits for a play that is reading the
    //! memory at that moment). Returns the source (borrowed), or null when the name exists or the
    //! memory is null.
    virtual ISoundSource* addSoundSourceFromMemory(const void* memory, int sizeInBytes,
                                                   const char* name) = 0;

    //! Registers the file `name` as a source with `streaming` (an E_SOURCE_STREAMING value).
    //! Returns the source (borrowed), or null when a source of that name exists.
    virtual ISoundSource* addSoundSourceFromFile(const char* name,
                                                 int streaming = SOURCE_STREAM_AUTO) = 0;

    //! Stops the sounds of the source named `name` and removes it, once no play is opening it.
    virtual void removeSoundSource(const char* name) = 0;

    //! Stops the sounds of `source` and removes it, once no play is opening it; null is ignored.
    virtual void removeSoundSource(ISoundSource* source) = 0;

    //! Stops every sound and removes every source.
    virtual void removeAllSoundSources() = 0;

    //! Sets the master volume, a linear gain. A single-threaded engine applies it at once.
    virtual void setSoundVolume(float volume) = 0;

    //! The master volume.
    virtual float getSoundVolume() = 0;

    //! Sets the listener. The vectors are stored as given (not normalised); the third one is not
    //! used. Takes effect at the next update pass.
    virtual void setListenerPosition(const Vector3& position, const Vector3& lookDirection,
                                     const Vector3& velocity = Vector3(),
                                     const Vector3& upVector = Vector3(0, 1, 0)) = 0;

    //! Runs one update pass: finished sounds leave the engine, the others follow the listener and
    //! their settings. Call it regularly (at least every 180 ms) unless the engine is
    //! multithreaded, in which case it only logs a reminder.
    virtual void update() = 0;

    //! True while some sound of `source` is in the engine (paused and ended-but-not-yet-removed
    //! sounds included).
    virtual bool isCurrentlyPlaying(ISoundSource* source) = 0;

    //! True while some sound of the source named exactly `name` is in the engine.
    virtual bool isCurrentlyPlaying(const char* name) = 0;

    //! Adds a decoder. The engine keeps a reference and asks the most recently registered loader
    //! first; files already being opened go on with the loaders they started with. Null is
    //! ignored.
    virtual void registerAudioStreamLoader(IAudioStreamLoader* loader) = 0;

    //! True when the engine was created with ENGINE_OPT_MULTITHREADED.
    virtual bool isMultiThreaded() = 0;

    //! Adds a provider that files are opened from, after mounted archives and before the disk.
    //! The engine keeps a reference. Null is ignored.
    virtual void addFileProvider(IFileProvider* provider) = 0;

    //! Sets the minimum distance of new 3D sounds whose source sets none; negative or NaN is
    //! ignored.
    virtual void setDefault3DSoundMinDistance(float distance) = 0;

    //! The default minimum distance (initially 1.0).
    virtual float getDefault3DSoundMinDistance() = 0;

    //! Sets the maximum distance of new 3D sounds whose source sets none; zero, negative or NaN
    //! is ignored.
    virtual void setDefault3DSoundMaxDistance(float distance) = 0;

    //! The default maximum distance (initially 1e9).
    virtual float getDefault3DSoundMaxDistance() = 0;

    //! Not implemented: logs a line and returns null.
    virtual void* playMusic(void* music) = 0;

    //! Not implemented: returns null.
    virtual void* getMusicStub() = 0;

    //! Stores a value that nothing in the library reads.
    virtual void setSpareFactor(float value) = 0;

    //! The value stored by setSpareFactor() (initially 1.0).
    virtual float getSpareFactor() = 0;

    //! Driver hook used by the play operations, without the engine's lock: a new paused sound
    //! over decoded samples, or null.
    virtual IPlayingSound* createSoundFromSamples(SampleBuffer* samples, ISoundSource* source,
                                                  bool playLooped, bool is3D, float minDistance,
                                                  float maxDistance) = 0;

    //! Driver hook used by the play operations, without the engine's lock: a new paused sound
    //! reading `stream`, or null.
    virtual IPlayingSound* createSoundFromStream(IAudioStream* stream, ISoundSource* source,
                                                 bool playLooped, bool is3D, float minDistance,
                                                 float maxDistance) = 0;

    //! Driver hook: opens the output; false when it cannot be used.
    virtual bool initDriver() = 0;

    //! Driver hook: one update pass under the engine's lock.
    virtual void updateDriver() = 0;

    //! Driver hook: removes ended sounds and passes the listener to the others; the caller holds
    //! the engine's lock.
    virtual void updateSounds() = 0;
};

} // namespace audio
} // namespace nox

#endif

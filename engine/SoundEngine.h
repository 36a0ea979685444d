// The engine object: sources, playing sounds, listener, update cycle. Base of every driver.
#ifndef DRAVON_ENGINE_SOUND_ENGINE_H
#define DRAVON_ENGINE_SOUND_ENGINE_H

#include "PlayingSound.h"
#include "SoundSource.h"
#include "SourceRegistry.h"
#include "StreamLoaderList.h"
#include "core/LinkedList.h"
#include "core/Relaxed.h"
#include "dravon/ISoundEngine.h"
#include "io/IFileManager.h"
#include "platform/system/Logger.h"
#include "platform/system/Mutex.h"
#include "platform/system/Thread.h"

#include <atomic>

namespace nox {
namespace audio {

//! Implements every engine operation; the four driver hooks make no sound here. Driver engines
//! derive from it and replace the hooks. Every operation may be called from any thread. The
//! playing list and everything a playing sound reads from the engine are guarded by the
//! engine's recursive mutex, which the sounds share; the registry and the loaders have small
//! locks of their own; sources open and decode their data under their own lock. Opening and
//! decoding never happen under the engine's mutex, so they never hold up an update pass.
class SoundEngine : public ISoundEngine, public IThreadRunnable {
public:
    //! `startThreadNow` starts the update thread at the end of construction when the options
    //! ask for one; a driver that must finish its own set-up first passes false and calls
    //! startUpdateThreadIfMultithreaded() itself.
    SoundEngine(IFileManager* fileManager, int options, bool startThreadNow);
    ~SoundEngine() override;

    IPlayingSound* play2D(ISoundSource* source, bool playLooped, bool startPaused,
                          bool track) override;
    IPlayingSound* play2D(const char* soundFileName, bool playLooped, bool startPaused, bool track,
                          int streaming) override;
    IPlayingSound* play3D(ISoundSource* source, Vector3 position, bool playLooped, bool startPaused,
                          bool track) override;
    IPlayingSound* play3D(const char* soundFileName, Vector3 position, bool playLooped,
                          bool startPaused, bool track, int streaming) override;
    void stopAllSounds() override;
    void setAllSoundsPaused(bool paused) override;
    ISoundSource* getSoundSource(int index) override;
    ISoundSource* getSoundSource(const char* name) override;
    int getSoundSourceCount() override { return sources_.count(); }
    ISoundSource* addSoundSourceFromMemory(const void* memory, int sizeInBytes,
                                           const char* name) override;
    ISoundSource* addSoundSourceFromFile(const char* name, int streaming) override;
    void removeSoundSource(const char* name) override;
    void removeSoundSource(ISoundSource* source) override;
    void removeAllSoundSources() override;
    void setSoundVolume(float volume) override;
    float getSoundVolume() override { return soundVolume_; }
    void setListenerPosition(const Vector3& position, const Vector3& lookDirection,
                             const Vector3& ignored, const Vector3& upVector) override;
    void update() override;
    bool isCurrentlyPlaying(ISoundSource* source) override;
    bool isCurrentlyPlaying(const char* name) override;
    void registerAudioStreamLoader(IAudioStreamLoader* loader) override;
    bool isMultiThreaded() override { return (options_ & ENGINE_OPT_MULTITHREADED) != 0; }
    void addFileProvider(IFileProvider* provider) override;
    void setDefault3DSoundMinDistance(float distance) override;
    float getDefault3DSoundMinDistance() override { return defaultMinDistance_; }
    void setDefault3DSoundMaxDistance(float distance) override;
    float getDefault3DSoundMaxDistance() override { return defaultMaxDistance_; }
    void* playMusic(void* music) override;
    void* getMusicStub() override { return nullptr; }
    void setSpareFactor(float value) override { spareFactor_ = value; }
    float getSpareFactor() override { return spareFactor_; }
    //! Driver hooks. A driver's replacements run without the engine's lock, on any thread, and
    //! touch no shared engine state; the sound they return derives from PlayingSound and is
    //! made for this engine, 3D when `is3D`.
    IPlayingSound* createSoundFromSamples(SampleBuffer* samples, ISoundSource* source,
                                          bool playLooped, bool is3D, float minDistance,
                                          float maxDistance) override;
    IPlayingSound* createSoundFromStream(IAudioStream* stream, ISoundSource* source,
                                         bool playLooped, bool is3D, float minDistance,
                                         float maxDistance) override;
    bool initDriver() override { return true; }
    void updateDriver() override;
    void updateSounds() override;

    //! The update thread's body: an update pass, then 50 ms of sleep, until asked to stop.
    void run(ThreadStartBlock* block) override;

    //! The engine's lock (borrowed); sounds keep a reference to it.
    Mutex* getMutex() { return mutex_; }
    void clearOptions(int mask) { options_ &= ~mask; }
    void startUpdateThreadIfMultithreaded();
    //! Asks the update thread to stop and waits until it has left its loop.
    void stopUpdateThread();
    //! Passes the master volume and the listener to `sound` (null is ignored).
    void updateSoundListener(IPlayingSound* sound);

    //! Offers `file` to the loaders: first those whose extensions match, then all of them.
    //! Returns a new stream (the caller's) or null, logging why.
    IAudioStream* openAudioStream(IInputFile* file) { return loaders_.open(file); }

    IFileManager* getFileManager() { return fileManager_; }

protected:
    //! The playing sounds; only under the engine's lock.
    LinkedList<PlayingSound*>& getPlayingSounds() { return playing_; }

private:
    IPlayingSound* playSound(ISoundSource* source, const Vector3* position, bool playLooped,
                             bool startPaused, bool track);
    //! Under the lock: the listener, the start and the playing list for a new sound of `source`.
    IPlayingSound* handOver(PlayingSound* sound, SoundSource* source, bool startPaused, bool track);
    //! Stops a sound leaving the playing list, detaches it and drops the list's reference.
    //! The caller holds the lock.
    void releaseSound(PlayingSound* sound);
    //! The source named `name` with a reference for the caller, registered with `streaming`
    //! when there is none; null for a null name.
    SoundSource* acquireSource(const char* name, int streaming);
    //! Registers `candidate` (the caller's reference) and returns it, borrowed; when its name
    //! is taken, logs why, releases it and returns null.
    ISoundSource* addNewSource(SoundSource* candidate);
    //! Stops the sounds of `source` and takes them out of the playing list. Under the lock.
    void stopSoundsOf(ISoundSource* source);
    void registerBuiltInLoaders();
    void loadPlugins();
    void startUpdateThread();

    IFileManager* fileManager_;
    SourceRegistry sources_;
    LinkedList<PlayingSound*> playing_;
    StreamLoaderList loaders_;
    RelaxedVector3 listenerPosition_;
    RelaxedVector3 listenerLookDirection_;
    RelaxedVector3 listenerUp_{Vector3(0, 1, 0)};
    Relaxed<float> soundVolume_{1.0f};
    Relaxed<float> spareFactor_{1.0f};
    Relaxed<float> defaultMinDistance_{1.0f};
    Relaxed<float> defaultMaxDistance_{1e9f};
    std::atomic<bool> threadRunning_{false};
    std::atomic<bool> threadStopRequested_{false};
    std::atomic<int> options_;
    Mutex* mutex_ = nullptr;
    ILogger* ownLogger_ = nullptr;
};

} // namespace audio
} // namespace nox

#endif

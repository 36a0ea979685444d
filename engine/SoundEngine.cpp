// Construction and destruction, the update cycle and the engine's settings.
#include "SoundEngine.h"

#include "PluginLoader.h"
#include "Version.h"
#include "decoders/OggVorbisAudioStream.h"
#include "decoders/TrackerModuleAudioStream.h"
#include "decoders/WavAudioStream.h"

namespace nox {
namespace audio {

namespace {
const u32 updatePeriodMs = 50;
const u32 stopPollMs = 25;
} // namespace

SoundEngine::SoundEngine(IFileManager* fileManager, int options, bool startThreadNow)
    : fileManager_(fileManager), options_(options) {
    ownLogger_ = acquireProcessLogger();
    if (options & ENGINE_OPT_DEBUGGER_OUTPUT)
        enableDebugOutput();
    CharString banner("Dravon 3D Sound Engine version ");
    banner.append(libraryVersion);
    logText(banner.c_str(), LOG_LEVEL_INFO);
    mutex_ = createMutex();
    if (fileManager_)
        fileManager_->incRef();
    registerBuiltInLoaders();
    if (options & ENGINE_OPT_LOAD_PLUGINS)
        loadPlugins();
    if (startThreadNow && isMultiThreaded())
        startUpdateThread();
}

SoundEngine::~SoundEngine() {
    stopUpdateThread();
    loaders_.clear();
    // Sources and sounds the application still holds are detached: they never reach this
    // engine again, and the lock they share lives on with them.
    removeAllSoundSources();
    if (fileManager_)
        fileManager_->decRef();
    mutex_->decRef();
    releaseProcessLogger(ownLogger_);
}

void SoundEngine::registerBuiltInLoaders() {
    // Loaders are asked from the last registered to the first, so the order here makes the
    // formats with the most distinctive content be tried first and WAV last.
    IAudioStreamLoader* builtIn[] = {new WavStreamLoader(fileManager_),
                                     new OggVorbisStreamLoader(fileManager_),
                                     new TrackerModuleStreamLoader(fileManager_)};
    for (IAudioStreamLoader* loader : builtIn) {
        registerAudioStreamLoader(loader);
        loader->decRef();
    }
}

void SoundEngine::loadPlugins() {
    PluginLoader* loader = new PluginLoader(this, fileManager_);
    loader->scanForPlugins();
    loader->decRef();
}

void SoundEngine::startUpdateThread() {
    // Set before the thread exists, so that a destruction right after construction waits for it
    // instead of freeing the engine under it.
    threadRunning_ = true;
    if (!startThread(this, 0, THREAD_PRIORITY_VALUE_HIGHEST))
        threadRunning_ = false;
}

void SoundEngine::startUpdateThreadIfMultithreaded() {
    if (isMultiThreaded())
        startUpdateThread();
}

void SoundEngine::stopUpdateThread() {
    if (!threadRunning_)
        return;
    threadStopRequested_ = true;
    while (threadRunning_)
        sleepMilliseconds(stopPollMs);
}

void SoundEngine::run(ThreadStartBlock*) {
    threadRunning_ = true;
    while (!threadStopRequested_) {
        updateDriver();
        sleepMilliseconds(updatePeriodMs);
    }
    threadRunning_ = false;
}

void SoundEngine::update() {
    if (isMultiThreaded()) {
        logText("You need not call update() if you specified Dravon to run multithreaded.",
                LOG_LEVEL_INFO);
        return;
    }
    updateDriver();
}

void SoundEngine::updateDriver() {
    MutexGuard guard(mutex_);
    updateSounds();
}

void SoundEngine::updateSounds() {
    for (auto it = playing_.begin(); it != playing_.end();) {
        PlayingSound* sound = *it;
        if (sound->hasEnded()) {
            releaseSound(sound);
            it = playing_.erase(it);
            continue;
        }
        updateSoundListener(sound);
        ++it;
    }
}

void SoundEngine::releaseSound(PlayingSound* sound) {
    sound->onStop();
    sound->detachEngine();
    sound->decRef();
}

void SoundEngine::updateSoundListener(IPlayingSound* sound) {
    if (!sound)
        return;
    sound->updateListener(soundVolume_, listenerPosition_, listenerLookDirection_, listenerUp_,
                          (options_ & ENGINE_OPT_LINEAR_ROLLOFF) != 0);
}

void SoundEngine::stopAllSounds() {
    MutexGuard guard(mutex_);
    for (PlayingSound* sound : playing_)
        releaseSound(sound);
    playing_.clear();
}

void SoundEngine::setAllSoundsPaused(bool paused) {
    MutexGuard guard(mutex_);
    for (PlayingSound* sound : playing_)
        sound->setIsPaused(paused);
}

void SoundEngine::setSoundVolume(float volume) {
    MutexGuard guard(mutex_);
    // A NaN never equals the current value, so it counts as a change.
    if (volume == soundVolume_)
        return;
    soundVolume_ = volume;
    if (!isMultiThreaded())
        update();
}

void SoundEngine::setListenerPosition(const Vector3& position, const Vector3& lookDirection,
                                      const Vector3&, const Vector3& upVector) {
    listenerPosition_ = position;
    listenerLookDirection_ = lookDirection;
    listenerUp_ = upVector;
}

bool SoundEngine::isCurrentlyPlaying(ISoundSource* source) {
    MutexGuard guard(mutex_);
    for (PlayingSound* sound : playing_)
        if (sound->getSoundSourceOf() == source)
            return true;
    return false;
}

bool SoundEngine::isCurrentlyPlaying(const char* name) {
    if (!name)
        return false;
    MutexGuard guard(mutex_);
    for (PlayingSound* sound : playing_) {
        ISoundSource* source = sound->getSoundSourceOf();
        if (source && CharString(source->getName()) == name)
            return true;
    }
    return false;
}

void SoundEngine::registerAudioStreamLoader(IAudioStreamLoader* loader) {
    loaders_.add(loader);
}

void SoundEngine::addFileProvider(IFileProvider* provider) {
    if (fileManager_)
        fileManager_->addFileProvider(provider);
}

void SoundEngine::setDefault3DSoundMinDistance(float distance) {
    if (distance >= 0.0f)
        defaultMinDistance_ = distance;
}

void SoundEngine::setDefault3DSoundMaxDistance(float distance) {
    if (distance > 0.0f)
        defaultMaxDistance_ = distance;
}

void* SoundEngine::playMusic(void*) {
    logText("playMusic() is not implemented in this version, yet. Sorry", LOG_LEVEL_INFO);
    return nullptr;
}

IPlayingSound* SoundEngine::createSoundFromSamples(SampleBuffer*, ISoundSource*, bool, bool, float,
                                                   float) {
    return nullptr;
}

IPlayingSound* SoundEngine::createSoundFromStream(IAudioStream*, ISoundSource*, bool, bool, float,
                                                  float) {
    return nullptr;
}

} // namespace audio
} // namespace nox

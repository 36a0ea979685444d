// The play operations and the choice of a stream loader for a file.
#include "SoundEngine.h"

#include "PlayingSound.h"

namespace nox {
namespace audio {

IPlayingSound* SoundEngine::play2D(ISoundSource* source, bool playLooped, bool startPaused,
                                   bool track) {
    return playSound(source, nullptr, playLooped, startPaused, track);
}

IPlayingSound* SoundEngine::play2D(const char* soundFileName, bool playLooped, bool startPaused,
                                   bool track, int streaming) {
    ISoundSource* source = findSoundSource(soundFileName, true, streaming);
    return source ? playSound(source, nullptr, playLooped, startPaused, track) : nullptr;
}

IPlayingSound* SoundEngine::play3D(ISoundSource* source, Vector3 position, bool playLooped,
                                   bool startPaused, bool track) {
    return playSound(source, &position, playLooped, startPaused, track);
}

IPlayingSound* SoundEngine::play3D(const char* soundFileName, Vector3 position, bool playLooped,
                                   bool startPaused, bool track, int streaming) {
    ISoundSource* source = findSoundSource(soundFileName, true, streaming);
    return source ? playSound(source, &position, playLooped, startPaused, track) : nullptr;
}

IPlayingSound* SoundEngine::playSound(ISoundSource* source, const Vector3* position,
                                      bool playLooped, bool startPaused, bool track) {
    // Only the engine's own source classes can be played; anything else is refused.
    FileSoundSource* own = dynamic_cast<FileSoundSource*>(source);
    if (!own)
        return nullptr;
    MutexGuard guard(mutex_);
    IPlayingSound* sound = own->createSound(fileManager_, playLooped, position != nullptr);
    if (!sound)
        return nullptr;
    if (position) {
        if (PlayingSound* generic = dynamic_cast<PlayingSound*>(sound))
            generic->setIs3D(true);
        sound->setPosition3D(*position);
    }
    updateSoundListener(sound);
    if (!startPaused)
        sound->setIsPaused(false);
    playing_.push_back(sound);
    // A paused sound is always returned: only the caller can start it.
    if (track || startPaused) {
        sound->incRef();
        return sound;
    }
    return nullptr;
}

IAudioStream* SoundEngine::askLoaders(IInputFile* file, const char* lowerCaseName,
                                      bool byExtension, bool& needsRewind) {
    for (s32 i = loaders_.size() - 1; i >= 0; --i) {
        IAudioStreamLoader* loader = loaders_[i];
        if (byExtension && !loader->isALoadableFileExtension(lowerCaseName))
            continue;
        if (needsRewind) {
            file->seek(0, false);
            needsRewind = false;
        }
        if (IAudioStream* stream = loader->createAudioStream(file))
            return stream;
        needsRewind = true;
    }
    return nullptr;
}

IAudioStream* SoundEngine::openAudioStream(IInputFile* file) {
    CharString name(file->getFileName());
    name.makeLower();
    bool needsRewind = false;
    IAudioStream* stream = askLoaders(file, name.c_str(), true, needsRewind);
    if (!stream)
        stream = askLoaders(file, name.c_str(), false, needsRewind);
    if (stream)
        return stream;
    if (name.find(".mp3") >= 0)
        logText("Could not open audio stream for sound file (maybe the Dravon mp3 plugin is "
                "missing?)",
                name.c_str(), LOG_LEVEL_INFO);
    else
        logText("Could not open audio stream for sound file", name.c_str(), LOG_LEVEL_INFO);
    return nullptr;
}

} // namespace audio
} // namespace nox

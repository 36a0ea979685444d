// The play operations.
#include "SoundEngine.h"

namespace nox {
namespace audio {

IPlayingSound* SoundEngine::play2D(ISoundSource* source, bool playLooped, bool startPaused,
                                   bool track) {
    return playSound(source, nullptr, playLooped, startPaused, track);
}

IPlayingSound* SoundEngine::play2D(const char* soundFileName, bool playLooped, bool startPaused,
                                   bool track, int streaming) {
    // The reference keeps the source alive should another thread remove it meanwhile.
    SoundSource* source = acquireSource(soundFileName, streaming);
    if (!source)
        return nullptr;
    IPlayingSound* sound = playSound(source, nullptr, playLooped, startPaused, track);
    source->decRef();
    return sound;
}

IPlayingSound* SoundEngine::play3D(ISoundSource* source, Vector3 position, bool playLooped,
                                   bool startPaused, bool track) {
    return playSound(source, &position, playLooped, startPaused, track);
}

IPlayingSound* SoundEngine::play3D(const char* soundFileName, Vector3 position, bool playLooped,
                                   bool startPaused, bool track, int streaming) {
    SoundSource* source = acquireSource(soundFileName, streaming);
    if (!source)
        return nullptr;
    IPlayingSound* sound = playSound(source, &position, playLooped, startPaused, track);
    source->decRef();
    return sound;
}

IPlayingSound* SoundEngine::playSound(ISoundSource* source, const Vector3* position,
                                      bool playLooped, bool startPaused, bool track) {
    // Only the engine's own sources can be played; anything else is refused.
    SoundSource* own = dynamic_cast<SoundSource*>(source);
    if (!own || own->getEngine() != this)
        return nullptr;
    // Opening and decoding run without the engine's lock, so update passes go on meanwhile.
    IPlayingSound* created = own->createSound(fileManager_, playLooped, position != nullptr);
    if (!created)
        return nullptr;
    PlayingSound* sound = static_cast<PlayingSound*>(created);
    if (position)
        sound->setPosition3D(*position);
    return handOver(sound, own, startPaused, track);
}

IPlayingSound* SoundEngine::handOver(PlayingSound* sound, SoundSource* source, bool startPaused,
                                     bool track) {
    MutexGuard guard(mutex_);
    // A source removed while its sound was being made takes the sound with it.
    if (source->getEngine() != this) {
        releaseSound(sound);
        return nullptr;
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

} // namespace audio
} // namespace nox

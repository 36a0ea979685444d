// The registry of sound sources, kept sorted by name.
#include "SoundEngine.h"

namespace nox {
namespace audio {

ISoundSource* SoundEngine::findSoundSource(const char* name, bool addIfNotFound, int streaming) {
    if (!name)
        return nullptr;
    // The key is a complete source, so that a miss can register it as it is.
    FileSoundSource* key = new FileSoundSource(name, streaming, this);
    s32 index = sources_.binarySearch(key, SourceNameLess());
    if (index >= 0) {
        key->decRef();
        return sources_[index];
    }
    if (!addIfNotFound) {
        key->decRef();
        return nullptr;
    }
    insertSource(key);
    return key;
}

void SoundEngine::insertSource(FileSoundSource* source) {
    sources_.push_back(source);
    sources_.sortIfNeeded(SourceNameLess());
}

ISoundSource* SoundEngine::getSoundSource(int index) {
    if (index < 0 || index >= sources_.size())
        return nullptr;
    return sources_[index];
}

ISoundSource* SoundEngine::getSoundSource(const char* name) {
    return findSoundSource(name, true, SOURCE_STREAM_AUTO);
}

ISoundSource* SoundEngine::addSoundSourceFromFile(const char* name, int streaming) {
    if (!name)
        return nullptr;
    if (findSoundSource(name, false, 0)) {
        logText("Cannot add sound source, it exists already", name, LOG_LEVEL_INFO);
        return nullptr;
    }
    FileSoundSource* source = new FileSoundSource(name, streaming, this);
    insertSource(source);
    return source;
}

ISoundSource* SoundEngine::addSoundSourceFromMemory(const void* memory, int sizeInBytes,
                                                    const char* name) {
    if (!memory || sizeInBytes < 0) {
        logText("Cannot add sound source from empty memory", name, LOG_LEVEL_INFO);
        return nullptr;
    }
    if (!name)
        return nullptr;
    if (findSoundSource(name, false, 0)) {
        logText("Cannot add sound source, it exists already", name, LOG_LEVEL_INFO);
        return nullptr;
    }
    MemorySoundSource* source = new MemorySoundSource(memory, sizeInBytes, name, this);
    insertSource(source);
    return source;
}

void SoundEngine::removeSoundSource(const char* name) {
    ISoundSource* source = findSoundSource(name, false, 0);
    if (source)
        removeSoundSource(source);
    else
        logText("Cannot find sound source to remove", name, LOG_LEVEL_INFO);
}

void SoundEngine::removeSoundSource(ISoundSource* source) {
    if (!source)
        return;
    MutexGuard guard(mutex_);
    for (auto it = playing_.begin(); it != playing_.end();) {
        IPlayingSound* sound = *it;
        if (sound->getSoundSourceOf() != source) {
            ++it;
            continue;
        }
        sound->onStop();
        sound->decRef();
        it = playing_.erase(it);
    }
    for (s32 i = 0; i < sources_.size(); ++i) {
        if (sources_[i] == source) {
            sources_[i]->decRef();
            sources_.erase(i);
            return;
        }
    }
}

void SoundEngine::removeAllSoundSources() {
    stopAllSounds();
    MutexGuard guard(mutex_);
    for (FileSoundSource* source : sources_)
        source->decRef();
    sources_.clear();
}

} // namespace audio
} // namespace nox

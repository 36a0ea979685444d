// The operations on the registry of sound sources.
#include "SoundEngine.h"

namespace nox {
namespace audio {

SoundSource* SoundEngine::acquireSource(const char* name, int streaming) {
    if (!name)
        return nullptr;
    if (SoundSource* found = sources_.find(name))
        return found;
    SoundSource* candidate = new SoundSource(name, streaming, this);
    SoundSource* source = sources_.add(candidate);
    // Another thread may have registered the name since the search.
    if (source != candidate)
        candidate->decRef();
    return source;
}

ISoundSource* SoundEngine::addNewSource(SoundSource* candidate) {
    SoundSource* source = sources_.add(candidate);
    // The registry keeps its reference; the caller gets a borrowed pointer.
    source->decRef();
    if (source == candidate)
        return source;
    logText("Cannot add sound source, it exists already", candidate->getName(), LOG_LEVEL_INFO);
    candidate->decRef();
    return nullptr;
}

ISoundSource* SoundEngine::getSoundSource(int index) {
    return sources_.at(index);
}

ISoundSource* SoundEngine::getSoundSource(const char* name) {
    SoundSource* source = acquireSource(name, SOURCE_STREAM_AUTO);
    if (source)
        source->decRef(); // borrowed: the registry keeps it until it is removed
    return source;
}

ISoundSource* SoundEngine::addSoundSourceFromFile(const char* name, int streaming) {
    if (!name)
        return nullptr;
    return addNewSource(new SoundSource(name, streaming, this));
}

ISoundSource* SoundEngine::addSoundSourceFromMemory(const void* memory, int sizeInBytes,
                                                    const char* name) {
    if (!memory || sizeInBytes < 0) {
        logText("Cannot add sound source from empty memory", name, LOG_LEVEL_INFO);
        return nullptr;
    }
    if (!name)
        return nullptr;
    return addNewSource(new MemorySoundSource(memory, sizeInBytes, name, this));
}

void SoundEngine::removeSoundSource(const char* name) {
    SoundSource* source = name ? sources_.find(name) : nullptr;
    if (!source) {
        logText("Cannot find sound source to remove", name, LOG_LEVEL_INFO);
        return;
    }
    removeSoundSource(source);
    source->decRef();
}

void SoundEngine::removeSoundSource(ISoundSource* source) {
    SoundSource* removed = source ? sources_.remove(source) : nullptr;
    if (!removed)
        return;
    {
        // Detached under the lock, so that no play hands over a sound of it afterwards.
        MutexGuard guard(mutex_);
        removed->detachEngine();
        stopSoundsOf(removed);
    }
    removed->awaitOpenings();
    removed->decRef();
}

void SoundEngine::removeAllSoundSources() {
    std::vector<SoundSource*> removed = sources_.removeAll();
    {
        MutexGuard guard(mutex_);
        for (SoundSource* source : removed)
            source->detachEngine();
        stopAllSounds();
    }
    for (SoundSource* source : removed) {
        source->awaitOpenings();
        source->decRef();
    }
}

void SoundEngine::stopSoundsOf(ISoundSource* source) {
    for (auto it = playing_.begin(); it != playing_.end();) {
        if ((*it)->getSoundSourceOf() != source) {
            ++it;
            continue;
        }
        releaseSound(*it);
        it = playing_.erase(it);
    }
}

} // namespace audio
} // namespace nox

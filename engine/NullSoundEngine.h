// The null driver: an engine that accepts everything and produces no sound.
#ifndef DRAVON_ENGINE_NULL_SOUND_ENGINE_H
#define DRAVON_ENGINE_NULL_SOUND_ENGINE_H

#include "SoundEngine.h"

namespace nox {
namespace audio {

//! The base engine with nothing added: plays open and decode their sources but return null.
class NullSoundEngine : public SoundEngine {
public:
    NullSoundEngine(IFileManager* fileManager, int options);
    ~NullSoundEngine() override;
};

} // namespace audio
} // namespace nox

#endif

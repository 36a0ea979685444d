// The null driver: an engine that accepts everything and produces no sound.
#ifndef DRAVON_DRIVERS_NULL_NULL_SOUND_ENGINE_H
#define DRAVON_DRIVERS_NULL_NULL_SOUND_ENGINE_H

#include "engine/SoundEngine.h"

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

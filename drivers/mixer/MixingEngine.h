// The engine variant for outputs without a mixer of their own.
#ifndef DRAVON_DRIVERS_MIXER_MIXING_ENGINE_H
#define DRAVON_DRIVERS_MIXER_MIXING_ENGINE_H

#include "engine/SoundEngine.h"

namespace nox {
namespace audio {

//! Creates MixedSounds and renders the sum of all playing sounds as 16-bit stereo at the
//! output's mixing rate. The subclass supplies the rate and the device, and starts the update
//! thread once the device is ready.
class MixingEngine : public SoundEngine {
public:
    //! Frames mixed per chunk at most; the scratch arrays hold one chunk.
    static constexpr s32 maxChunkFrames = 2048;

    MixingEngine(IFileManager* fileManager, int options);

    //! A new MixedSound over `samples` (the caller's reference), or null when out of memory.
    IPlayingSound* createSoundFromSamples(SampleBuffer* samples, ISoundSource* source,
                                          bool playLooped, bool is3D, float minDistance,
                                          float maxDistance) override;
    //! A new MixedSound reading `stream` while it plays, or null when out of memory.
    IPlayingSound* createSoundFromStream(IAudioStream* stream, ISoundSource* source,
                                         bool playLooped, bool is3D, float minDistance,
                                         float maxDistance) override;
    //! Output frames per second.
    virtual u32 getMixingRate() = 0;

    //! Writes `frameCount` stereo frames of all playing, unpaused sounds to `output`, clamped
    //! to 16 bits, in chunks of at most maxChunkFrames. The caller holds the engine's lock.
    //! Allocates nothing.
    void mixFrames(s16* output, s32 frameCount);

private:
    bool hasActiveSound();
    void mixChunk(s16* output, s32 frameCount);
};

} // namespace audio
} // namespace nox

#endif

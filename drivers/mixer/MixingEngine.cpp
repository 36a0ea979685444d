#include "MixingEngine.h"

#include "MixedSound.h"
#include "dsp/MixKernels.h"

#include <cstring>
#include <new>

namespace nox {
namespace audio {

namespace {

// Every sound in the playing list of a mixing engine was made by one of its two hooks.
MixedSound* mixed(PlayingSound* sound) {
    return static_cast<MixedSound*>(sound);
}

bool isAudible(MixedSound* sound) {
    return !sound->isFinished() && !sound->getIsPaused();
}

} // namespace

MixingEngine::MixingEngine(IFileManager* fileManager, int options)
    : SoundEngine(fileManager, options, false) {}

IPlayingSound* MixingEngine::createSoundFromSamples(SampleBuffer* samples, ISoundSource* source,
                                                    bool playLooped, bool is3D, float minDistance,
                                                    float maxDistance) {
    return new (std::nothrow) AtomicallyCounted<MixedSound>(
        this, source, samples, playLooped, is3D, getMixingRate(), minDistance, maxDistance);
}

IPlayingSound* MixingEngine::createSoundFromStream(IAudioStream* stream, ISoundSource* source,
                                                   bool playLooped, bool is3D, float minDistance,
                                                   float maxDistance) {
    return new (std::nothrow) AtomicallyCounted<MixedSound>(
        this, source, stream, playLooped, is3D, getMixingRate(), minDistance, maxDistance);
}

bool MixingEngine::hasActiveSound() {
    for (PlayingSound* sound : getPlayingSounds())
        if (isAudible(mixed(sound)))
            return true;
    return false;
}

void MixingEngine::mixFrames(s16* output, s32 frameCount) {
    if (frameCount <= 0)
        return;
    if (!hasActiveSound()) {
        std::memset(output, 0, sizeof(s16) * 2 * static_cast<size_t>(frameCount));
        return;
    }
    for (s32 done = 0; done < frameCount; done += maxChunkFrames) {
        s32 chunk = frameCount - done < maxChunkFrames ? frameCount - done : maxChunkFrames;
        mixChunk(output + 2 * done, chunk);
    }
}

void MixingEngine::mixChunk(s16* output, s32 frameCount) {
    s32 accumulator[2 * maxChunkFrames];
    s16 scratch[2 * maxChunkFrames];
    const s32 sampleCount = 2 * frameCount;
    std::memset(accumulator, 0, sizeof(s32) * static_cast<size_t>(sampleCount));
    for (PlayingSound* sound : getPlayingSounds()) {
        MixedSound* voice = mixed(sound);
        if (!isAudible(voice))
            continue;
        voice->renderFrames(scratch, frameCount);
        // A silent sound still advances, but adds nothing.
        if (voice->getEffectiveVolume() != 0.0f)
            addSamples(accumulator, scratch, sampleCount);
    }
    clampToS16(output, accumulator, sampleCount);
}

} // namespace audio
} // namespace nox

#include "MixedSound.h"

#include "MemoryAudioStream.h"
#include "dsp/MixKernels.h"

#include <cstring>
#include <new>

namespace nox {
namespace audio {

namespace {

void writeSilence(s16* frames, s32 frameCount) {
    std::memset(frames, 0, sizeof(s16) * 2 * static_cast<size_t>(frameCount));
}

} // namespace

MixedSound::MixedSound(SoundEngine* engine, ISoundSource* source, IAudioStream* stream,
                       bool playLooped, bool is3D, u32 mixingRate, float minDistance,
                       float maxDistance)
    : PlayingSound(engine, source, playLooped, is3D, minDistance, maxDistance),
      mixingRate_(mixingRate) {
    if (stream)
        sampleSource_ = createSampleSource(mixingRate, stream);
}

MixedSound::MixedSound(SoundEngine* engine, ISoundSource* source, SampleBuffer* samples,
                       bool playLooped, bool is3D, u32 mixingRate, float minDistance,
                       float maxDistance)
    : PlayingSound(engine, source, playLooped, is3D, minDistance, maxDistance),
      mixingRate_(mixingRate) {
    if (!samples)
        return;
    MemoryAudioStream* memoryStream = new (std::nothrow) MemoryAudioStream(samples);
    if (!memoryStream)
        return;
    sampleSource_ = createSampleSource(mixingRate, memoryStream);
    memoryStream->decRef();
}

MixedSound::~MixedSound() {
    if (SampleSource* source = sampleSource_)
        source->decRef();
}

void MixedSound::onStop() {
    if (SampleSource* source = sampleSource_.exchange(nullptr))
        source->decRef();
    playedFrames_ = 0;
}

int MixedSound::getPlayPosition() {
    if (!sampleSource_ || !getSoundSourceOf())
        return -1;
    // The output rate of every sample source is the mixing rate.
    return static_cast<int>(static_cast<u32>(playedFrames_) * 1000.0 / mixingRate_);
}

void MixedSound::updateListener(float engineVolume, Vector3 listenerPosition,
                                Vector3 listenerLookDirection, Vector3 listenerUp,
                                bool linearRolloff) {
    if (sampleSource_)
        apply3DInSoftware(engineVolume, listenerPosition, listenerLookDirection, listenerUp,
                          linearRolloff);
}

s32 MixedSound::readScaled(s16* buffer, s32 frameCount) {
    s32 n = sampleSource_.load()->read(buffer, frameCount);
    n = n < 0 ? 0 : (n > frameCount ? frameCount : n);
    const StereoGains gains = stereoGains(effectivePan_, effectiveVolume_);
    // Only the frames read are scaled: the caller overwrites the rest.
    if (!isUnityGain(gains.left) || !isUnityGain(gains.right))
        scaleStereo(buffer, n, limitGain(gains.left), limitGain(gains.right));
    return n;
}

void MixedSound::renderFrames(s16* buffer, s32 frameCount) {
    SampleSource* source = sampleSource_;
    if (!source)
        return;
    s32 n = readScaled(buffer, frameCount);
    playedFrames_ = playedFrames_ + static_cast<u32>(n);
    if (n >= frameCount)
        return;
    if (isLooped()) {
        loopInto(source, buffer, n, frameCount);
        return;
    }
    writeSilence(buffer + 2 * n, frameCount - n);
    onStop();
}

void MixedSound::loopInto(SampleSource* source, s16* buffer, s32 filled, s32 frameCount) {
    // A sound shorter than the rest of the chunk restarts as often as needed. A stream that
    // cannot restart, or an empty one, delivers nothing more: the loop goes on in silence
    // until the sound is stopped.
    s32 read = 0;
    do {
        source->setPosition(0);
        read = readScaled(buffer + 2 * filled, frameCount - filled);
        filled += read;
        playedFrames_ = static_cast<u32>(read);
    } while (filled < frameCount && read > 0);
    writeSilence(buffer + 2 * filled, frameCount - filled);
}

} // namespace audio
} // namespace nox

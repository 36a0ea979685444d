#include "MixedSound.h"

#include "MemoryAudioStream.h"
#include "MixKernels.h"

#include <cstring>
#include <new>

namespace nox {
namespace audio {

namespace {

// Gains this close to 1 leave the samples untouched.
const f32 unityTolerance = 0.0001f;

bool isUnity(f32 gain) {
    return gain + unityTolerance > 1.0f && gain - unityTolerance < 1.0f;
}

f32 limitToUnit(f32 value) {
    return value < 0.0f ? 0.0f : (value > 1.0f ? 1.0f : value);
}

void writeSilence(s16* frames, s32 frameCount) {
    std::memset(frames, 0, sizeof(s16) * 2 * static_cast<size_t>(frameCount));
}

} // namespace

MixedSound::MixedSound(SoundEngine* engine, ISoundSource* source, IAudioStream* stream,
                       bool playLooped, u32 mixingRate, float minDistance, float maxDistance)
    : PlayingSound(engine, source, playLooped, minDistance, maxDistance), mixingRate_(mixingRate) {
    if (stream)
        sampleSource_ = createSampleSource(mixingRate, stream);
}

MixedSound::MixedSound(SoundEngine* engine, ISoundSource* source, SampleBuffer* samples,
                       bool playLooped, u32 mixingRate, float minDistance, float maxDistance)
    : PlayingSound(engine, source, playLooped, minDistance, maxDistance), mixingRate_(mixingRate) {
    if (!samples)
        return;
    MemoryAudioStream* memoryStream = new (std::nothrow) MemoryAudioStream(samples);
    if (!memoryStream)
        return;
    sampleSource_ = createSampleSource(mixingRate, memoryStream);
    memoryStream->decRef();
}

MixedSound::~MixedSound() {
    if (ISampleSource* source = sampleSource_)
        source->decRef();
}

void MixedSound::onStop() {
    if (ISampleSource* source = sampleSource_.exchange(nullptr))
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

void MixedSound::computeGains(f32& left, f32& right) const {
    // Pan attenuates one side ten times faster than it moves: 0.1 silences it.
    const f32 pan = effectivePan_;
    left = 1.0f;
    right = 1.0f;
    if (pan > 0.0f)
        right = limitToUnit(1.0f - 10.0f * pan);
    else if (pan < 0.0f)
        left = limitToUnit(1.0f + 10.0f * pan);
    const f32 volume = effectiveVolume_;
    left *= volume;
    right *= volume;
}

s32 MixedSound::readScaled(s16* buffer, s32 frameCount) {
    s32 n = sampleSource_.load()->read(buffer, frameCount);
    n = n < 0 ? 0 : (n > frameCount ? frameCount : n);
    f32 left, right;
    computeGains(left, right);
    // Only the frames read are scaled: the caller overwrites the rest.
    if (!isUnity(left) || !isUnity(right))
        scaleStereo(buffer, n, limitGain(left), limitGain(right));
    return n;
}

void MixedSound::renderFrames(s16* buffer, s32 frameCount) {
    ISampleSource* source = sampleSource_;
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

void MixedSound::loopInto(ISampleSource* source, s16* buffer, s32 filled, s32 frameCount) {
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

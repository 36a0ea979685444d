#include "MixerFixtures.h"

#include "LogCapture.h"
#include "io/IFileManager.h"

#include <algorithm>
#include <cstring>

using namespace nox::audio;

namespace dravon_test {

AudioStreamFormat formatOf(s32 channels, s32 rate, E_SAMPLE_FORMAT sampleFormat, s32 frameCount) {
    AudioStreamFormat format;
    format.channelCount = channels;
    format.sampleRate = rate;
    format.sampleFormat = sampleFormat;
    format.frameCount = frameCount;
    return format;
}

VectorStream::VectorStream(const AudioStreamFormat& format, const Bytes& bytes)
    : format_(format), bytes_(bytes) {}

VectorStream::VectorStream(s32 channels, s32 rate, const std::vector<s16>& samples)
    : VectorStream(formatOf(channels, rate, ESF_S16, static_cast<s32>(samples.size()) / channels),
                   bytesOf(samples)) {}

bool VectorStream::setPosition(s32 frame) {
    size_t offset = static_cast<size_t>(frame) * format_.getBytesPerFrame();
    if (refusesPositions || frame < 0 || offset > bytes_.size())
        return false;
    offset_ = offset;
    return true;
}

s32 VectorStream::readFrames(void* target, s32 frameCount) {
    requests.push_back(frameCount);
    const size_t frameBytes = format_.getBytesPerFrame();
    size_t count =
        std::min(static_cast<size_t>(frameCount), (bytes_.size() - offset_) / frameBytes);
    std::memcpy(target, bytes_.data() + offset_, count * frameBytes);
    offset_ += count * frameBytes;
    return static_cast<s32>(count);
}

TestMixingEngine::TestMixingEngine() : MixingEngine(createFileManager(), 0) {
    // The engine holds its own reference to the file manager.
    getFileManager()->decRef();
}

MixedSound* TestMixingEngine::add(IAudioStream* stream, bool looped, ISoundSource* source) {
    MixedSound* sound =
        static_cast<MixedSound*>(createSoundFromStream(stream, source, looped, false, 1.0f, 1e9f));
    getPlayingSounds().push_back(sound);
    sound->setIsPaused(false);
    return sound;
}

TestMixingEngine* makeTestMixingEngine() {
    StdoutCapture quiet;
    return new TestMixingEngine();
}

std::vector<s16> mix(TestMixingEngine& engine, s32 frameCount) {
    // Filled with a value no mix produces here, so that unwritten samples show.
    std::vector<s16> output(2 * static_cast<size_t>(frameCount), 0x5A5A);
    engine.mixFrames(output.data(), frameCount);
    return output;
}

std::vector<s16> constant(size_t count, s16 value) {
    return std::vector<s16>(count, value);
}

} // namespace dravon_test

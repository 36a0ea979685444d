// Streams and an engine for tests of the software mixer, with no device and no files.
#ifndef DRAVON_TESTS_DRIVERS_MIXER_MIXER_FIXTURES_H
#define DRAVON_TESTS_DRIVERS_MIXER_MIXER_FIXTURES_H

#include "WavBuilder.h"
#include "drivers/mixer/MixedSound.h"
#include "drivers/mixer/MixingEngine.h"

#include <vector>

namespace dravon_test {

//! A format of `frameCount` frames.
nox::audio::AudioStreamFormat formatOf(nox::audio::s32 channels, nox::audio::s32 rate,
                                       nox::audio::E_SAMPLE_FORMAT sampleFormat,
                                       nox::audio::s32 frameCount);

//! A stream over bytes held in memory that records the frame count of every read and can be
//! made to refuse positions.
class VectorStream : public nox::audio::IAudioStream {
public:
    VectorStream(const nox::audio::AudioStreamFormat& format, const Bytes& bytes);
    //! Interleaved 16-bit samples at `rate`.
    VectorStream(nox::audio::s32 channels, nox::audio::s32 rate,
                 const std::vector<nox::audio::s16>& samples);

    nox::audio::AudioStreamFormat getFormat() override { return format_; }
    bool setPosition(nox::audio::s32 frame) override;
    nox::audio::s32 readFrames(void* target, nox::audio::s32 frameCount) override;

    //! The frame count asked for by each read, in order.
    std::vector<nox::audio::s32> requests;
    bool refusesPositions = false;

private:
    nox::audio::AudioStreamFormat format_;
    Bytes bytes_;
    size_t offset_ = 0;
};

//! A mixing engine at 44100 Hz on its own file manager, with no output: the test calls
//! mixFrames() itself.
class TestMixingEngine : public nox::audio::MixingEngine {
public:
    TestMixingEngine();
    nox::audio::u32 getMixingRate() override { return 44100; }

    //! A new, unpaused MixedSound over `stream` in the playing list, which holds its one
    //! reference; borrowed.
    nox::audio::MixedSound* add(nox::audio::IAudioStream* stream, bool looped = false,
                                nox::audio::ISoundSource* source = nullptr);
};

//! A new TestMixingEngine, made without its banner on standard output; release with decRef().
TestMixingEngine* makeTestMixingEngine();

//! The `frameCount` stereo frames that one mixFrames() call writes.
std::vector<nox::audio::s16> mix(TestMixingEngine& engine, nox::audio::s32 frameCount);

//! `count` interleaved samples all equal to `value`.
std::vector<nox::audio::s16> constant(size_t count, nox::audio::s16 value);

} // namespace dravon_test

#endif

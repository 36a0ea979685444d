// MixingEngine::mixFrames: chunks, the activity test, summing and clamping.
#include "MixerFixtures.h"

#include <gtest/gtest.h>

using namespace nox::audio;
using dravon_test::constant;
using dravon_test::mix;
using dravon_test::VectorStream;

namespace {

class MixFrames : public ::testing::Test {
protected:
    ~MixFrames() override { engine->decRef(); }

    // A 44100 Hz stereo sound (the direct path: each mixed chunk is one read of the stream).
    MixedSound* play(VectorStream* stream, bool looped = false) {
        MixedSound* sound = engine->add(stream, looped);
        stream->decRef(); // the sound's sample source holds it
        return sound;
    }

    dravon_test::TestMixingEngine* engine = dravon_test::makeTestMixingEngine();
};

TEST_F(MixFrames, ARequestIsMixedInChunksOfAtMost2048Frames) {
    std::vector<s16> samples = dravon_test::patternSamples(2 * 6000);
    VectorStream* stream = new VectorStream(2, 44100, samples);
    stream->incRef();
    play(stream);
    std::vector<s16> output = mix(*engine, 5000);
    EXPECT_EQ(stream->requests, (std::vector<s32>{2048, 2048, 904}));
    EXPECT_EQ(output, std::vector<s16>(samples.begin(), samples.begin() + 2 * 5000));
    // Exactly one chunk, and a request of 0 writes nothing.
    mix(*engine, 2048);
    EXPECT_EQ(stream->requests.back(), 2048);
    EXPECT_EQ(mix(*engine, 0), std::vector<s16>());
    EXPECT_EQ(stream->requests.size(), 4u);
    stream->decRef();
}

TEST_F(MixFrames, WithoutAnActiveSoundTheOutputIsSilentAndNothingAdvances) {
    EXPECT_EQ(mix(*engine, 3000), constant(2 * 3000, 0));
    VectorStream* pausedStream = new VectorStream(2, 44100, constant(2 * 1000, 700));
    VectorStream* endedStream = new VectorStream(2, 44100, constant(2 * 1000, 700));
    pausedStream->incRef();
    endedStream->incRef();
    MixedSound* paused = play(pausedStream);
    MixedSound* ended = play(endedStream);
    paused->setIsPaused(true);
    ended->stop();
    EXPECT_EQ(mix(*engine, 3000), constant(2 * 3000, 0));
    EXPECT_TRUE(pausedStream->requests.empty());
    EXPECT_TRUE(endedStream->requests.empty());
    EXPECT_EQ(paused->getPlayedFrames(), 0u);
    pausedStream->decRef();
    endedStream->decRef();
}

TEST_F(MixFrames, SumsAreClampedTo16BitsAtBothEnds) {
    const std::vector<s16> loud = {30000, -30000, 20000, -20000, 100, -100, 32767, -32768};
    play(new VectorStream(2, 44100, loud));
    play(new VectorStream(2, 44100, loud));
    EXPECT_EQ(mix(*engine, 4),
              (std::vector<s16>{32767, -32768, 32767, -32768, 200, -200, 32767, -32768}));
}

TEST_F(MixFrames, ASoundAtVolumeZeroAdvancesButAddsNothing) {
    VectorStream* silentStream = new VectorStream(2, 44100, constant(2 * 3000, 1000));
    silentStream->incRef();
    MixedSound* silent = play(silentStream);
    MixedSound* heard = play(new VectorStream(2, 44100, dravon_test::patternSamples(2 * 3000)));
    silent->setEffectiveVolume(0.0f);
    std::vector<s16> output = mix(*engine, 2500);
    std::vector<s16> pattern = dravon_test::patternSamples(2 * 2500);
    EXPECT_EQ(output, pattern);
    EXPECT_EQ(silentStream->requests, (std::vector<s32>{2048, 452}));
    EXPECT_EQ(silent->getPlayedFrames(), heard->getPlayedFrames());
    EXPECT_EQ(silent->getPlayedFrames(), 2500u);
    silentStream->decRef();
}

TEST_F(MixFrames, APausedSoundHoldsItsPositionWhileOthersPlay) {
    std::vector<s16> ramp = dravon_test::patternSamples(2 * 1000);
    MixedSound* waiting = play(new VectorStream(2, 44100, ramp));
    play(new VectorStream(2, 44100, constant(2 * 5000, 5)));
    waiting->setIsPaused(true);
    EXPECT_EQ(mix(*engine, 600), constant(2 * 600, 5));
    EXPECT_EQ(waiting->getPlayedFrames(), 0u);
    waiting->setIsPaused(false);
    std::vector<s16> output = mix(*engine, 10);
    for (size_t i = 0; i < output.size(); ++i)
        ASSERT_EQ(output[i], ramp[i] + 5) << "sample " << i;
    EXPECT_EQ(waiting->getPlayedFrames(), 10u);
}

} // namespace

// MixedSound: ends, loops, play positions, and the gains of pan and volume.
#include "MixerFixtures.h"

#include <gtest/gtest.h>

using namespace nox::audio;
using dravon_test::constant;
using dravon_test::mix;
using dravon_test::VectorStream;

namespace {

class MixedSoundTest : public ::testing::Test {
protected:
    MixedSoundTest() {
        dravon_test::Bytes wav = dravon_test::makeWav16(2, 44100, constant(8, 0));
        source =
            engine->addSoundSourceFromMemory(wav.data(), static_cast<int>(wav.size()), "x.wav");
    }
    ~MixedSoundTest() override { engine->decRef(); }

    // A 44100 Hz stereo sound of the interleaved `samples`, with a source.
    MixedSound* play(const std::vector<s16>& samples, bool looped = false) {
        VectorStream* stream = new VectorStream(2, 44100, samples);
        MixedSound* sound = engine->add(stream, looped, source);
        stream->decRef();
        return sound;
    }

    // One renderFrames() call into a buffer prefilled with a marker value.
    static std::vector<s16> render(MixedSound* sound, s32 frameCount) {
        std::vector<s16> buffer(2 * static_cast<size_t>(frameCount), 0x5A5A);
        sound->renderFrames(buffer.data(), frameCount);
        return buffer;
    }

    static std::vector<s16> slice(const std::vector<s16>& samples, size_t firstFrame,
                                  size_t frames) {
        return std::vector<s16>(samples.begin() + 2 * firstFrame,
                                samples.begin() + 2 * (firstFrame + frames));
    }

    static std::vector<s16> joined(std::vector<s16> first, const std::vector<s16>& second) {
        first.insert(first.end(), second.begin(), second.end());
        return first;
    }

    dravon_test::TestMixingEngine* engine = dravon_test::makeTestMixingEngine();
    ISoundSource* source = nullptr;
    const std::vector<s16> thousandFrames = dravon_test::patternSamples(2 * 1000);
};

TEST_F(MixedSoundTest, AThousandFrameSoundInChunksOf256EndsWith232FramesAnd24Zeros) {
    MixedSound* sound = play(thousandFrames);
    for (s32 chunk = 0; chunk < 3; ++chunk)
        ASSERT_EQ(render(sound, 256), slice(thousandFrames, 256 * chunk, 256)) << chunk;
    EXPECT_EQ(sound->getPlayedFrames(), 768u);
    EXPECT_EQ(render(sound, 256), joined(slice(thousandFrames, 768, 232), constant(2 * 24, 0)));
    EXPECT_TRUE(sound->isFinished());
    EXPECT_EQ(sound->getPlayPosition(), -1);
    // A finished sound writes nothing; the next housekeeping pass drops it.
    EXPECT_EQ(render(sound, 4), constant(8, 0x5A5A));
    engine->updateSounds();
    EXPECT_EQ(mix(*engine, 4), constant(8, 0));
}

TEST_F(MixedSoundTest, LoopedTheFourthChunkGoesOnWithTheFirst24Frames) {
    MixedSound* sound = play(thousandFrames, true);
    for (s32 chunk = 0; chunk < 3; ++chunk)
        render(sound, 256);
    EXPECT_EQ(render(sound, 256),
              joined(slice(thousandFrames, 768, 232), slice(thousandFrames, 0, 24)));
    EXPECT_EQ(sound->getPlayedFrames(), 24u);
    EXPECT_EQ(sound->getPlayPosition(), 0);
    EXPECT_EQ(render(sound, 256), slice(thousandFrames, 24, 256));
    EXPECT_FALSE(sound->isFinished());
}

TEST_F(MixedSoundTest, ALoopShorterThanTheRestOfAChunkRestartsAsOftenAsNeeded) {
    std::vector<s16> hundred = slice(thousandFrames, 0, 100);
    MixedSound* sound = play(hundred, true);
    EXPECT_EQ(render(sound, 256), joined(joined(hundred, hundred), slice(hundred, 0, 56)));
    EXPECT_EQ(sound->getPlayedFrames(), 56u);
}

TEST_F(MixedSoundTest, ALoopedStreamThatCannotRestartPlaysOnInSilence) {
    VectorStream* stream = new VectorStream(2, 44100, thousandFrames);
    stream->refusesPositions = true;
    MixedSound* sound = engine->add(stream, true, source);
    stream->decRef();
    render(sound, 900);
    EXPECT_EQ(render(sound, 256), joined(slice(thousandFrames, 900, 100), constant(2 * 156, 0)));
    EXPECT_EQ(render(sound, 10), constant(20, 0));
    EXPECT_FALSE(sound->isFinished());
    EXPECT_EQ(sound->getPlayedFrames(), 0u);
}

TEST_F(MixedSoundTest, PlayPositionsAreMillisecondsAtTheMixingRate) {
    MixedSound* sound = play(constant(2 * 50000, 1));
    EXPECT_EQ(sound->getPlayPosition(), 0);
    render(sound, 2047);
    EXPECT_EQ(sound->getPlayPosition(), 46); // 46.41 ms, truncated
    render(sound, 22050 - 2047);
    EXPECT_EQ(sound->getPlayPosition(), 500);
    render(sound, 22050);
    EXPECT_EQ(sound->getPlayPosition(), 1000);
    sound->stop();
    EXPECT_EQ(sound->getPlayPosition(), -1);
    EXPECT_TRUE(sound->isFinished());
    // Without a source there is no position either.
    VectorStream* stream = new VectorStream(2, 44100, thousandFrames);
    MixedSound* orphan = engine->add(stream);
    stream->decRef();
    render(orphan, 441);
    EXPECT_EQ(orphan->getPlayPosition(), -1);
}

struct GainCase {
    f32 pan;
    f32 volume;
    std::vector<s16> in;
    std::vector<s16> out;
};

TEST_F(MixedSoundTest, PanAndVolumeScaleEachChannelAndTruncateTowardZero) {
    const GainCase cases[] = {
        // Pan 0.05 halves the right channel; 0.1 and more silences it.
        {0.05f, 1.0f, {1001, 1001, -1001, -1001}, {1001, 500, -1001, -500}},
        {0.1f, 1.0f, {1000, 1000}, {1000, 0}},
        {0.7f, 1.0f, {1000, 1000}, {1000, 0}},
        {-0.2f, 1.0f, {1000, 1000}, {0, 1000}},
        {-0.05f, 0.5f, {1000, 1000}, {250, 500}},
        // Gains within 0.0001 of 1 leave the samples as they are; 0.999 does not.
        {0.0f, 0.99995f, {32767, -32768, 12345, -1}, {32767, -32768, 12345, -1}},
        {0.0f, 1.00009f, {32767, -32768}, {32767, -32768}},
        {0.0f, 0.999f, {32767, -32768}, {32734, -32735}},
        // Above 1 the products saturate instead of wrapping.
        {0.0f, 2.0f, {20000, -20000, 3, -3}, {32767, -32768, 6, -6}},
    };
    for (const GainCase& c : cases) {
        MixedSound* sound = play(c.in);
        sound->setEffectivePan(c.pan);
        sound->setEffectiveVolume(c.volume);
        EXPECT_EQ(mix(*engine, static_cast<s32>(c.in.size() / 2)), c.out)
            << "pan " << c.pan << ", volume " << c.volume;
        sound->stop();
        engine->updateSounds();
    }
}

TEST_F(MixedSoundTest, TheSoundsVolumeAndPanReachTheMixThroughTheHousekeepingPass) {
    MixedSound* sound = play(constant(2 * 10, 1000));
    sound->setPan(0.05f);
    sound->setVolume(0.5f);
    engine->setSoundVolume(0.5f);
    engine->updateSounds();
    EXPECT_EQ(sound->getEffectivePan(), 0.05f);
    EXPECT_EQ(sound->getEffectiveVolume(), 0.25f);
    EXPECT_EQ(mix(*engine, 1), (std::vector<s16>{250, 125}));
}

} // namespace

// A sound the application holds after its source is removed and its engine released: it is
// stopped, and every operation stays safe.
TEST(MixedSoundLifetime, AHeldSoundOutlivesItsSourceAndItsEngine) {
    dravon_test::TestMixingEngine* engine = dravon_test::makeTestMixingEngine();
    const dravon_test::Bytes wav =
        dravon_test::makeWav16(2, 44100, dravon_test::patternSamples(2 * 1000));
    engine->addSoundSourceFromMemory(wav.data(), static_cast<int>(wav.size()), "kept.wav");
    IPlayingSound* sound =
        static_cast<ISoundEngine*>(engine)->play2D("kept.wav", true, false, true);
    ASSERT_NE(sound, nullptr);
    mix(*engine, 441);
    EXPECT_EQ(sound->getPlayPosition(), 10);
    engine->removeSoundSource("kept.wav");
    for (int round = 0; round < 2; ++round) {
        sound->setIsPaused(false);
        sound->stop();
        EXPECT_TRUE(sound->isFinished());
        EXPECT_EQ(sound->getPlayPosition(), -1);
        EXPECT_EQ(sound->getPlayLength(), 22) << "1000 frames at 44100 Hz";
        EXPECT_STREQ(sound->getSoundSourceOf()->getName(), "kept.wav");
        if (engine) {
            engine->decRef();
            engine = nullptr;
        }
    }
    EXPECT_TRUE(sound->decRef());
}

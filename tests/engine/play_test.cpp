// The play operations: streaming or decoding whole, the sample cache, results and references.
#include "EngineFixtures.h"

#include "dravon/dravon.h"
#include "engine/SampleBuffer.h"
#include "engine/SoundSource.h"

#include <gtest/gtest.h>

using namespace dravon_test;

namespace {

SoundSource* fileSource(ISoundSource* source) {
    return static_cast<SoundSource*>(source);
}

} // namespace

class PlayTest : public EngineTest {
protected:
    //! Registers `name` with the given content and plays it once, paused and tracked.
    SoundSource* playOnce(const char* name, const Bytes& content,
                          int streaming = SOURCE_STREAM_AUTO) {
        provider->add(name, content);
        IPlayingSound* sound = api()->play2D(name, false, true, false, streaming);
        if (sound)
            sound->decRef();
        return fileSource(engine->getSoundSource(name));
    }
};

TEST_F(PlayTest, AutomaticSourcesStreamAbove128000DecodedBytes) {
    SoundSource* whole = playOnce("whole.fake", fakeStreamFile(2, 32000, 44100, ESF_S16, 32000));
    EXPECT_EQ(whole->getStreamMode(), SOURCE_STREAM_NEVER);
    EXPECT_NE(whole->getSampleBuffer(), nullptr);
    SoundSource* streamed =
        playOnce("streamed.fake", fakeStreamFile(2, 32001, 44100, ESF_S16, 32001));
    EXPECT_EQ(streamed->getStreamMode(), SOURCE_STREAM_ALWAYS);
    EXPECT_EQ(streamed->getSampleBuffer(), nullptr);
    SoundSource* bytes8 = playOnce("u8.fake", fakeStreamFile(2, 64000, 22050, ESF_U8, 64000));
    EXPECT_EQ(bytes8->getStreamMode(), SOURCE_STREAM_NEVER) << "8-bit samples are one byte";
    SoundSource* endless = playOnce("endless.fake", fakeStreamFile(1, -5, 8000, ESF_S16, 3));
    EXPECT_EQ(endless->getStreamMode(), SOURCE_STREAM_ALWAYS);
    EXPECT_EQ(engine->madeFromStream, (std::vector<bool>{false, true, false, true}));
}

TEST_F(PlayTest, DecodingWholeIsForcedToStreamAboveTheThreshold) {
    const Bytes big = fakeStreamFile(1, 500001, 44100, ESF_S16, 0); // 1000002 bytes
    ISoundSource* memory =
        engine->addSoundSourceFromMemory(big.data(), static_cast<int>(big.size()), "big");
    StdoutCapture out;
    for (int i = 0; i < 2; ++i)
        api()->play2D(memory, false, true)->decRef();
    EXPECT_EQ(out.takeLines(),
              (std::vector<std::string>{
                  "No streaming was specified, but forcing to play sound streamed: big"}))
        << "logged once: the source streams from then on";
    EXPECT_EQ(memory->getStreamMode(), SOURCE_STREAM_ALWAYS);
    EXPECT_EQ(engine->madeFromStream, (std::vector<bool>{true, true}));
}

TEST_F(PlayTest, ThresholdIsExclusiveAndZeroDisablesForcing) {
    SoundSource* atLimit =
        playOnce("limit.fake", fakeStreamFile(1, 500000, 44100, ESF_S16, 0), SOURCE_STREAM_NEVER);
    EXPECT_EQ(atLimit->getStreamMode(), SOURCE_STREAM_NEVER) << "exactly 1000000 bytes";
    provider->add("off.fake", fakeStreamFile(2, 300000, 44100, ESF_S16, 0));
    ISoundSource* off = engine->addSoundSourceFromFile("off.fake", SOURCE_STREAM_NEVER);
    off->setForcedStreamingThreshold(0);
    api()->play2D(off, false, true)->decRef();
    EXPECT_EQ(off->getStreamMode(), SOURCE_STREAM_NEVER);
}

TEST_F(PlayTest, UnknownLengthUnderNeverStreamsWithTheForcingLine) {
    StdoutCapture out;
    SoundSource* source =
        playOnce("endless.fake", fakeStreamFile(2, -1, 44100, ESF_S16, 0), SOURCE_STREAM_NEVER);
    EXPECT_EQ(out.takeLines(),
              (std::vector<std::string>{
                  "No streaming was specified, but forcing to play sound streamed: endless.fake"}));
    EXPECT_EQ(source->getStreamMode(), SOURCE_STREAM_ALWAYS);
}

TEST_F(PlayTest, DecodedSourcesAreOpenedOnceStreamedOnesAtEveryPlay) {
    provider->add("long.fake", fakeStreamFile(2, 40000, 44100, ESF_S16, 40000));
    for (int i = 0; i < 3; ++i) {
        api()->play2D("tone.fake", false, true)->decRef();
        api()->play2D("long.fake", false, true)->decRef();
    }
    EXPECT_EQ(provider->opened("tone.fake"), 1);
    EXPECT_EQ(provider->opened("long.fake"), 3);
    engine->getSoundSource("tone.fake")->forgetSampleData();
    api()->play2D("tone.fake", false, true)->decRef();
    EXPECT_EQ(provider->opened("tone.fake"), 2);
}

TEST_F(PlayTest, ShortStreamShrinksTheCachedFrameCount) {
    SoundSource* source = playOnce("short.fake", fakeStreamFile(2, 100, 44100, ESF_S16, 60));
    SampleBuffer* samples = source->getSampleBuffer();
    ASSERT_NE(samples, nullptr);
    EXPECT_EQ(samples->format.frameCount, 60);
    EXPECT_EQ(source->getFormat().frameCount, 100) << "the source keeps the announced format";
    EXPECT_EQ(samples->data[0], 0x5A);
    EXPECT_EQ(samples->data[60 * 4 - 1], 0x5A);
}

TEST_F(PlayTest, ByNameTheFirstStreamingChoiceWins) {
    provider->add("pos.fake", fakeStreamFile(2, 100, 44100, ESF_S16, 100));
    IPlayingSound* first =
        api()->play3D("pos.fake", Vector3(1, 0, 0), false, true, false, SOURCE_STREAM_ALWAYS);
    IPlayingSound* second =
        api()->play3D("pos.fake", Vector3(2, 0, 0), false, true, false, SOURCE_STREAM_NEVER);
    EXPECT_EQ(engine->getSoundSource("pos.fake")->getStreamMode(), SOURCE_STREAM_ALWAYS);
    EXPECT_EQ(engine->madeFromStream, (std::vector<bool>{true, true}));
    EXPECT_EQ(second->getPosition3D(), Vector3(2, 0, 0));
    first->decRef();
    second->decRef();
}

TEST_F(PlayTest, ResultsAndReferences) {
    EXPECT_EQ(api()->play2D("tone.fake"), nullptr) << "untracked and started";
    ASSERT_EQ(engine->made.size(), 1u);
    CountedSound* untracked = engine->made[0];
    EXPECT_EQ(untracked->getReferenceCount(), 1) << "the playing list's reference";
    EXPECT_FALSE(untracked->getIsPaused());
    EXPECT_EQ(untracked->resumes, 1);

    IPlayingSound* paused = api()->play2D("tone.fake", false, true, false);
    ASSERT_NE(paused, nullptr) << "a paused sound is always returned";
    EXPECT_EQ(engine->made[1]->getReferenceCount(), 2);
    EXPECT_TRUE(paused->getIsPaused());
    EXPECT_EQ(engine->made[1]->resumes, 0);

    IPlayingSound* tracked = api()->play2D("tone.fake", true, false, true);
    ASSERT_NE(tracked, nullptr);
    EXPECT_TRUE(tracked->isLooped());
    EXPECT_EQ(engine->made[2]->listenerUpdates, 2) << "before the start and when resumed";

    paused->decRef();
    tracked->decRef();
}

TEST_F(PlayTest, ThreeDPlaysSetPositionBeforeTheFirstListenerPass) {
    api()->setListenerPosition(Vector3(0, 0, 0), Vector3(0, 0, 1));
    IPlayingSound* sound = api()->play3D("tone.fake", Vector3(1, 0, 0), false, true);
    ASSERT_NE(sound, nullptr);
    EXPECT_FLOAT_EQ(engine->made[0]->effectivePan, -0.5f);
    EXPECT_EQ(engine->made[0]->listenerUpdates, 1) << "paused: one pass, no resume";
    sound->decRef();
}

TEST_F(PlayTest, FailuresReturnNullAndAddNothing) {
    StdoutCapture out;
    EXPECT_EQ(api()->play2D(static_cast<ISoundSource*>(nullptr), false, true, true), nullptr);
    EXPECT_EQ(api()->play3D(static_cast<ISoundSource*>(nullptr), Vector3(), false, true, true),
              nullptr);
    EXPECT_EQ(api()->play2D("absent.fake", false, true, true), nullptr);
    provider->add("junk.fake", Bytes{'J', 'U', 'N', 'K'});
    EXPECT_EQ(api()->play2D("junk.fake", false, true, true), nullptr);
    EXPECT_EQ(out.takeLines(),
              (std::vector<std::string>{"Could not open sound file: absent.fake",
                                        "Unknown wave header in file",
                                        "Could not open audio stream for sound file: junk.fake"}));
    EXPECT_TRUE(engine->made.empty());
    EXPECT_EQ(engine->getSoundSource("junk.fake")->getStreamMode(), SOURCE_STREAM_AUTO);
}

TEST_F(PlayTest, DriverWithoutSoundsStillFillsFormatAndCache) {
    engine->makeSounds = false;
    EXPECT_EQ(api()->play2D("tone.fake", false, true, true), nullptr);
    SoundSource* source = fileSource(engine->getSoundSource("tone.fake"));
    EXPECT_EQ(source->getFormat().channelCount, 2);
    EXPECT_EQ(source->getFormat().frameCount, 100);
    EXPECT_NE(source->getSampleBuffer(), nullptr);
    EXPECT_FALSE(engine->isCurrentlyPlaying(source));
}

TEST(NullDriverPlay, ReturnsNullButDecodesTheSource) {
    ISoundEngine* engine = nullptr;
    {
        StdoutCapture quiet;
        engine = createDravonDevice(OUTPUT_DRIVER_NULL, 0, DRAVON_SDK_VERSION);
    }
    ASSERT_NE(engine, nullptr);
    const Bytes wav = makeWav16(1, 22050, patternSamples(22050));
    ISoundSource* source =
        engine->addSoundSourceFromMemory(wav.data(), static_cast<int>(wav.size()), "a.wav");
    EXPECT_EQ(engine->play2D(source, false, true, true), nullptr);
    SoundSource* file = fileSource(source);
    EXPECT_EQ(file->getFormat().sampleRate, 22050);
    ASSERT_NE(file->getSampleBuffer(), nullptr);
    EXPECT_EQ(file->getSampleBuffer()->format.frameCount, 22050);
    EXPECT_EQ(source->getPlayLength(), 1000);
    engine->decRef();
}

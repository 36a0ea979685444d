#include "EngineFixtures.h"

#include "dravon/dravon.h"
#include "platform/system/Logger.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace dravon_test;

TEST_F(EngineTest, FreshEngineDefaults) {
    ISoundEngine* fresh = nullptr;
    {
        StdoutCapture quiet;
        fresh = createDravonDevice(OUTPUT_DRIVER_NULL, 0, "0.8.1");
    }
    EXPECT_EQ(fresh->getSoundVolume(), 1.0f);
    EXPECT_EQ(fresh->getDefault3DSoundMinDistance(), 1.0f);
    EXPECT_EQ(fresh->getDefault3DSoundMaxDistance(), 1e9f);
    EXPECT_EQ(fresh->getSpareFactor(), 1.0f);
    EXPECT_EQ(fresh->getSoundSourceCount(), 0);
    EXPECT_FALSE(fresh->isMultiThreaded());
    EXPECT_EQ(fresh->getMusicStub(), nullptr);
    EXPECT_EQ(fresh->play2D("missing.wav"), nullptr);
    EXPECT_EQ(fresh->play3D("missing.wav", Vector3(1, 2, 3), false, true, true), nullptr);
    fresh->decRef();
}

TEST_F(EngineTest, FreshListenerReachesSoundsAsOriginLookingNowhereWithYUp) {
    engine->setSoundVolume(0.5f);
    // A 3D sound straight along +x: with look direction (0, 0, 0) the look angle is 0, so the
    // sound lies straight ahead.
    CountedSound* sound = playTracked3D(Vector3(0.5f, 0, 0));
    engine->update();
    EXPECT_FLOAT_EQ(sound->effectivePan, 0.0f);
    EXPECT_FLOAT_EQ(sound->effectiveVolume, 0.5f);
    sound->decRef();
}

TEST_F(EngineTest, DefaultDistancesAcceptOnlySensibleValues) {
    engine->setDefault3DSoundMinDistance(0.0f);
    EXPECT_EQ(engine->getDefault3DSoundMinDistance(), 0.0f);
    engine->setDefault3DSoundMinDistance(-1.0f);
    engine->setDefault3DSoundMinDistance(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(engine->getDefault3DSoundMinDistance(), 0.0f);
    engine->setDefault3DSoundMaxDistance(50.0f);
    engine->setDefault3DSoundMaxDistance(0.0f);
    engine->setDefault3DSoundMaxDistance(-3.0f);
    engine->setDefault3DSoundMaxDistance(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(engine->getDefault3DSoundMaxDistance(), 50.0f);
}

TEST_F(EngineTest, SpareFactorIsStoredWithoutCheck) {
    engine->setSpareFactor(-7.5f);
    EXPECT_EQ(engine->getSpareFactor(), -7.5f);
}

TEST_F(EngineTest, PlayMusicLogsOnEveryCall) {
    StdoutCapture out;
    int dummy = 0;
    EXPECT_EQ(engine->playMusic(&dummy), nullptr);
    EXPECT_EQ(engine->playMusic(nullptr), nullptr);
    const std::string line = "playMusic() is not implemented in this version, yet. Sorry";
    EXPECT_EQ(out.takeLines(), (std::vector<std::string>{line, line}));
}

TEST_F(EngineTest, VolumeChangeRunsAnUpdateWhenSingleThreaded) {
    CountedSound* sound = playTracked();
    int before = engine->passes;
    engine->setSoundVolume(1.0f);
    EXPECT_EQ(engine->passes, before) << "the current value runs no update";
    engine->setSoundVolume(0.25f);
    EXPECT_EQ(engine->passes, before + 1);
    EXPECT_FLOAT_EQ(sound->effectiveVolume, 0.25f);
    engine->setSoundVolume(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(engine->passes, before + 2);
    engine->setSoundVolume(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(engine->passes, before + 3) << "NaN never equals the current value";
    engine->setSoundVolume(4.0f);
    EXPECT_EQ(engine->getSoundVolume(), 4.0f) << "not limited to any range";
    sound->decRef();
}

TEST_F(EngineTest, ListenerIsStoredAsGivenAndReachesSoundsAtTheNextPass) {
    CountedSound* sound = playTracked3D(Vector3(1, 0, 0));
    engine->setListenerPosition(Vector3(0, 0, 0), Vector3(0, 0, 5), Vector3(9, 9, 9),
                                Vector3(0, 3, 0));
    EXPECT_FLOAT_EQ(sound->effectivePan, 0.0f) << "not before the next pass";
    engine->update();
    EXPECT_FLOAT_EQ(sound->effectivePan, -0.5f);
    sound->decRef();
}

TEST_F(EngineTest, UpdateRemovesEndedSoundsAndUpdatesTheOthers) {
    CountedSound* ending = playTracked();
    CountedSound* staying = playTracked();
    ending->ended = true;
    EXPECT_TRUE(engine->isCurrentlyPlaying("tone.fake")) << "ended but not yet removed";
    int stayingUpdates = staying->listenerUpdates;
    engine->update();
    EXPECT_EQ(ending->stops, 1);
    EXPECT_EQ(ending->getReferenceCount(), 1) << "only the test's reference is left";
    EXPECT_EQ(staying->listenerUpdates, stayingUpdates + 1);
    EXPECT_TRUE(engine->isCurrentlyPlaying(staying->getSoundSourceOf()));
    ending->decRef();
    staying->stop();
    engine->update();
    EXPECT_FALSE(engine->isCurrentlyPlaying("tone.fake"));
    EXPECT_FALSE(engine->isCurrentlyPlaying(static_cast<const char*>(nullptr)));
    staying->decRef();
}

TEST_F(EngineTest, PausedSoundsCountAsPlaying) {
    CountedSound* sound = playTracked(true);
    EXPECT_TRUE(engine->isCurrentlyPlaying("tone.fake"));
    EXPECT_FALSE(engine->isCurrentlyPlaying("Tone.fake")) << "names compare byte for byte";
    sound->decRef();
}

TEST_F(EngineTest, PauseAllAndStopAll) {
    CountedSound* a = playTracked();
    CountedSound* b = playTracked(true);
    engine->setAllSoundsPaused(true);
    EXPECT_TRUE(a->getIsPaused());
    EXPECT_EQ(a->pauses, 1);
    EXPECT_EQ(b->pauses, 0) << "an already paused sound calls no hook";
    engine->setAllSoundsPaused(false);
    EXPECT_EQ(b->resumes, 1);
    engine->stopAllSounds();
    EXPECT_EQ(a->stops, 1);
    EXPECT_EQ(b->stops, 1);
    EXPECT_TRUE(a->isFinished());
    EXPECT_FALSE(engine->isCurrentlyPlaying("tone.fake"));
    EXPECT_EQ(a->getReferenceCount(), 1);
    a->decRef();
    b->decRef();
}

TEST_F(EngineTest, UpdateOnAMultithreadedEngineOnlyLogs) {
    RecordingEngine* threaded = nullptr;
    {
        StdoutCapture quiet;
        threaded = new RecordingEngine(ENGINE_OPT_MULTITHREADED);
    }
    EXPECT_TRUE(threaded->isMultiThreaded());
    StdoutCapture out;
    int passes = threaded->passes;
    threaded->update();
    threaded->update();
    const std::string line =
        "You need not call update() if you specified Dravon to run multithreaded.";
    EXPECT_EQ(out.takeLines(), (std::vector<std::string>{line, line}));
    // The thread may run passes meanwhile, but update() itself adds none.
    EXPECT_LE(passes, threaded->passes);
    threaded->decRef();
}

TEST_F(EngineTest, NullLoaderIsIgnoredAndLoadersAreReferenced) {
    EXPECT_EQ(loader->getReferenceCount(), 2);
    engine->registerAudioStreamLoader(nullptr);
    IPlayingSound* sound = api()->play2D("tone.fake", false, true, false);
    EXPECT_NE(sound, nullptr);
    sound->decRef();
}

TEST_F(EngineTest, DestructionReleasesLoadersSourcesAndSounds) {
    FakeStreamLoader* kept = new FakeStreamLoader("kept", ".fake", &journal);
    RecordingEngine* other = nullptr;
    {
        StdoutCapture quiet;
        other = new RecordingEngine();
    }
    other->registerAudioStreamLoader(kept);
    other->addFileProvider(provider);
    IPlayingSound* held = static_cast<ISoundEngine*>(other)->play2D("tone.fake", true, false, true);
    ASSERT_NE(held, nullptr);
    ISoundSource* source = held->getSoundSourceOf();
    source->incRef();
    other->decRef();
    EXPECT_EQ(kept->getReferenceCount(), 1);
    EXPECT_TRUE(held->isFinished()) << "destruction stops every sound";
    EXPECT_EQ(source->getDefaultMaxDistance(), 1e9f) << "a surviving source has no engine";
    EXPECT_EQ(source->getPlayLength(), 2) << "its format is still known";
    held->decRef();
    source->decRef();
    kept->decRef();
}

TEST(EngineLogger, EnginesShareOneLoggerUntilTheLastIsGone) {
    StdoutCapture out;
    ISoundEngine* first = createDravonDevice(OUTPUT_DRIVER_NULL, 0, DRAVON_SDK_VERSION);
    ILogger* shared = acquireProcessLogger();
    shared->setLogLevel(LOG_LEVEL_ERROR);
    ISoundEngine* second = createDravonDevice(OUTPUT_DRIVER_NULL, 0, DRAVON_SDK_VERSION);
    releaseProcessLogger(shared);
    first->decRef();
    second->decRef();
    ISoundEngine* third = createDravonDevice(OUTPUT_DRIVER_NULL, 0, DRAVON_SDK_VERSION);
    third->decRef();
    EXPECT_EQ(out.takeLines(), (std::vector<std::string>{
                                   "Dravon 3D Sound Engine version 0.8.1", "Using NULL driver",
                                   "Dravon 3D Sound Engine version 0.8.1", "Using NULL driver"}))
        << "the second engine used the first one's quiet logger; the third made a new one";
}

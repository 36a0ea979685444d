// The update thread: passes on its own, ended sounds removed without update(), the application
// playing and steering sounds meanwhile, and a destruction that waits for the thread.
#include "EngineFixtures.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

using namespace dravon_test;

namespace {

//! Waits until `condition` holds, for at most five seconds; false when it never did.
template <typename Condition> bool eventually(Condition condition) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

class UpdateThreadTest : public testing::Test {
protected:
    void SetUp() override {
        StdoutCapture quiet;
        engine = new RecordingEngine(ENGINE_OPT_MULTITHREADED);
        provider = new MemoryProvider();
        provider->add("tone.fake", fakeStreamFile(2, 100, 44100, ESF_S16, 100));
        engine->addFileProvider(provider);
        loader = new FakeStreamLoader("fake", ".fake", &journal);
        engine->registerAudioStreamLoader(loader);
    }
    void TearDown() override {
        if (engine)
            engine->decRef();
        loader->decRef();
        provider->decRef();
    }

    ISoundEngine* api() { return engine; }

    RecordingEngine* engine = nullptr;
    MemoryProvider* provider = nullptr;
    FakeStreamLoader* loader = nullptr;
    std::vector<std::string> journal;
};

} // namespace

TEST_F(UpdateThreadTest, PassesRunWithoutUpdateAndRemoveEndedSounds) {
    EXPECT_TRUE(eventually([&] { return engine->passes >= 2; }));
    IPlayingSound* sound = api()->play2D("tone.fake", false, false, true);
    ASSERT_NE(sound, nullptr);
    CountedSound* counted = static_cast<CountedSound*>(sound);
    EXPECT_TRUE(eventually([&] { return counted->listenerUpdates >= 3; }));
    counted->ended = true;
    EXPECT_TRUE(eventually([&] { return !engine->isCurrentlyPlaying("tone.fake"); }));
    EXPECT_EQ(counted->getReferenceCount(), 1) << "the list released its reference";
    sound->decRef();
}

TEST_F(UpdateThreadTest, VolumeChangesWaitForTheNextPass) {
    IPlayingSound* sound = api()->play2D("tone.fake", false, false, true);
    CountedSound* counted = static_cast<CountedSound*>(sound);
    engine->setSoundVolume(0.125f);
    EXPECT_TRUE(eventually([&] { return counted->effectiveVolume == 0.125f; }));
    sound->decRef();
}

TEST_F(UpdateThreadTest, ApplicationThreadsPlayAndSteerWhileTheThreadUpdates) {
    auto player = [this](float x) {
        for (int i = 0; i < 200; ++i) {
            IPlayingSound* sound =
                api()->play3D("tone.fake", Vector3(x, 0, 1), i % 2 == 0, false, true);
            sound->setVolume(0.5f);
            sound->setPosition3D(Vector3(x, 1, 1));
            sound->setIsPaused(i % 3 == 0);
            if (i % 4 == 0)
                sound->stop();
            sound->decRef();
        }
    };
    std::thread a(player, 1.0f), b(player, -1.0f);
    for (int i = 0; i < 50; ++i) {
        api()->setListenerPosition(Vector3(0, 0, i * 0.1f), Vector3(0, 0, 1));
        engine->setAllSoundsPaused(i % 2 == 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    a.join();
    b.join();
    engine->stopAllSounds();
    EXPECT_FALSE(engine->isCurrentlyPlaying("tone.fake"));
    EXPECT_EQ(engine->made.size(), 400u);
}

TEST_F(UpdateThreadTest, ReleaseWaitsForTheThreadToLeaveItsLoop) {
    EXPECT_TRUE(eventually([&] { return engine->passes >= 1; }));
    IPlayingSound* held = api()->play2D("tone.fake", true, false, true);
    RecordingEngine* released = engine;
    engine = nullptr;
    released->decRef();
    // The engine is gone; its sound was stopped first and no pass can reach it any more.
    CountedSound* counted = static_cast<CountedSound*>(held);
    int updates = counted->listenerUpdates;
    std::this_thread::sleep_for(std::chrono::milliseconds(120));
    EXPECT_EQ(counted->listenerUpdates, updates);
    EXPECT_EQ(counted->stops, 1);
    held->decRef();
}

TEST(UpdateThreadLifetime, ReleaseRightAfterCreationIsClean) {
    for (int i = 0; i < 20; ++i) {
        StdoutCapture quiet;
        RecordingEngine* engine = new RecordingEngine(ENGINE_OPT_MULTITHREADED);
        engine->decRef();
    }
}

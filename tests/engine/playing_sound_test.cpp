// Playing sounds: software 3D (attenuation and pan), pausing and counting.
#include "EngineFixtures.h"

#include <gtest/gtest.h>
#include <thread>

using namespace dravon_test;

namespace {

const Vector3 origin(0, 0, 0);
const Vector3 alongZ(0, 0, 1);
const Vector3 upY(0, 1, 0);

//! A 3D sound with the given distances at `position`, heard by a listener at the origin.
class Placed {
public:
    Placed(Vector3 position, float minDistance = 1.0f, float maxDistance = 1e9f)
        : sound(new CountedSound(nullptr, nullptr, false, true, minDistance, maxDistance)) {
        sound->setPosition3D(position);
    }
    ~Placed() { sound->decRef(); }

    float pan(Vector3 look = alongZ, Vector3 up = upY) {
        sound->apply3DInSoftware(1.0f, origin, look, up, false);
        return sound->effectivePan;
    }
    float volume(float engineVolume, bool linear, float soundVolume = 1.0f) {
        sound->setVolume(soundVolume);
        sound->apply3DInSoftware(engineVolume, origin, alongZ, upY, linear);
        return sound->effectiveVolume;
    }

    CountedSound* sound;
};

} // namespace

TEST(SoftwarePan, QuartersAroundAListenerLookingAlongZ) {
    EXPECT_FLOAT_EQ(Placed(Vector3(1, 0, 0)).pan(), -0.5f);
    EXPECT_FLOAT_EQ(Placed(Vector3(-1, 0, 0)).pan(), 0.5f);
    EXPECT_FLOAT_EQ(Placed(Vector3(0, 0, 1)).pan(), 0.0f);
    EXPECT_FLOAT_EQ(Placed(Vector3(0, 0, -1)).pan(), -1.0f);
    EXPECT_FLOAT_EQ(Placed(Vector3(0, 5, 1)).pan(), 0.0f) << "height does not count with Y up";
}

TEST(SoftwarePan, DominantUpAxisChoosesThePlane) {
    // Z up, looking along X: +Y lies to the left.
    EXPECT_FLOAT_EQ(Placed(Vector3(0, 1, 0)).pan(Vector3(1, 0, 0), Vector3(0, 0, 1)), 0.5f);
    // X up, looking along Z: the plane is (y, z).
    EXPECT_FLOAT_EQ(Placed(Vector3(0, 1, 0)).pan(alongZ, Vector3(2, 0, 0)), -0.5f);
    // A zero up vector counts as Y; so does a tie between Y and another axis.
    EXPECT_FLOAT_EQ(Placed(Vector3(1, 0, 0)).pan(alongZ, Vector3(0, 0, 0)), -0.5f);
    EXPECT_FLOAT_EQ(Placed(Vector3(1, 0, 0)).pan(alongZ, Vector3(1, 1, 0)), -0.5f);
    // No look direction: the look angle is 0, as if looking along the first axis.
    EXPECT_FLOAT_EQ(Placed(Vector3(1, 0, 0)).pan(origin), 0.0f);
    EXPECT_FLOAT_EQ(Placed(Vector3(0, 0, 1)).pan(origin), 0.5f);
}

TEST(SoftwareAttenuation, DistanceBeyondTheMinimumDivides) {
    EXPECT_FLOAT_EQ(Placed(Vector3(0, 3, 0), 1, 10).volume(1, false), 0.5f);
    EXPECT_FLOAT_EQ(Placed(Vector3(0, 3, 0), 1, 10).volume(1, true), 1.0f - 2.0f / 9.0f);
    EXPECT_FLOAT_EQ(Placed(Vector3(0, 0, 1.5f), 1, 10).volume(1, false), 1.0f)
        << "1 / 0.5 is limited to 1";
    EXPECT_FLOAT_EQ(Placed(Vector3(4, 0, 0), 1, 10).volume(0.5f, false, 0.5f), 0.25f / 3.0f);
}

TEST(SoftwareAttenuation, LimitsAtBothEnds) {
    EXPECT_EQ(Placed(Vector3(1, 0, 0), 1, 10).volume(2, false), 1.0f) << "at the minimum";
    EXPECT_EQ(Placed(Vector3(1, 0, 0), 1, 10).volume(2, true), 1.0f);
    EXPECT_EQ(Placed(Vector3(0.5f, 0, 0), 1, 10).volume(2, false, 1.5f), 3.0f)
        << "inside the minimum nothing is limited";
    EXPECT_EQ(Placed(Vector3(10.5f, 0, 0), 1, 10).volume(1, false), 0.0f);
    EXPECT_FLOAT_EQ(Placed(Vector3(10, 0, 0), 1, 10).volume(1, false), 1.0f / 9.0f);
    EXPECT_EQ(Placed(Vector3(10, 0, 0), 1, 10).volume(1, true), 0.0f);
    EXPECT_EQ(Placed(Vector3(5, 0, 0), 5, 5).volume(0.3f, false, 0.2f), 1.0f)
        << "an empty range gives full volume whatever the volumes";
}

TEST(SoftwareAttenuation, TwoDSoundsPassVolumeAndPanUnchanged) {
    CountedSound* sound = new CountedSound(nullptr, nullptr, false, false, 1, 10);
    sound->setPan(0.25f);
    sound->setVolume(1.0f);
    sound->setPosition3D(Vector3(100, 0, 0));
    sound->apply3DInSoftware(2.0f, origin, alongZ, upY, false);
    EXPECT_EQ(sound->effectiveVolume, 2.0f);
    EXPECT_EQ(sound->effectivePan, 0.25f);
    sound->decRef();
}

TEST(PlayingSoundState, PausingTwiceOrResumingTwiceCallsTheHookOnce) {
    StdoutCapture quiet;
    RecordingEngine* engine = new RecordingEngine();
    CountedSound* sound = new CountedSound(engine, nullptr, true, false, 1, 10);
    EXPECT_TRUE(sound->getIsPaused()) << "created paused";
    sound->setIsPaused(true);
    EXPECT_EQ(sound->pauses, 0);
    sound->setIsPaused(false);
    sound->setIsPaused(false);
    EXPECT_EQ(sound->resumes, 1);
    sound->setIsPaused(true);
    sound->setIsPaused(true);
    EXPECT_EQ(sound->pauses, 1);
    EXPECT_TRUE(sound->isLooped());
    EXPECT_EQ(sound->getPlayPosition(), -1);
    sound->decRef();
    engine->decRef();
}

TEST(PlayingSoundState, ResumingPassesTheListenerStateFirst) {
    // Through the engine: the listener update reaches the sound before its first output.
    StdoutCapture quiet;
    RecordingEngine* engine = new RecordingEngine();
    ISoundSource* source = engine->getSoundSource("x");
    CountedSound* sound = new CountedSound(engine, source, false, false, 1, 10);
    engine->setSoundVolume(0.75f);
    sound->setIsPaused(false);
    EXPECT_EQ(sound->listenerUpdates, 1);
    EXPECT_FLOAT_EQ(sound->effectiveVolume, 0.75f);
    sound->decRef();
    engine->decRef();
}

TEST(PlayingSoundState, CountIsAtomicAcrossThreads) {
    CountedSound* sound = new CountedSound(nullptr, nullptr, false, false, 1, 10);
    auto hammer = [sound] {
        for (int i = 0; i < 100000; ++i) {
            sound->incRef();
            sound->decRef();
        }
    };
    std::thread a(hammer), b(hammer);
    a.join();
    b.join();
    EXPECT_EQ(sound->getReferenceCount(), 1);
    EXPECT_TRUE(sound->decRef()) << "the last release destroys it";
}

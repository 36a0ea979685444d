// Sounds and sources the application still holds when their source is removed or their engine
// is released: every operation on them is safe and acts as on a stopped sound.
#include "EngineFixtures.h"

#include <gtest/gtest.h>

using namespace dravon_test;

namespace {

enum class Farewell { sourceByName, sourceByPointer, allSources, engine };

class FarewellTest : public EngineTest, public testing::WithParamInterface<Farewell> {
protected:
    //! Removes the source of "tone.fake", or every source, or the engine itself.
    void sayFarewell() {
        switch (GetParam()) {
        case Farewell::sourceByName:
            engine->removeSoundSource("tone.fake");
            break;
        case Farewell::sourceByPointer:
            engine->removeSoundSource(engine->getSoundSource("tone.fake"));
            break;
        case Farewell::allSources:
            engine->removeAllSoundSources();
            break;
        case Farewell::engine:
            engine->decRef();
            engine = nullptr;
            break;
        }
    }
};

std::string farewellName(const testing::TestParamInfo<Farewell>& info) {
    static const char* const names[] = {"SourceRemovedByName", "SourceRemovedByPointer",
                                        "AllSourcesRemoved", "EngineReleased"};
    return names[static_cast<int>(info.param)];
}

class HeldSoundTest : public FarewellTest {};
// A source the application holds already survived its engine; removal is what differs.
class HeldSourceTest : public FarewellTest {};

} // namespace

TEST_P(HeldSoundTest, ActsAsAStoppedSound) {
    CountedSound* sound = playTracked();
    ASSERT_FALSE(sound->getIsPaused());
    sayFarewell();
    EXPECT_EQ(sound->stops, 1) << "stopped as it left the engine";
    sound->stop();
    sound->setIsPaused(true);
    sound->setIsPaused(false);
    EXPECT_EQ(sound->stops, 1) << "a detached sound calls no hook";
    EXPECT_EQ(sound->pauses, 0);
    EXPECT_EQ(sound->resumes, 1) << "only its start";
    EXPECT_FALSE(sound->getIsPaused());
    EXPECT_TRUE(sound->isFinished());
    EXPECT_EQ(sound->getPlayPosition(), -1);
    EXPECT_EQ(sound->getPlayLength(), 2) << "from the format its source read";
    EXPECT_STREQ(sound->getSoundSourceOf()->getName(), "tone.fake");
    EXPECT_TRUE(sound->decRef()) << "the last reference frees the sound, and its source";
}

TEST_P(HeldSourceTest, NeitherPlaysNorOpensItsDataAnyMoreOnceRemoved) {
    ISoundSource* source = engine->getSoundSource("tone.fake");
    source->incRef();
    engine->setDefault3DSoundMaxDistance(50.0f);
    sayFarewell();
    EXPECT_EQ(source->getPlayLength(), -1) << "its format was never read";
    EXPECT_EQ(source->getDefaultMaxDistance(), 1e9f) << "no engine to ask for its default";
    EXPECT_EQ(api()->play2D(source, false, true, true), nullptr);
    EXPECT_FALSE(engine->isCurrentlyPlaying("tone.fake"));
    EXPECT_EQ(engine->getSoundSourceCount(), 0);
    EXPECT_EQ(provider->opened("tone.fake"), 0);
    EXPECT_TRUE(source->decRef());
}

INSTANTIATE_TEST_SUITE_P(EveryWay, HeldSoundTest,
                         testing::Values(Farewell::sourceByName, Farewell::sourceByPointer,
                                         Farewell::allSources, Farewell::engine),
                         farewellName);
INSTANTIATE_TEST_SUITE_P(EveryRemoval, HeldSourceTest,
                         testing::Values(Farewell::sourceByName, Farewell::sourceByPointer,
                                         Farewell::allSources),
                         farewellName);

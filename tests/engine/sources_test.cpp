// The source registry: ordering, lookups, file and memory sources, default distances, lengths.
#include "EngineFixtures.h"

#include "engine/SampleBuffer.h"
#include "engine/SoundSource.h"

#include <algorithm>
#include <ctime>
#include <gtest/gtest.h>

using namespace dravon_test;

namespace {

std::vector<std::string> registeredNames(ISoundEngine* engine) {
    std::vector<std::string> names;
    for (int i = 0; i < engine->getSoundSourceCount(); ++i)
        names.push_back(engine->getSoundSource(i)->getName());
    return names;
}

} // namespace

TEST_F(EngineTest, LookupByNameRegistersAnUnknownNameWithoutOpeningIt) {
    ISoundSource* source = engine->getSoundSource("nowhere.wav");
    ASSERT_NE(source, nullptr);
    EXPECT_STREQ(source->getName(), "nowhere.wav");
    EXPECT_EQ(source->getStreamMode(), SOURCE_STREAM_AUTO);
    EXPECT_EQ(engine->getSoundSourceCount(), 1);
    EXPECT_EQ(engine->getSoundSource("nowhere.wav"), source) << "found, not registered twice";
    EXPECT_EQ(engine->getSoundSourceCount(), 1);
    EXPECT_EQ(engine->getSoundSource(1), nullptr);
    EXPECT_EQ(engine->getSoundSource(-1), nullptr);
}

TEST_F(EngineTest, RegistryIsOrderedBySignedBytesThenLength) {
    for (const char* name : {"b", "a", "c", "ab", "\xE9t\xE9", "B", "a/b", "a\\b"})
        ASSERT_NE(engine->addSoundSourceFromFile(name, SOURCE_STREAM_AUTO), nullptr) << name;
    EXPECT_EQ(registeredNames(engine),
              (std::vector<std::string>{"\xE9t\xE9", "B", "a", "a/b", "a\\b", "ab", "b", "c"}));
    for (const std::string& name : registeredNames(engine))
        EXPECT_EQ(engine->getSoundSource(name.c_str()), engine->getSoundSource(name.c_str()));
    EXPECT_EQ(engine->getSoundSourceCount(), 8) << "every lookup found its entry";
}

TEST_F(EngineTest, ManySourcesStayOrderedAndFindable) {
    // Enough entries to exercise every branch of the heap sort and the bisection.
    std::vector<std::string> names;
    for (int i = 0; i < 97; ++i)
        names.push_back("s" + std::to_string((i * 37) % 97));
    for (const std::string& name : names)
        engine->addSoundSourceFromFile(name.c_str(), SOURCE_STREAM_AUTO);
    std::vector<std::string> sorted = names;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(registeredNames(engine), sorted);
    for (const std::string& name : names)
        EXPECT_STREQ(engine->getSoundSource(name.c_str())->getName(), name.c_str());
    EXPECT_EQ(engine->getSoundSourceCount(), 97);
}

TEST_F(EngineTest, TenThousandSourcesRegisterInAFractionOfASecond) {
    // Scattered names, so that insertions land all over the registry.
    std::vector<std::string> names;
    for (int i = 0; i < 10000; ++i)
        names.push_back("sounds/step" + std::to_string(i * 7919 % 10000) + ".wav");
    const std::clock_t start = std::clock();
    for (const std::string& name : names)
        ASSERT_NE(engine->addSoundSourceFromFile(name.c_str(), SOURCE_STREAM_AUTO), nullptr);
    for (const std::string& name : names)
        ASSERT_STREQ(engine->getSoundSource(name.c_str())->getName(), name.c_str());
    const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    EXPECT_LT(seconds, 3.0) << "each insertion is a search and one move, not a sort";
    std::sort(names.begin(), names.end());
    EXPECT_EQ(registeredNames(engine), names);
}

TEST_F(EngineTest, AddFailuresLogTheirLineAndLeaveTheRegistryAlone) {
    static const char block[10] = {};
    ISoundSource* file = engine->addSoundSourceFromFile("shot.wav", SOURCE_STREAM_ALWAYS);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->getStreamMode(), SOURCE_STREAM_ALWAYS);
    StdoutCapture out;
    EXPECT_EQ(engine->addSoundSourceFromFile("shot.wav", SOURCE_STREAM_NEVER), nullptr);
    EXPECT_EQ(engine->addSoundSourceFromMemory(block, 10, "shot.wav"), nullptr);
    EXPECT_EQ(engine->addSoundSourceFromMemory(nullptr, 10, "empty"), nullptr);
    EXPECT_EQ(engine->addSoundSourceFromMemory(block, -1, "negative"), nullptr);
    engine->removeSoundSource("unknown");
    EXPECT_EQ(out.takeLines(), (std::vector<std::string>{
                                   "Cannot add sound source, it exists already: shot.wav",
                                   "Cannot add sound source, it exists already: shot.wav",
                                   "Cannot add sound source from empty memory: empty",
                                   "Cannot add sound source from empty memory: negative",
                                   "Cannot find sound source to remove: unknown",
                               }));
    EXPECT_EQ(registeredNames(engine), (std::vector<std::string>{"shot.wav"}));
    EXPECT_EQ(file->getStreamMode(), SOURCE_STREAM_ALWAYS);
}

TEST_F(EngineTest, MemorySourceOfSizeZeroIsAcceptedAndStartsDecodedWhole) {
    static const char block[1] = {};
    ISoundSource* source = engine->addSoundSourceFromMemory(block, 0, "nothing");
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->getStreamMode(), SOURCE_STREAM_NEVER);
    IInputFile* file = source->createInputFile(nullptr);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->getSize(), 0);
    EXPECT_STREQ(file->getFileName(), "nothing");
    file->decRef();
}

TEST_F(EngineTest, MemorySourceReadsTheApplicationsBlockWithoutCopyingIt) {
    Bytes block = fakeStreamFile(1, 10, 8000, ESF_U8, 10);
    ISoundSource* source = engine->addSoundSourceFromMemory(
        block.data(), static_cast<int>(block.size()), "memory.fake");
    block[5] = 3; // a change after registration is seen: the block is not copied
    IInputFile* file = source->createInputFile(engine->getFileManager());
    u8 header[8] = {};
    ASSERT_EQ(file->read(header, 8), 8);
    EXPECT_EQ(header[5], 3);
    file->decRef();
}

TEST_F(EngineTest, RemovalStopsTheSourcesSoundsAndKeepsTheOrder) {
    engine->addSoundSourceFromFile("a", SOURCE_STREAM_AUTO);
    CountedSound* sound = playTracked();
    engine->addSoundSourceFromFile("z", SOURCE_STREAM_AUTO);
    ISoundSource* tone = engine->getSoundSource("tone.fake");
    tone->incRef();
    engine->removeSoundSource("tone.fake");
    EXPECT_EQ(sound->stops, 1);
    EXPECT_FALSE(engine->isCurrentlyPlaying(tone));
    EXPECT_EQ(registeredNames(engine), (std::vector<std::string>{"a", "z"}));
    EXPECT_EQ(engine->getSoundSource("z"), engine->getSoundSource(1));
    EXPECT_EQ(tone->getReferenceCount(), 2) << "the test's and the held sound's";
    engine->removeSoundSource(tone);
    engine->removeSoundSource(static_cast<ISoundSource*>(nullptr));
    EXPECT_EQ(engine->getSoundSourceCount(), 2) << "removing an absent source changes nothing";
    sound->decRef();
    EXPECT_EQ(tone->getReferenceCount(), 1) << "only the test's reference is left";
    tone->decRef();
}

TEST_F(EngineTest, RemoveAllStopsEverythingAndEmptiesTheRegistry) {
    CountedSound* sound = playTracked();
    engine->addSoundSourceFromFile("other", SOURCE_STREAM_AUTO);
    engine->removeAllSoundSources();
    EXPECT_EQ(sound->stops, 1);
    EXPECT_EQ(engine->getSoundSourceCount(), 0);
    ASSERT_NE(engine->addSoundSourceFromFile("b", SOURCE_STREAM_AUTO), nullptr);
    ASSERT_NE(engine->addSoundSourceFromFile("a", SOURCE_STREAM_AUTO), nullptr);
    EXPECT_EQ(registeredNames(engine), (std::vector<std::string>{"a", "b"}));
    sound->decRef();
}

TEST_F(EngineTest, UnsetDistancesFollowTheEngineAndSetOnesAreKeptUnchecked) {
    ISoundSource* source = engine->getSoundSource("d.fake");
    EXPECT_EQ(source->getDefaultMinDistance(), 1.0f);
    EXPECT_EQ(source->getDefaultMaxDistance(), 1e9f);
    engine->setDefault3DSoundMinDistance(4.0f);
    engine->setDefault3DSoundMaxDistance(40.0f);
    EXPECT_EQ(source->getDefaultMinDistance(), 4.0f);
    EXPECT_EQ(source->getDefaultMaxDistance(), 40.0f);
    source->setDefaultMinDistance(0.0f);
    source->setDefaultMaxDistance(-5.0f);
    EXPECT_EQ(source->getDefaultMinDistance(), 4.0f) << "0 counts as not set";
    EXPECT_EQ(source->getDefaultMaxDistance(), 40.0f);
    source->setDefaultMinDistance(2.5f);
    source->setDefaultMaxDistance(0.5f);
    EXPECT_EQ(source->getDefaultMinDistance(), 2.5f);
    EXPECT_EQ(source->getDefaultMaxDistance(), 0.5f) << "no check against the minimum";
    EXPECT_EQ(source->getForcedStreamingThreshold(), 1000000);
}

TEST_F(EngineTest, SoundsGetTheSourcesDistances) {
    ISoundSource* source = engine->getSoundSource("tone.fake");
    source->setDefaultMinDistance(3.0f);
    engine->setDefault3DSoundMaxDistance(30.0f);
    IPlayingSound* sound = api()->play3D(source, Vector3(1, 2, 3), false, true);
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->getMinDistance(), 3.0f);
    EXPECT_EQ(sound->getMaxDistance(), 30.0f);
    EXPECT_EQ(sound->getPosition3D(), Vector3(1, 2, 3));
    sound->decRef();
}

TEST_F(EngineTest, PlayLengthIsMillisecondsTruncated) {
    provider->add("half.fake", fakeStreamFile(1, 22050, 44100, ESF_S16, 22050));
    provider->add("odd.fake", fakeStreamFile(2, 999, 44100, ESF_U8, 999));
    provider->add("endless.fake", fakeStreamFile(2, -1, 44100, ESF_S16, 0));
    provider->add("norate.fake", fakeStreamFile(2, 10, 0, ESF_S16, 10));
    EXPECT_EQ(engine->getSoundSource("half.fake")->getPlayLength(), 500);
    EXPECT_EQ(engine->getSoundSource("odd.fake")->getPlayLength(), 22) << "22.65 ms";
    EXPECT_EQ(engine->getSoundSource("endless.fake")->getPlayLength(), -1);
    EXPECT_EQ(engine->getSoundSource("norate.fake")->getPlayLength(), -1);
    StdoutCapture out;
    EXPECT_EQ(engine->getSoundSource("absent.fake")->getPlayLength(), -1);
    EXPECT_EQ(out.takeLines(),
              (std::vector<std::string>{"Could not open sound file: absent.fake"}));
}

TEST_F(EngineTest, PlayLengthPlaysOnceStoppedAndTheSoundLeavesAtTheNextPass) {
    ISoundSource* source = engine->getSoundSource("tone.fake");
    EXPECT_EQ(source->getPlayLength(), 2);
    ASSERT_EQ(engine->made.size(), 1u);
    EXPECT_EQ(engine->made[0]->stops, 1);
    EXPECT_EQ(engine->made[0]->resumes, 0) << "played paused";
    EXPECT_TRUE(engine->isCurrentlyPlaying(source));
    engine->update();
    EXPECT_FALSE(engine->isCurrentlyPlaying(source));
    EXPECT_EQ(source->getPlayLength(), 2);
    EXPECT_EQ(engine->made.size(), 1u) << "a known format plays nothing";
    EXPECT_EQ(provider->opened("tone.fake"), 1);
}

TEST_F(EngineTest, ForgottenSamplesAreDecodedAgain) {
    SoundSource* source = static_cast<SoundSource*>(engine->getSoundSource("tone.fake"));
    source->getPlayLength();
    ASSERT_NE(source->getSampleBuffer(), nullptr);
    source->forgetSampleData();
    EXPECT_EQ(source->getSampleBuffer(), nullptr);
    source->forgetSampleData();
    IPlayingSound* sound = api()->play2D(source, false, true);
    EXPECT_EQ(provider->opened("tone.fake"), 2);
    EXPECT_NE(source->getSampleBuffer(), nullptr);
    sound->decRef();
}

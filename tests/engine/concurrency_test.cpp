// Eight application threads use one engine at once, while another thread runs update passes
// that mix every sound: plays in 2D and 3D by name and by source, pauses, stops, releases,
// sources added and removed by name and from memory, loaders registered. The run must end
// without a race report, a deadlock or a leak, and with the sources it should have.
#include "EngineFixtures.h"

#include "drivers/mixer/MixingEngine.h"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <thread>

using namespace dravon_test;

namespace {

const int threadCount = 8;
// Bounded in time rather than in work, so that sanitizer builds take no longer.
const auto runTime = std::chrono::milliseconds(2500);
const char* const sharedNames[] = {"shared-0.wav", "shared-1.wav", "shared-2.wav", "shared-3.wav"};
const char* const contestedNames[] = {"contested-0.wav", "contested-1.wav", "contested-2.wav"};

//! A mixing engine without a device: each update pass mixes one buffer of every sound.
class DevicelessMixingEngine : public MixingEngine {
public:
    DevicelessMixingEngine() : MixingEngine(createFileManager(), 0) { getFileManager()->decRef(); }
    u32 getMixingRate() override { return 44100; }
    void updateDriver() override {
        MutexGuard guard(getMutex());
        updateSounds();
        mixFrames(output_, 256);
    }

private:
    s16 output_[2 * 256];
};

//! A loader that recognises nothing; registering it changes the list the others are asked from.
class RefusingLoader : public IAudioStreamLoader {
public:
    bool isALoadableFileExtension(const char*) override { return false; }
    IAudioStream* createAudioStream(IInputFile*) override { return nullptr; }
};

//! What one application thread does, at random, until the time is up. Its private sources
//! are its own to remove, so it may keep pointers to them; it holds a reference all the same.
class Worker {
public:
    Worker(ISoundEngine* engine, int index, const Bytes& wav)
        : engine_(engine), index_(index), wav_(wav), random_(static_cast<unsigned>(index)) {}

    void run(std::chrono::steady_clock::time_point end) {
        while (std::chrono::steady_clock::now() < end)
            step();
        while (!held_.empty())
            releaseHeld(0);
        for (int slot = 0; slot < 3; ++slot)
            removePrivate(slot);
        EXPECT_NE(addPrivateSource("kept"), nullptr);
    }

private:
    unsigned pick(std::size_t count) { return random_() % static_cast<unsigned>(count); }
    bool coin() { return pick(2) == 0; }
    const char* shared() { return sharedNames[pick(4)]; }
    const char* contested() { return contestedNames[pick(3)]; }

    void step() {
        switch (pick(9)) {
        case 0:
            keep(engine_->play2D(shared(), coin(), coin(), true));
            break;
        case 1:
            keep(engine_->play3D(contested(), Vector3(1, 0, 2), coin(), coin(), true,
                                 coin() ? SOURCE_STREAM_ALWAYS : SOURCE_STREAM_AUTO));
            break;
        case 2:
            keep(engine_->play3D(engine_->getSoundSource(shared()), Vector3(), coin(), coin(),
                                 true));
            break;
        case 3:
            if (ISoundSource* source = own_[pick(3)])
                keep(engine_->play2D(source, coin(), coin(), true));
            break;
        case 4:
            steerHeld();
            break;
        case 5:
            if (coin())
                addPrivate(pick(3));
            else
                removePrivate(pick(3));
            break;
        case 6:
            if (coin())
                engine_->addSoundSourceFromFile(contested(), SOURCE_STREAM_NEVER);
            else
                engine_->removeSoundSource(contested());
            break;
        case 7: {
            ISoundSource* source = engine_->getSoundSource(shared());
            if (coin())
                source->forgetSampleData();
            source->setDefaultMinDistance(2.0f);
            source->getPlayLength();
            break;
        }
        case 8:
            steerEngine();
            break;
        }
    }

    void keep(IPlayingSound* sound) {
        if (!sound)
            return;
        if (held_.size() == 6)
            releaseHeld(0);
        held_.push_back(sound);
    }
    void releaseHeld(std::size_t at) {
        held_[at]->decRef();
        held_.erase(held_.begin() + static_cast<long>(at));
    }
    // The sounds held may have lost their source or ended meanwhile.
    void steerHeld() {
        if (held_.empty())
            return;
        std::size_t at = pick(held_.size());
        IPlayingSound* sound = held_[at];
        switch (pick(4)) {
        case 0:
            sound->setIsPaused(coin());
            break;
        case 1:
            sound->stop();
            break;
        case 2:
            releaseHeld(at);
            break;
        default:
            sound->setVolume(0.5f);
            sound->getPlayPosition();
            sound->getPlayLength();
            EXPECT_NE(sound->getSoundSourceOf()->getName(), nullptr);
        }
    }
    void steerEngine() {
        engine_->setListenerPosition(Vector3(0, 0, static_cast<float>(pick(5))), Vector3(0, 0, 1));
        engine_->setSoundVolume(coin() ? 1.0f : 0.8f);
        engine_->isCurrentlyPlaying(shared());
        engine_->getSoundSourceCount();
        if (pick(8) == 0)
            engine_->setAllSoundsPaused(false);
        if (index_ == 0 && loadersAdded_ < 16 && pick(20) == 0) {
            RefusingLoader* loader = new RefusingLoader();
            engine_->registerAudioStreamLoader(loader);
            loader->decRef();
            ++loadersAdded_;
        }
    }

    ISoundSource* addPrivateSource(const std::string& suffix) {
        std::string name = "t" + std::to_string(index_) + "-" + suffix;
        return engine_->addSoundSourceFromMemory(wav_.data(), static_cast<int>(wav_.size()),
                                                 name.c_str());
    }
    void addPrivate(int slot) {
        if (own_[slot])
            return;
        own_[slot] = addPrivateSource(std::to_string(slot));
        ASSERT_NE(own_[slot], nullptr);
        own_[slot]->incRef();
    }
    void removePrivate(int slot) {
        if (!own_[slot])
            return;
        if (coin())
            engine_->removeSoundSource(own_[slot]);
        else
            engine_->removeSoundSource(own_[slot]->getName());
        own_[slot]->decRef();
        own_[slot] = nullptr;
    }

    ISoundEngine* engine_;
    const int index_;
    const Bytes& wav_;
    std::mt19937 random_;
    std::vector<IPlayingSound*> held_;
    ISoundSource* own_[3] = {};
    int loadersAdded_ = 0;
};

std::vector<std::string> registeredNames(ISoundEngine* engine) {
    std::vector<std::string> names;
    for (int i = 0; i < engine->getSoundSourceCount(); ++i)
        names.push_back(engine->getSoundSource(i)->getName());
    return names;
}

} // namespace

TEST(EngineUnderManyThreads, EveryOperationAtOnceEndsCleanWithTheExpectedSources) {
    StdoutCapture quiet;
    DevicelessMixingEngine* engine = new DevicelessMixingEngine();
    const Bytes wav = makeWav16(2, 22050, patternSamples(2 * 3000));
    MemoryProvider* provider = new MemoryProvider();
    for (const char* name : sharedNames)
        provider->add(name, wav);
    for (const char* name : contestedNames)
        provider->add(name, wav);
    engine->addFileProvider(provider);
    engine->addSoundSourceFromFile(sharedNames[0], SOURCE_STREAM_ALWAYS);
    engine->addSoundSourceFromFile(sharedNames[1], SOURCE_STREAM_NEVER);

    std::atomic<bool> running{true};
    std::thread passes([&] {
        while (running)
            engine->update();
    });
    const auto end = std::chrono::steady_clock::now() + runTime;
    std::vector<std::thread> threads;
    for (int i = 0; i < threadCount; ++i)
        threads.emplace_back([&, i] { Worker(engine, i, wav).run(end); });
    for (std::thread& thread : threads)
        thread.join();
    running = false;
    passes.join();

    std::set<std::string> expected(std::begin(sharedNames), std::end(sharedNames));
    for (int i = 0; i < threadCount; ++i)
        expected.insert("t" + std::to_string(i) + "-kept");
    std::vector<std::string> names = registeredNames(engine);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    std::set<std::string> found(names.begin(), names.end());
    EXPECT_EQ(found.size(), names.size()) << "no name twice";
    for (const char* name : contestedNames)
        found.erase(name);
    EXPECT_EQ(found, expected);
    for (const char* name : contestedNames)
        engine->removeSoundSource(name);
    EXPECT_EQ(engine->getSoundSourceCount(), static_cast<int>(expected.size()));
    engine->decRef();
    provider->decRef();
}

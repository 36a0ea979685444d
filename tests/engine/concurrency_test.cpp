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

//! What one application thread does, at random, until the time is up.
class Worker {
public:
    Worker(ISoundEngine* engine, int index, const Bytes& wav)
        : engine_(engine), index_(index), wav_(wav), random_(static_cast<unsigned>(index)) {}

    void run(std::chrono::steady_clock::time_point end) {
        while (std::chrono::steady_clock::now() < end)
            step(pick(14));
        finish();
    }

private:
    int pick(int count) { return static_cast<int>(random_() % static_cast<unsigned>(count)); }
    bool coin() { return pick(2) == 0; }
    const char* sharedName() { return sharedNames[pick(4)]; }
    const char* contestedName() { return contestedNames[pick(3)]; }
    std::string privateName(int slot) {
        return "t" + std::to_string(index_) + "-" + std::to_string(slot);
    }

    void keep(IPlayingSound* sound) {
        if (!sound)
            return;
        if (held_.size() >= 6)
            release(0);
        held_.push_back(sound);
    }
    void release(std::size_t at) {
        held_[at]->decRef();
        held_.erase(held_.begin() + static_cast<long>(at));
    }
    IPlayingSound* anyHeld() { return held_.empty() ? nullptr : held_[pick(held_.size())]; }

    void step(int action) {
        switch (action) {
        case 0:
            keep(engine_->play2D(sharedName(), coin(), coin(), true));
            break;
        case 1:
            keep(engine_->play3D(contestedName(), Vector3(1, 0, 2), coin(), coin(), true,
                                 coin() ? SOURCE_STREAM_ALWAYS : SOURCE_STREAM_AUTO));
            break;
        case 2:
            keep(engine_->play3D(engine_->getSoundSource(sharedName()), Vector3(-1, 0, 1), coin(),
                                 coin(), true));
            break;
        case 3:
            playPrivate();
            break;
        case 4:
            if (IPlayingSound* sound = anyHeld())
                sound->setIsPaused(coin());
            break;
        case 5:
            if (IPlayingSound* sound = anyHeld())
                sound->stop();
            break;
        case 6:
            if (!held_.empty())
                release(pick(held_.size()));
            break;
        case 7:
            if (IPlayingSound* sound = anyHeld()) {
                sound->getPlayPosition();
                sound->getPlayLength();
                sound->isFinished();
                sound->setVolume(0.5f);
                sound->setPosition3D(Vector3(0, 0, 3));
                EXPECT_NE(sound->getSoundSourceOf()->getName(), nullptr);
            }
            break;
        case 8:
            addPrivate(pick(3));
            break;
        case 9:
            removePrivate(pick(3));
            break;
        case 10:
            if (coin())
                engine_->addSoundSourceFromFile(contestedName(), SOURCE_STREAM_NEVER);
            else
                engine_->removeSoundSource(contestedName());
            break;
        case 11: {
            ISoundSource* shared = engine_->getSoundSource(sharedName());
            if (coin())
                shared->forgetSampleData();
            shared->setDefaultMinDistance(2.0f);
            shared->getPlayLength();
            shared->getStreamMode();
            break;
        }
        case 12:
            engine_->setListenerPosition(Vector3(0, 0, static_cast<float>(pick(5))),
                                         Vector3(0, 0, 1));
            engine_->setSoundVolume(coin() ? 1.0f : 0.8f);
            engine_->isCurrentlyPlaying(sharedName());
            engine_->getSoundSourceCount();
            if (pick(8) == 0)
                engine_->setAllSoundsPaused(false);
            break;
        case 13:
            if (index_ == 0 && loadersAdded_ < 16 && pick(50) == 0) {
                RefusingLoader* loader = new RefusingLoader();
                engine_->registerAudioStreamLoader(loader);
                loader->decRef();
                ++loadersAdded_;
            }
            break;
        }
    }

    // Private sources are this thread's own, so it may keep pointers to them; it holds a
    // reference all the same while it plays one.
    void addPrivate(int slot) {
        if (own_[slot])
            return;
        std::string name = privateName(slot);
        ISoundSource* source = engine_->addSoundSourceFromMemory(
            wav_.data(), static_cast<int>(wav_.size()), name.c_str());
        ASSERT_NE(source, nullptr) << name;
        source->incRef();
        own_[slot] = source;
    }
    void removePrivate(int slot) {
        if (!own_[slot])
            return;
        if (coin())
            engine_->removeSoundSource(own_[slot]);
        else
            engine_->removeSoundSource(privateName(slot).c_str());
        own_[slot]->decRef();
        own_[slot] = nullptr;
    }
    void playPrivate() {
        ISoundSource* source = own_[pick(3)];
        if (source)
            keep(engine_->play2D(source, coin(), coin(), true));
    }

    void finish() {
        while (!held_.empty())
            release(held_.size() - 1);
        for (int slot = 0; slot < 3; ++slot)
            removePrivate(slot);
        std::string kept = "t" + std::to_string(index_) + "-kept";
        EXPECT_NE(engine_->addSoundSourceFromMemory(wav_.data(), static_cast<int>(wav_.size()),
                                                    kept.c_str()),
                  nullptr);
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

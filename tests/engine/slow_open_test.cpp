// Plays open and decode their data without the engine's lock: a slow open holds up neither the
// update pass nor the other engine operations, and two plays of one source still decode it once.
#include "EngineFixtures.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <future>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>

using namespace dravon_test;

namespace {

const auto patience = std::chrono::seconds(5);

//! Serves "slow.fake", whose opening waits until the test lets it through.
class GatedProvider : public IFileProvider {
public:
    IInputFile* openFile(const char* fileName) override {
        if (std::string(fileName) != "slow.fake")
            return nullptr;
        std::unique_lock<std::mutex> lock(mutex_);
        ++waiting_;
        changed_.notify_all();
        changed_.wait(lock, [this] { return open_; });
        ++opened_;
        return createMemoryInputFile(content_.data(), static_cast<s32>(content_.size()), fileName,
                                     false);
    }
    //! True once a play waits inside the opening.
    bool awaitOpening() {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, patience, [this] { return waiting_ > 0; });
    }
    void letThrough() {
        std::lock_guard<std::mutex> lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }
    int opened() {
        std::lock_guard<std::mutex> lock(mutex_);
        return opened_;
    }

private:
    Bytes content_ = fakeStreamFile(2, 100, 44100, ESF_S16, 100);
    std::mutex mutex_;
    std::condition_variable changed_;
    int waiting_ = 0;
    int opened_ = 0;
    bool open_ = false;
};

class SlowOpenTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        gate = new GatedProvider();
        engine->addFileProvider(gate);
    }
    void TearDown() override {
        gate->letThrough();
        gate->decRef();
        EngineTest::TearDown();
    }

    //! Runs `operation` on a thread of its own; true when it returns while a play is still
    //! inside its opening. The gate opens either way before this returns.
    template <typename Operation> bool finishesDuringTheOpening(Operation operation) {
        std::future<void> done = std::async(std::launch::async, operation);
        bool finished = done.wait_for(patience) == std::future_status::ready;
        gate->letThrough();
        done.wait();
        return finished;
    }

    GatedProvider* gate = nullptr;
};

} // namespace

TEST_F(SlowOpenTest, UpdatePassesAndOtherPlaysGoOnWhileAFileOpens) {
    CountedSound* playing = playTracked();
    IPlayingSound* first = nullptr;
    IPlayingSound* second = nullptr;
    std::thread opener([&] { first = api()->play2D("slow.fake", false, false, true); });
    ASSERT_TRUE(gate->awaitOpening());
    // This one waits for the first to decode, and then plays from its samples.
    std::thread follower([&] { second = api()->play2D("slow.fake", false, false, true); });
    EXPECT_TRUE(finishesDuringTheOpening([&] {
        engine->update();
        playing->stop();
        api()->play2D("tone.fake");
    }));
    opener.join();
    follower.join();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(gate->opened(), 1) << "two plays of a source decoded whole open it once";
    EXPECT_TRUE(engine->isCurrentlyPlaying("slow.fake"));
    first->decRef();
    second->decRef();
    playing->decRef();
}

TEST_F(SlowOpenTest, ASourceRemovedWhileItsSoundIsMadeTakesTheSoundAlong) {
    ISoundSource* source = engine->getSoundSource("slow.fake");
    // A thread playing a source that another may remove holds a reference to it.
    source->incRef();
    IPlayingSound* sound = nullptr;
    std::thread player([&] { sound = api()->play2D(source, false, false, true); });
    ASSERT_TRUE(gate->awaitOpening());
    // The removal waits for the opening to end (the data may be the application's memory,
    // freed once the removal returns); the engine goes on meanwhile.
    std::atomic<bool> removed{false};
    std::thread remover([&] {
        engine->removeSoundSource(source);
        removed = true;
    });
    EXPECT_TRUE(finishesDuringTheOpening([&] {
        while (engine->getSoundSourceCount() != 0)
            std::this_thread::yield();
        engine->update();
        EXPECT_FALSE(engine->isCurrentlyPlaying(source));
        EXPECT_FALSE(removed);
    }));
    remover.join();
    player.join();
    EXPECT_EQ(sound, nullptr);
    EXPECT_FALSE(engine->isCurrentlyPlaying(source));
    EXPECT_EQ(engine->made.size(), 1u) << "made, then stopped and released";
    EXPECT_TRUE(source->decRef());
}

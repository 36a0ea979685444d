// How long a play operation keeps the engine's lock while it opens a long tracker module. The
// module (a MOD of 25 patterns at speed 6, about 3 minutes) is built here and streamed, so every
// play opens it anew, and opening a module runs through the whole song to learn its length.
// A watcher thread takes and releases the engine's lock in a loop, as an update pass does, and
// records its longest wait: that bounds how long any play held the lock.
//
// Counters: longest_lock_wait_ms (the watcher's longest wait over the whole run),
// module_seconds (the length the stream reports). The time per iteration is one play.
#include "drivers/mixer/MixingEngine.h"
#include "io/IFileManager.h"
#include "platform/system/Logger.h"

#include <algorithm>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

using namespace nox::audio;

namespace {

typedef std::vector<std::uint8_t> Bytes;

class BenchMixingEngine : public MixingEngine {
public:
    BenchMixingEngine() : MixingEngine(createFileManager(), 0) { getFileManager()->decRef(); }
    u32 getMixingRate() override { return 44100; }
};

void putBigEndian16(Bytes& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

void putText(Bytes& out, const char* text, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i)
        out.push_back(i < std::strlen(text) ? static_cast<std::uint8_t>(text[i]) : 0);
}

// A 4-channel "M.K." module of `patterns` patterns played in order at the default speed 6 and
// tempo 125 (7.68 s a pattern). Channel 0 strikes a looped square wave every 16 rows, at a
// pitch that changes from pattern to pattern.
Bytes makeLongMod(int patterns) {
    const unsigned sampleWords = 32;
    Bytes out;
    putText(out, "dravon long", 20);
    putText(out, "square", 22);
    putBigEndian16(out, sampleWords);
    out.push_back(0);  // finetune
    out.push_back(64); // volume
    putBigEndian16(out, 0);
    putBigEndian16(out, sampleWords); // loops over the whole sample
    for (int sample = 1; sample < 31; ++sample) {
        out.insert(out.end(), 28, 0);
        putBigEndian16(out, 1);
    }
    out.push_back(static_cast<std::uint8_t>(patterns));
    out.push_back(127);
    for (int order = 0; order < 128; ++order)
        out.push_back(static_cast<std::uint8_t>(order < patterns ? order : 0));
    putText(out, "M.K.", 4);
    for (int pattern = 0; pattern < patterns; ++pattern)
        for (int row = 0; row < 64; ++row)
            for (int channel = 0; channel < 4; ++channel) {
                bool strike = channel == 0 && row % 16 == 0;
                unsigned period = strike ? 428 - 4 * static_cast<unsigned>(pattern) : 0;
                out.push_back(static_cast<std::uint8_t>(period >> 8)); // sample 1: high nibble 0
                out.push_back(static_cast<std::uint8_t>(period));
                out.push_back(strike ? 0x10 : 0); // sample 1, no effect
                out.push_back(0);
            }
    for (unsigned i = 0; i < sampleWords * 2; ++i)
        out.push_back(i < sampleWords ? 0x40 : 0xc0);
    return out;
}

//! Takes and releases `lock` until told to stop, keeping its longest wait.
class LockWatcher {
public:
    explicit LockWatcher(Mutex* lock) : lock_(lock), thread_([this] { watch(); }) {}
    ~LockWatcher() {
        watching_ = false;
        thread_.join();
    }
    double longestWaitMs() const { return longestNs_ / 1e6; }

private:
    void watch() {
        while (watching_) {
            auto start = std::chrono::steady_clock::now();
            lock_->lock();
            auto waited = std::chrono::steady_clock::now() - start;
            lock_->unlock();
            long long ns = std::chrono::duration_cast<std::chrono::nanoseconds>(waited).count();
            longestNs_ = std::max(longestNs_.load(), ns);
            std::this_thread::yield();
        }
    }

    Mutex* lock_;
    std::atomic<bool> watching_{true};
    std::atomic<long long> longestNs_{0};
    std::thread thread_;
};

void playLongModule(benchmark::State& state) {
    ILogger* logger = acquireProcessLogger();
    logger->setLogLevel(LOG_LEVEL_ERROR);
    BenchMixingEngine* engine = new BenchMixingEngine();
    const Bytes module = makeLongMod(25);
    ISoundSource* source = engine->addSoundSourceFromMemory(
        module.data(), static_cast<int>(module.size()), "long.mod");
    state.counters["module_seconds"] = source->getPlayLength() / 1000.0;
    double longestWaitMs = 0;
    {
        LockWatcher watcher(engine->getMutex());
        for (auto _ : state) {
            IPlayingSound* sound = engine->play2D(source, false, false, true);
            if (!sound) {
                state.SkipWithError("the module did not play");
                break;
            }
            sound->stop();
            sound->decRef();
            engine->update();
        }
        longestWaitMs = watcher.longestWaitMs();
    }
    state.counters["longest_lock_wait_ms"] = longestWaitMs;
    engine->decRef();
    logger->setLogLevel(LOG_LEVEL_INFO);
    releaseProcessLogger(logger);
}

} // namespace

BENCHMARK(playLongModule)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();

BENCHMARK_MAIN();

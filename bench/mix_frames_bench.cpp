// How fast MixingEngine::mixFrames mixes looped voices: the direct path (44100 Hz stereo
// 16-bit sources) and the resampling path (22050 Hz mono). Each iteration mixes one wave-out
// buffer of 256 frames under the engine's lock, as an update pass does.
//
// Counters: frames_per_second (output frames mixed per second of CPU time) and
// voices_at_real_time (how many such voices one core could mix while keeping up with 44100 Hz;
// Google Benchmark prints it with the "/s" of every rate counter, but it is a number of voices).
#include "drivers/mixer/MixingEngine.h"
#include "engine/SampleBuffer.h"
#include "io/IFileManager.h"
#include "platform/system/Mutex.h"

#include <benchmark/benchmark.h>
#include <vector>

using namespace nox::audio;

namespace {

const s32 framesPerCall = 256;
const u32 mixingRate = 44100;

class BenchMixingEngine : public MixingEngine {
public:
    BenchMixingEngine() : MixingEngine(createFileManager(), 0) { getFileManager()->decRef(); }
    u32 getMixingRate() override { return mixingRate; }

    //! Starts a looped voice over `samples` (decoded whole, as short game sounds are) with
    //! the gain `volume` (1: copied through unscaled) and a slight pan when it is scaled.
    void addVoice(SampleBuffer* samples, float volume) {
        IPlayingSound* sound = createSoundFromSamples(samples, nullptr, true, false, 1.0f, 1e9f);
        getPlayingSounds().push_back(static_cast<PlayingSound*>(sound));
        sound->setIsPaused(false);
        sound->setEffectiveVolume(volume);
        sound->setEffectivePan(volume == 1.0f ? 0.0f : 0.02f);
    }
};

// One second of a sound whose samples vary, so that nothing is constant-folded.
SampleBuffer* makeSamples(s32 channels, s32 rate, s32 seed) {
    AudioStreamFormat format;
    format.channelCount = channels;
    format.sampleRate = rate;
    format.sampleFormat = ESF_S16;
    format.frameCount = rate;
    std::vector<s16> samples(static_cast<size_t>(channels) * rate);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<s16>((i * 7919 + seed * 131) % 20000 - 10000);
    return new SampleBuffer(format, samples.data());
}

// How the voices get their sound.
enum Sharing {
    // Every voice reads sound of its own, as in a game: one cache-cold stream per voice.
    ownSound,
    // All voices read one block, which stays in the cache: the mixing work alone.
    oneSharedSound
};

void mixVoices(benchmark::State& state, s32 channels, s32 rate, float volume, Sharing sharing) {
    const s32 voices = static_cast<s32>(state.range(0));
    BenchMixingEngine* engine = new BenchMixingEngine();
    SampleBuffer* shared = makeSamples(channels, rate, 0);
    for (s32 i = 0; i < voices; ++i) {
        SampleBuffer* samples = sharing == ownSound ? makeSamples(channels, rate, i) : shared;
        engine->addVoice(samples, volume);
        if (samples != shared)
            samples->decRef(); // the voice's stream holds it
    }
    shared->decRef();
    std::vector<s16> output(2 * framesPerCall);
    for (auto _ : state) {
        MutexGuard guard(engine->getMutex());
        engine->mixFrames(output.data(), framesPerCall);
        benchmark::DoNotOptimize(output.data());
        benchmark::ClobberMemory();
    }
    const double frames = static_cast<double>(state.iterations()) * framesPerCall;
    state.counters["frames_per_second"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
    state.counters["voices_at_real_time"] =
        benchmark::Counter(frames * voices / mixingRate, benchmark::Counter::kIsRate);
    engine->decRef();
}

void directStereo44100(benchmark::State& state) {
    mixVoices(state, 2, 44100, 1.0f, ownSound);
}

void directStereo44100SharedSound(benchmark::State& state) {
    mixVoices(state, 2, 44100, 1.0f, oneSharedSound);
}

// Every voice at a volume and pan of its own, as 3D sounds are: each chunk is scaled.
void directStereo44100Scaled(benchmark::State& state) {
    mixVoices(state, 2, 44100, 0.7f, ownSound);
}

void resampledMono22050(benchmark::State& state) {
    mixVoices(state, 1, 22050, 1.0f, ownSound);
}

} // namespace

BENCHMARK(directStereo44100)->Arg(1)->Arg(16)->Arg(64)->Arg(256);
BENCHMARK(directStereo44100SharedSound)->Arg(1)->Arg(16)->Arg(64)->Arg(256);
BENCHMARK(directStereo44100Scaled)->Arg(1)->Arg(16)->Arg(64)->Arg(256);
BENCHMARK(resampledMono22050)->Arg(1)->Arg(16)->Arg(64)->Arg(256);

BENCHMARK_MAIN();

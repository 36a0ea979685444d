// How long registering and finding sound sources takes: 100,000 distinct names registered with
// addSoundSourceFromFile in a fresh engine (in name order, and scattered so that insertions land
// all over the registry), and every one of them then found by name. Times are CPU time.
#include "drivers/null/NullSoundEngine.h"
#include "io/IFileManager.h"
#include "platform/system/Logger.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>
#include <vector>

using namespace nox::audio;

namespace {

const int sourceCount = 100000;

// Names a game might use; `scattered` visits them in an order unrelated to the name order.
std::vector<std::string> sourceNames(bool scattered) {
    std::vector<std::string> names;
    char name[64];
    for (int i = 0; i < sourceCount; ++i) {
        int number =
            scattered ? static_cast<int>(static_cast<long long>(i) * 7919 % sourceCount) : i;
        std::snprintf(name, sizeof name, "sounds/level/footstep_%06d.wav", number);
        names.push_back(name);
    }
    return names;
}

ISoundEngine* makeEngine() {
    IFileManager* files = createFileManager();
    ISoundEngine* engine = new NullSoundEngine(files, 0);
    files->decRef();
    return engine;
}

void registerSources(benchmark::State& state, bool scattered) {
    // Quiet: the engines' banners would run through the table.
    ILogger* logger = acquireProcessLogger();
    logger->setLogLevel(LOG_LEVEL_ERROR);
    const std::vector<std::string> names = sourceNames(scattered);
    for (auto _ : state) {
        state.PauseTiming();
        ISoundEngine* engine = makeEngine();
        state.ResumeTiming();
        for (const std::string& name : names)
            engine->addSoundSourceFromFile(name.c_str());
        state.PauseTiming();
        engine->decRef();
        state.ResumeTiming();
    }
    state.counters["sources"] = sourceCount;
    logger->setLogLevel(LOG_LEVEL_INFO);
    releaseProcessLogger(logger);
}

void findSources(benchmark::State& state) {
    ILogger* logger = acquireProcessLogger();
    logger->setLogLevel(LOG_LEVEL_ERROR);
    const std::vector<std::string> names = sourceNames(true);
    ISoundEngine* engine = makeEngine();
    for (const std::string& name : names)
        engine->addSoundSourceFromFile(name.c_str());
    for (auto _ : state)
        for (const std::string& name : names)
            benchmark::DoNotOptimize(engine->getSoundSource(name.c_str()));
    state.counters["sources"] = sourceCount;
    engine->decRef();
    logger->setLogLevel(LOG_LEVEL_INFO);
    releaseProcessLogger(logger);
}

} // namespace

BENCHMARK_CAPTURE(registerSources, inNameOrder, false)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(registerSources, scattered, true)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();
BENCHMARK(findSources)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

BENCHMARK_MAIN();

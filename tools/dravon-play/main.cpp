// dravon-play: plays sound files through a Dravon engine and reports what it does.
#include "PlayOptions.h"

#include "dravon/dravon.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <thread>

using namespace nox::audio;

namespace {

std::atomic<bool> interrupted{false};

void onInterrupt(int) {
    interrupted = true;
}

void describeSource(ISoundSource* source, const AudioStreamFormat& format) {
    int length = source->getPlayLength();
    std::printf("%s: %d channel(s), %d Hz, %d-bit; length %d ms; %s\n", source->getName(),
                format.channelCount, format.sampleRate, format.getBytesPerSample() * 8, length,
                source->getStreamMode() == SOURCE_STREAM_ALWAYS ? "streamed while playing"
                                                                : "decoded whole");
}

// Where the sound goes when the default output cannot be opened.
const char fallbackCapture[] = "dravon-play.wav";
// Longer than the driver's queue (the ring and the device's own buffer), so that the end of the
// last sound is heard (or recorded) before the engine is released.
const int drainMilliseconds = 400;

void showProgress(IPlayingSound* sound, bool looped) {
    while (!sound->isFinished() && !interrupted) {
        std::printf("\r  position %6d / %d ms%s", sound->getPlayPosition(), sound->getPlayLength(),
                    looped ? " (looped: Ctrl+C stops)" : "");
        std::fflush(stdout);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    std::printf("\n");
}

IPlayingSound* startSound(ISoundEngine* engine, ISoundSource* source, const PlayOptions& options) {
    // Started paused, so that the first frames already have the volume and pan asked for.
    IPlayingSound* sound = options.is3D
                               ? engine->play3D(source, options.position, options.loop, true, true)
                               : engine->play2D(source, options.loop, true, true);
    if (!sound)
        return nullptr;
    sound->setVolume(options.volume);
    if (!options.is3D)
        sound->setPan(options.pan);
    sound->setIsPaused(false);
    return sound;
}

// Plays one file; false when it cannot be played.
bool playFile(ISoundEngine* engine, const PlayOptions& options, const std::string& file) {
    ISoundSource* source = engine->getSoundSource(file.c_str());
    AudioStreamFormat format;
    // The length opens the data, so the format is known afterwards.
    if (!source || source->getPlayLength() < 0 || !getDravonSoundSourceFormat(source, &format)) {
        std::printf("%s: cannot be played\n", file.c_str());
        return false;
    }
    describeSource(source, format);
    IPlayingSound* sound = startSound(engine, source, options);
    if (!sound) {
        std::printf("  (no sound made: the null driver plays nothing and has no play position)\n");
        return true;
    }
    showProgress(sound, options.loop);
    sound->stop();
    sound->decRef();
    return true;
}

int listOutputs() {
    IOutputDeviceList* list = createDravonOutputDeviceList();
    int count = list ? list->getDeviceCount() : 0;
    if (count == 0)
        std::printf("No sound output found; wav:PATH records to a file.\n");
    for (int i = 0; i < count; ++i)
        std::printf("%s\n    %s\n", list->getDeviceName(i), list->getDeviceDescription(i));
    if (list)
        list->decRef();
    return 0;
}

// The engine on the output asked for; without one, on the default output or, when the system
// has no usable sound device, recording into a file in the working directory.
ISoundEngine* createEngine(const PlayOptions& options) {
    const int engineOptions = ENGINE_OPT_MULTITHREADED | ENGINE_OPT_LOAD_PLUGINS;
    const E_SOUND_OUTPUT_DRIVER driver = static_cast<E_SOUND_OUTPUT_DRIVER>(options.driver);
    ISoundEngine* engine =
        createDravonDeviceOnOutput(driver, engineOptions, options.output.c_str());
    const bool usesWinMM =
        options.driver == OUTPUT_DRIVER_AUTO_DETECT || options.driver == OUTPUT_DRIVER_WINMM;
    if (engine || !options.output.empty() || !usesWinMM)
        return engine;
    std::string capture = std::string("wav:") + fallbackCapture;
    engine = createDravonDeviceOnOutput(driver, engineOptions, capture.c_str());
    if (engine)
        std::printf("No sound device could be opened: recording to %s instead\n",
                    std::filesystem::absolute(fallbackCapture).string().c_str());
    return engine;
}

} // namespace

int main(int argc, char** argv) {
    PlayOptions options;
    std::string error;
    if (!parsePlayOptions(argc, argv, options, error)) {
        if (!error.empty())
            std::fprintf(stderr, "dravon-play: %s\n", error.c_str());
        std::fputs(playUsage(), error.empty() ? stdout : stderr);
        return error.empty() ? 0 : 2;
    }
    if (options.listOutputs)
        return listOutputs();
    std::signal(SIGINT, onInterrupt);
    ISoundEngine* engine = createEngine(options);
    if (!engine) {
        std::fprintf(stderr, "dravon-play: no sound engine could be created on driver %d\n",
                     options.driver);
        return 1;
    }
    engine->setListenerPosition(Vector3(0, 0, 0), Vector3(0, 0, 1), Vector3(0, 0, 0),
                                Vector3(0, 1, 0));
    for (const std::string& archive : options.archives) {
        if (!addDravonZipArchive(engine, archive.c_str(), true, true)) {
            std::fprintf(stderr, "dravon-play: the archive %s does not open\n", archive.c_str());
            engine->decRef();
            return 1;
        }
    }
    bool allPlayed = true;
    for (const std::string& file : options.files) {
        if (interrupted)
            break;
        allPlayed = playFile(engine, options, file) && allPlayed;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(drainMilliseconds));
    engine->decRef();
    return allPlayed ? 0 : 1;
}

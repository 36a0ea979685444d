// dravon-play: plays sound files through a Dravon engine and reports what it does.
#include "PlayOptions.h"

#include "dravon/dravon.h"
#include "engine/FileSoundSource.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

using namespace nox::audio;

namespace {

std::atomic<bool> interrupted{false};

void onInterrupt(int) {
    interrupted = true;
}

void describeSource(ISoundSource* source) {
    int length = source->getPlayLength();
    const AudioStreamFormat& format = static_cast<FileSoundSource*>(source)->getFormat();
    std::printf("%s: %d channel(s), %d Hz, %d-bit; length %d ms; %s\n", source->getName(),
                format.channelCount, format.sampleRate, format.getBytesPerSample() * 8, length,
                source->getStreamMode() == SOURCE_STREAM_ALWAYS ? "streamed while playing"
                                                                : "decoded whole");
}

void showProgress(IPlayingSound* sound) {
    while (!sound->isFinished() && !interrupted) {
        std::printf("\r  position %6d / %d ms", sound->getPlayPosition(), sound->getPlayLength());
        std::fflush(stdout);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    std::printf("\n");
}

// Plays one file; false when it cannot be played.
bool playFile(ISoundEngine* engine, const PlayOptions& options, const std::string& file) {
    ISoundSource* source = engine->getSoundSource(file.c_str());
    if (!source || source->getPlayLength() < 0 ||
        static_cast<FileSoundSource*>(source)->getFormat().channelCount == 0) {
        std::printf("%s: cannot be played\n", file.c_str());
        return false;
    }
    describeSource(source);
    IPlayingSound* sound = engine->play2D(source, options.loop, false, true);
    if (!sound) {
        std::printf("  (no sound made: the null driver plays nothing and has no play position)\n");
        return true;
    }
    showProgress(sound);
    sound->stop();
    sound->decRef();
    return true;
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
    std::signal(SIGINT, onInterrupt);
    ISoundEngine* engine = createDravonDevice(options.driver, ENGINE_OPT_MULTITHREADED);
    if (!engine) {
        std::fprintf(stderr, "dravon-play: the sound engine could not be created\n");
        return 1;
    }
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
    engine->decRef();
    return allPlayed ? 0 : 1;
}

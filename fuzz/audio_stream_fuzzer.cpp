// The built-in stream loaders over arbitrary data: opening, reading to the end, restarting.
#include "StreamExercise.h"

#include "decoders/OggVorbisAudioStream.h"
#include "decoders/TrackerModuleAudioStream.h"
#include "decoders/WavAudioStream.h"
#include "io/IFileManager.h"

using namespace nox::audio;

namespace {

IAudioStreamLoader* makeLoader(u8 choice, IFileManager* manager) {
    switch (choice % 3) {
    case 0:
        return new WavStreamLoader(manager);
    case 1:
        return new OggVorbisStreamLoader(manager);
    default:
        return new TrackerModuleStreamLoader(manager);
    }
}

} // namespace

// The first byte chooses the loader (0 WAV, 1 Ogg Vorbis, 2 tracker module); the rest is the file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    static IFileManager* manager = createFileManager();
    IAudioStreamLoader* loader = makeLoader(data[0], manager);
    dravon_fuzz::exerciseLoader(loader, data + 1, size - 1, data[0]);
    loader->decRef();
    return 0;
}

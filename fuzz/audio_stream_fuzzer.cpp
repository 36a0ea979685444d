// The built-in stream loaders over arbitrary data: opening, reading to the end, restarting.
#include "FuzzInput.h"

#include "decoders/OggVorbisAudioStream.h"
#include "decoders/TrackerModuleAudioStream.h"
#include "decoders/WavAudioStream.h"
#include "io/IFileManager.h"

#include <vector>

using namespace nox::audio;

namespace {

// A module can render for a long time before its loop point; enough to cover every reader path.
const s32 frameLimit = 1 << 18;

//! Reads in blocks whose sizes vary with the data, up to the limit; returns the frames read.
s32 readSome(IAudioStream* stream, s32 blockSeed) {
    AudioStreamFormat format = stream->getFormat();
    if (format.channelCount < 1 || format.channelCount > 2)
        return 0;
    std::vector<u8> buffer(4096 * 4);
    s32 total = 0;
    for (s32 block = 1 + blockSeed % 4096; total < frameLimit; block = 1 + (block * 7) % 4096) {
        s32 got = stream->readFrames(buffer.data(), block);
        if (got <= 0)
            break;
        total += got;
    }
    return total;
}

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
    IInputFile* file = dravon_fuzz::inputFile(data + 1, size - 1);
    IAudioStreamLoader* loader = makeLoader(data[0], manager);
    if (IAudioStream* stream = loader->createAudioStream(file)) {
        readSome(stream, static_cast<s32>(size));
        if (stream->setPosition(0))
            readSome(stream, 3);
        stream->setPosition(data[0]);
        stream->decRef();
    }
    loader->decRef();
    file->decRef();
    return 0;
}

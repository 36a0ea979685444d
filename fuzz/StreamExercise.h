// What the stream fuzzers do with a stream: open it, read it to the end, restart it.
#ifndef DRAVON_FUZZ_STREAM_EXERCISE_H
#define DRAVON_FUZZ_STREAM_EXERCISE_H

#include "FuzzInput.h"

#include "dravon/IAudioStreamLoader.h"

#include <vector>

namespace dravon_fuzz {

// A module can render for a long time before its loop point; enough to cover every reader path.
const nox::audio::s32 frameLimit = 1 << 18;

//! Reads in blocks whose sizes vary with the data, up to the limit; returns the frames read.
inline nox::audio::s32 readSome(nox::audio::IAudioStream* stream, nox::audio::s32 blockSeed) {
    nox::audio::AudioStreamFormat format = stream->getFormat();
    // Ogg Vorbis has up to 255 channels; the engine decodes them all when it decodes whole.
    if (format.channelCount < 1 || format.channelCount > 255)
        return 0;
    std::vector<nox::audio::u8> buffer(4096 * format.getBytesPerFrame());
    nox::audio::s32 total = 0;
    for (nox::audio::s32 block = 1 + blockSeed % 4096; total < frameLimit;
         block = 1 + (block * 7) % 4096) {
        nox::audio::s32 got = stream->readFrames(buffer.data(), block);
        if (got <= 0)
            break;
        total += got;
    }
    return total;
}

//! Lets `loader` open the `size` bytes at `data`, reads the stream, restarts it and reads it
//! again, then moves it to frame `seed`.
inline void exerciseLoader(nox::audio::IAudioStreamLoader* loader, const std::uint8_t* data,
                           std::size_t size, nox::audio::s32 seed) {
    nox::audio::IInputFile* file = inputFile(data, size);
    if (nox::audio::IAudioStream* stream = loader->createAudioStream(file)) {
        readSome(stream, static_cast<nox::audio::s32>(size));
        if (stream->setPosition(0))
            readSome(stream, 3);
        stream->setPosition(seed);
        stream->decRef();
    }
    file->decRef();
}

} // namespace dravon_fuzz

#endif

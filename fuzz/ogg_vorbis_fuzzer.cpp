// The Ogg Vorbis stream over arbitrary data. Mutations are followed by new page checksums, so
// that damaged headers and packets get past libogg's page check to libvorbis.
#include "StreamExercise.h"

#include "decoders/OggVorbisAudioStream.h"

#include <ogg/ogg.h>

#include <cstring>

using namespace nox::audio;

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);

namespace {

const std::size_t pageHeaderSize = 27;

//! Sets the checksum of every whole page that starts with "OggS"; other bytes stay as they are.
void resealPages(std::uint8_t* data, std::size_t size) {
    std::size_t at = 0;
    while (at + pageHeaderSize <= size) {
        std::uint8_t* start = data + at;
        std::size_t segments = start[26];
        if (std::memcmp(start, "OggS", 4) != 0 || at + pageHeaderSize + segments > size) {
            ++at;
            continue;
        }
        std::size_t bodySize = 0;
        for (std::size_t i = 0; i < segments; ++i)
            bodySize += start[pageHeaderSize + i];
        std::size_t headerSize = pageHeaderSize + segments;
        if (at + headerSize + bodySize > size) {
            ++at;
            continue;
        }
        ogg_page page = {start, static_cast<long>(headerSize), start + headerSize,
                         static_cast<long>(bodySize)};
        ogg_page_checksum_set(&page);
        at += headerSize + bodySize;
    }
}

} // namespace

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size,
                                               std::size_t maxSize, unsigned int) {
    size = LLVMFuzzerMutate(data, size, maxSize);
    resealPages(data, size);
    return size;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static OggVorbisStreamLoader* loader = new OggVorbisStreamLoader(nullptr);
    dravon_fuzz::exerciseLoader(loader, data, size, static_cast<s32>(size));
    return 0;
}

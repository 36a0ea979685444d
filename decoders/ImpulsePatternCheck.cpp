#include "ImpulsePatternCheck.h"

#include <cstring>
#include <vector>

namespace nox {
namespace audio {

namespace {

const s32 headerSize = 0xc0;
// DUMB refuses modules with more patterns than this.
const u32 patternLimit = 256;

u32 little16(const u8* bytes) {
    return bytes[0] | bytes[1] << 8;
}

u32 little32(const u8* bytes) {
    return little16(bytes) | little16(bytes + 2) << 16;
}

//! Walks packed pattern data as DUMB does: a channel byte (0 ends the row), a new mask when its
//! top bit is set, then the fields the mask names.
bool packedRowsAreSafe(const std::vector<u8>& packed) {
    // Bytes that follow the mask for each combination of note, instrument, volume and effect.
    static const u8 fieldBytes[16] = {0, 1, 1, 2, 1, 2, 2, 3, 2, 3, 3, 4, 3, 4, 4, 5};
    u8 masks[64] = {};
    u64 channelsInRow = 0;
    std::size_t at = 0;
    while (at < packed.size()) {
        u8 lead = packed[at++];
        if (lead == 0) {
            channelsInRow = 0;
            continue;
        }
        u8 channel = (lead - 1) & 63;
        if (lead & 128) {
            if (at == packed.size())
                return false;
            masks[channel] = packed[at++];
        }
        u8 mask = masks[channel];
        if (mask) {
            u64 bit = u64(1) << channel;
            if (channelsInRow & bit)
                return false;
            channelsInRow |= bit;
        }
        at += fieldBytes[mask & 15];
        if (at > packed.size())
            return false;
    }
    return true;
}

//! Reads the pattern at `offset`; one that cannot be read whole is left to DUMB to refuse.
bool patternIsSafe(IInputFile* file, u32 offset) {
    u8 header[8];
    if (offset > 0x7fffffffu || !file->seek(static_cast<s32>(offset), false) ||
        file->read(header, sizeof(header)) != static_cast<s32>(sizeof(header)))
        return true;
    std::vector<u8> packed(little16(header));
    if (file->read(packed.data(), static_cast<u32>(packed.size())) !=
        static_cast<s32>(packed.size()))
        return true;
    return packedRowsAreSafe(packed);
}

} // namespace

bool impulsePatternsAreSafe(IInputFile* file) {
    u8 header[headerSize];
    if (!file->seek(0, false) || file->read(header, headerSize) != headerSize ||
        std::memcmp(header, "IMPM", 4) != 0)
        return true;
    u32 orders = little16(header + 0x20), instruments = little16(header + 0x22);
    u32 samples = little16(header + 0x24), patterns = little16(header + 0x26);
    if (patterns > patternLimit)
        return true;
    // The orders are followed by the offsets of the instruments, the samples and the patterns.
    u32 table = headerSize + orders + 4 * (instruments + samples);
    std::vector<u8> offsets(4 * patterns);
    if (!file->seek(static_cast<s32>(table), false) ||
        file->read(offsets.data(), static_cast<u32>(offsets.size())) !=
            static_cast<s32>(offsets.size()))
        return true;
    for (u32 i = 0; i < patterns; ++i) {
        u32 offset = little32(&offsets[4 * i]);
        if (offset && !patternIsSafe(file, offset))
            return false;
    }
    return true;
}

} // namespace audio
} // namespace nox

#include "ModuleChecks.h"

#include "core/LittleEndian.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace nox {
namespace audio {

namespace {

//! Reads exactly `size` bytes at `position`; false when the file holds fewer.
bool readAt(IInputFile* file, s64 position, void* target, u32 size) {
    return position >= 0 && position <= 0x7fffffff &&
           file->seek(static_cast<s32>(position), false) &&
           file->read(target, size) == static_cast<s32>(size);
}

//! True when `values` sample values of `bytesPerValue` bytes each, stored at `dataAt`, lie
//! within the file. DUMB allocates a sample whole and then reads it value by value, also past
//! the end of the file.
bool sampleFits(IInputFile* file, s64 values, s32 bytesPerValue, s64 dataAt) {
    return values * bytesPerValue <= static_cast<s64>(file->getSize()) - dataAt;
}

// Impulse Tracker: a header of 0xc0 bytes, then the orders and the offsets of the instruments,
// the samples and the patterns. DUMB refuses more than 256 of any of them.
const s32 impulseHeaderSize = 0xc0;
const u32 impulseComponentLimit = 256;
const u32 impulseSampleHeaderSize = 0x50;
const u8 sampleExists = 1, sample16Bit = 2, sampleStereo = 4, samplePacked = 8, sampleLoop = 16,
         sampleSustainLoop = 32;

//! The number of values DUMB allocates for the sample of header `h`, 0 when it has none: a
//! looped sample is cut after its loop, a stereo one holds two values per frame.
s64 impulseSampleValues(const u8* h) {
    u8 flags = h[0x12];
    const int shift = flags & sampleStereo ? 1 : 0;
    s64 length = readU32(h + 0x30) >> shift;
    s64 loopStart = readU32(h + 0x34) >> shift, loopEnd = readU32(h + 0x38) >> shift;
    s64 sustainStart = readU32(h + 0x40) >> shift, sustainEnd = readU32(h + 0x44) >> shift;
    if (!(flags & sampleExists) || length <= 0)
        return 0;
    bool loop = (flags & sampleLoop) && loopEnd <= length && loopStart < loopEnd;
    bool sustain = (flags & sampleSustainLoop) && sustainEnd <= length && sustainStart < sustainEnd;
    if (loop)
        length = sustain && sustainEnd >= loopEnd ? sustainEnd : loopEnd;
    return length << shift;
}

//! False when DUMB would allocate the sample of the header at `offset` far beyond what the
//! file can fill, overflow while unpacking it, or exit the process (on packed stereo data).
bool impulseSampleIsSafe(IInputFile* file, u32 offset) {
    u8 h[impulseSampleHeaderSize];
    if (!readAt(file, offset, h, impulseSampleHeaderSize) || std::memcmp(h, "IMPS", 4) != 0)
        return true;
    s64 values = impulseSampleValues(h);
    if (values == 0)
        return true;
    s64 dataAt = readU32(h + 0x48);
    if (h[0x12] & samplePacked)
        // Packed data spends at least one bit on each value.
        return !(h[0x12] & sampleStereo) && values <= 0x3fffffff &&
               sampleFits(file, (values + 7) / 8, 1, dataAt);
    return sampleFits(file, values, h[0x12] & sample16Bit ? 2 : 1, dataAt);
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
bool impulsePatternIsSafe(IInputFile* file, u32 offset) {
    u8 header[8];
    if (!readAt(file, offset, header, sizeof(header)))
        return true;
    std::vector<u8> packed(readU16(header));
    if (file->read(packed.data(), static_cast<u32>(packed.size())) !=
        static_cast<s32>(packed.size()))
        return true;
    return packedRowsAreSafe(packed);
}

// Scream Tracker 3: a header of 0x60 bytes, the orders, then the sample and pattern offsets in
// 16-byte units. DUMB refuses more than 256 samples.
const s64 screamHeaderSize = 0x60;
const u32 screamSampleLimit = 256, screamSampleHeaderSize = 0x50;

//! False when the sample whose header is at `offset` holds more data than the file.
bool screamSampleIsSafe(IInputFile* file, s64 offset) {
    u8 h[screamSampleHeaderSize];
    if (!readAt(file, offset, h, screamSampleHeaderSize) || h[0] == 0 ||
        std::memcmp(h + 0x4c, "SCRS", 4) != 0)
        return true;
    const u8 flags = h[0x1f];
    s64 length = readU32(h + 0x10);
    s64 loopStart = readU32(h + 0x14), loopEnd = readU32(h + 0x18);
    if (length <= 0)
        return true;
    // DUMB keeps a looped sample only up to its loop end.
    if ((flags & 1) && loopEnd <= length && loopStart < loopEnd)
        length = loopEnd;
    return sampleFits(file, flags & 2 ? 2 * length : length, flags & 4 ? 2 : 1,
                      static_cast<s64>(readU16(h + 0x0e)) << 4);
}

// Extended Module: a fixed header, the patterns one after the other, then each instrument with
// its sample headers and their data.
const s64 extendedPatternsAt = 60 + 0x114;
const u32 extendedPatternLimit = 256, extendedInstrumentLimit = 128, extendedSampleLimit = 16;
// What DUMB reads of an instrument header without samples, and with them.
const u32 bareInstrumentSize = 29, instrumentSize = 243;
const u32 sampleHeaderSize = 40;

//! False when an envelope that is switched on has more than 12 nodes or a node above 64.
bool envelopeIsSound(const u8* points, u8 nodeCount, u8 type) {
    if (!(type & 1) || nodeCount == 0)
        return true;
    if (nodeCount > 12)
        return false;
    for (u32 node = 0; node < nodeCount; ++node)
        if (readU16(points + 4 * node + 2) > 64)
            return false;
    return true;
}

//! Moves `at` past the instrument there, its sample headers and their data; false when DUMB
//! would fail on it.
bool skipInstrument(IInputFile* file, s64& at) {
    u8 header[instrumentSize];
    if (!readAt(file, at, header, bareInstrumentSize))
        return false;
    s64 size = readU32(header);
    u32 samples = readU16(header + 27);
    if (samples == 0) {
        at += size;
        return size - bareInstrumentSize <= 0x7fffffff;
    }
    if (samples > extendedSampleLimit || !readAt(file, at, header, instrumentSize) ||
        readU32(header + 29) != sampleHeaderSize ||
        !envelopeIsSound(header + 129, header[225], header[233]) ||
        !envelopeIsSound(header + 177, header[226], header[234]) || header[235] >= 4 ||
        size - instrumentSize > 0x7fffffff)
        return false;
    // Each sample's data takes the bytes its header gives, whatever its format.
    std::vector<u8> sampleHeaders(sampleHeaderSize * samples);
    at += size;
    if (!readAt(file, at, sampleHeaders.data(), static_cast<u32>(sampleHeaders.size())))
        return false;
    at += sampleHeaders.size();
    for (u32 sample = 0; sample < samples; ++sample)
        at += readU32(&sampleHeaders[sampleHeaderSize * sample]);
    return at <= file->getSize();
}

// MOD: a title of 20 bytes, the sample headers of 30 bytes, the song length, a restart byte and
// 128 pattern numbers; a module of 31 samples then has a tag that names its format. Patterns
// follow, then the samples' data. Its fields are big-endian and count lengths in 16-bit words.
const u32 modTitleSize = 20, modSampleHeaderSize = 30, modNameSize = 22, modOrderCount = 128;
const u32 fifteenSamples = 15;
const u32 fifteenSampleSongAt = modTitleSize + fifteenSamples * modSampleHeaderSize;
const u32 fifteenSampleHeaderSize = fifteenSampleSongAt + 2 + modOrderCount;
const u32 modTagAt = modTitleSize + 31 * modSampleHeaderSize + 2 + modOrderCount;
const s64 fifteenSamplePatternSize = 64 * 4 * 4; // 64 rows of 4 channels

s64 readU16BigEndian(const u8* at) {
    return (at[0] << 8) | at[1];
}

//! True when DUMB reads a module whose tag (at 1080) is `tag` as one of 31 samples.
bool hasThirtyOneSampleTag(const u8* tag) {
    static const char* const tags[] = {"M.K.", "M!K!", "M&K!", "N.T.", "FLT4", "FLT8",
                                       "CD81", "OCTA", "OKTA", "16CN", "32CN"};
    for (const char* known : tags)
        if (std::memcmp(tag, known, 4) == 0)
            return true;
    if (tag[2] == 'C' && tag[3] == 'H') // "10CH" to "39CH"
        return tag[0] >= '1' && tag[0] <= '3' && tag[1] >= '0' && tag[1] <= '9';
    if (std::memcmp(tag + 1, "CHN", 3) == 0) // "1CHN" to "9CHN"
        return tag[0] >= '1' && tag[0] <= '9';
    if (std::memcmp(tag, "TDZ", 3) == 0) // "TDZ1" to "TDZ9"
        return tag[3] >= '1' && tag[3] <= '9';
    return false;
}

//! True when the name of `size` bytes is text, printable ASCII or Latin-1, up to its first
//! zero byte: trackers padded names with spaces or zeros and left anything after a zero.
bool isText(const u8* name, u32 size) {
    for (u32 i = 0; i < size && name[i] != 0; ++i)
        if (name[i] < 0x20 || (name[i] >= 0x7f && name[i] < 0xa0))
            return false;
    return true;
}

//! The bytes of data DUMB reads for the 15-sample module's sample header `h`, or -1 when no
//! tracker of that format wrote the header.
s64 fifteenSampleDataBytes(const u8* h) {
    // The finetune byte came later: these trackers wrote the volume, up to 64, as 16 bits.
    if (!isText(h, modNameSize) || h[24] != 0 || h[25] > 64)
        return -1;
    s64 length = 2 * readU16BigEndian(h + 22);
    s64 loopStart = readU16BigEndian(h + 26), loopLength = readU16BigEndian(h + 28);
    // The first tracker counted the loop start in bytes, later ones in words; a loop of one
    // word is no loop.
    if (loopStart + loopLength > length + 1)
        return -1;
    // DUMB keeps a looped sample up to its loop end and skips the rest.
    s64 loopEnd = std::min(2 * (loopStart + loopLength), length);
    return loopEnd - 2 * loopStart > 2 ? loopEnd : length;
}

} // namespace

bool impulseModuleIsSafe(IInputFile* file) {
    u8 header[impulseHeaderSize];
    if (!readAt(file, 0, header, impulseHeaderSize) || std::memcmp(header, "IMPM", 4) != 0)
        return true;
    u32 orders = readU16(header + 0x20), instruments = readU16(header + 0x22);
    u32 samples = readU16(header + 0x24), patterns = readU16(header + 0x26);
    if (instruments > impulseComponentLimit || samples > impulseComponentLimit ||
        patterns > impulseComponentLimit)
        return true;
    std::vector<u8> offsets(4 * (instruments + samples + patterns));
    if (!readAt(file, impulseHeaderSize + orders, offsets.data(), static_cast<u32>(offsets.size())))
        return true;
    for (u32 i = 0; i < samples; ++i)
        if (!impulseSampleIsSafe(file, readU32(&offsets[4 * (instruments + i)])))
            return false;
    for (u32 i = 0; i < patterns; ++i) {
        u32 offset = readU32(&offsets[4 * (instruments + samples + i)]);
        if (offset && !impulsePatternIsSafe(file, offset))
            return false;
    }
    return true;
}

bool screamTrackerModuleIsSafe(IInputFile* file) {
    u8 header[screamHeaderSize];
    if (!readAt(file, 0, header, screamHeaderSize) || header[28] != 0x1a || header[29] != 16 ||
        std::memcmp(header + 0x2c, "SCRM", 4) != 0)
        return true;
    u32 orders = readU16(header + 0x20), samples = readU16(header + 0x22);
    if (samples > screamSampleLimit)
        return true;
    std::vector<u8> offsets(2 * samples);
    if (!readAt(file, screamHeaderSize + orders, offsets.data(), static_cast<u32>(offsets.size())))
        return true;
    for (u32 i = 0; i < samples; ++i)
        if (!screamSampleIsSafe(file, static_cast<s64>(readU16(&offsets[2 * i])) << 4))
            return false;
    return true;
}

bool extendedModuleIsSafe(IInputFile* file) {
    u8 header[80];
    if (!readAt(file, 0, header, sizeof(header)) ||
        std::memcmp(header, "Extended Module: ", 17) != 0 || readU16(header + 58) != 0x104 ||
        readU32(header + 60) != 0x114)
        return true;
    u32 patterns = readU16(header + 70), instruments = readU16(header + 72);
    if (patterns > extendedPatternLimit || instruments > extendedInstrumentLimit)
        return true;
    // DUMB refuses a bad pattern before it holds any sample.
    s64 at = extendedPatternsAt;
    for (u32 pattern = 0; pattern < patterns; ++pattern) {
        u8 patternHeader[9];
        if (!readAt(file, at, patternHeader, sizeof(patternHeader)) ||
            readU32(patternHeader) != sizeof(patternHeader))
            return true;
        at += sizeof(patternHeader) + readU16(patternHeader + 7);
    }
    for (u32 instrument = 0; instrument < instruments; ++instrument)
        if (!skipInstrument(file, at))
            return false;
    return true;
}

bool amigaModuleIsSafe(IInputFile* file) {
    u8 header[modTagAt + 4];
    if (!file->seek(0, false))
        return true;
    const s32 got = file->read(header, sizeof(header));
    if (got == static_cast<s32>(sizeof(header))) {
        // DUMB halves an 8-channel StarTrekker module's pattern numbers through a pointer it
        // has not set yet.
        if (std::memcmp(header + modTagAt, "FLT8", 4) == 0)
            return false;
        if (hasThirtyOneSampleTag(header + modTagAt))
            return true;
    }
    if (got < static_cast<s32>(fifteenSampleHeaderSize))
        return true; // DUMB refuses it
    // A module of 15 samples.
    if (!isText(header, modTitleSize))
        return false;
    s64 sampleBytes = 0;
    for (u32 i = 0; i < fifteenSamples; ++i) {
        s64 bytes = fifteenSampleDataBytes(header + modTitleSize + i * modSampleHeaderSize);
        if (bytes < 0)
            return false;
        sampleBytes += bytes;
    }
    // A song plays 1 to 128 patterns, numbered below 128.
    const u8* song = header + fifteenSampleSongAt;
    if (song[0] == 0 || song[0] > modOrderCount)
        return false;
    s64 patterns = 0;
    for (u32 i = 0; i < modOrderCount; ++i) {
        if (song[2 + i] >= modOrderCount)
            return false;
        patterns = std::max<s64>(patterns, song[2 + i] + 1);
    }
    // The file holds the patterns, as many as the highest of all 128 numbers asks for, and
    // the samples' data that DUMB reads.
    return fifteenSampleHeaderSize + patterns * fifteenSamplePatternSize + sampleBytes <=
           file->getSize();
}

} // namespace audio
} // namespace nox

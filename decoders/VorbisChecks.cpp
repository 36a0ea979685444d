#include "VorbisChecks.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace nox {
namespace audio {

namespace {

// libvorbis sorts a book's codewords in two arrays on the stack (12 bytes a codeword), and keeps
// codewords times dimension values for it. The largest books of libvorbis' own encoder have 6561
// codewords of dimension 8.
const u64 codewordLimit = 1 << 15;
const u64 valueLimit = 1 << 18;

// Codeword space in units of 2^-32: a complete prefix code fills it exactly.
const u64 fullCodeSpace = u64(1) << 32;

//! The codewords of a book as its lengths describe them.
struct Codewords {
    u64 used = 0;
    u64 space = 0;
    int lastLength = 0;

    void add(u64 count, int length) {
        used += count;
        space += count << (32 - length);
        lastLength = length;
    }
    //! What libvorbis can build: no codeword, a complete code, or one codeword of one bit.
    bool buildable() const {
        return used == 0 || space == fullCodeSpace || (used == 1 && lastLength == 1);
    }
};

int bitsFor(s64 value) {
    int bits = 0;
    while (value >> bits)
        ++bits;
    return bits;
}

//! Codeword lengths stored one by one, after a flag for each entry when some are unused.
bool readListedLengths(oggpack_buffer& b, s64 entries, Codewords& words) {
    const long sparse = oggpack_read(&b, 1);
    for (s64 i = 0; i < entries; ++i) {
        long used = sparse ? oggpack_read(&b, 1) : 1;
        if (used == 0)
            continue;
        long length = oggpack_read(&b, 5);
        if (used < 0 || length < 0)
            return false;
        words.add(1, static_cast<int>(length) + 1);
    }
    return sparse >= 0;
}

//! Codeword lengths stored as runs of one length each, ascending.
bool readOrderedLengths(oggpack_buffer& b, s64 entries, Codewords& words) {
    s64 length = oggpack_read(&b, 5) + 1;
    for (s64 i = 0; length > 0 && i < entries; ++length) {
        s64 count = oggpack_read(&b, bitsFor(entries - i));
        if (count < 0 || count > entries - i || length > 32)
            return false;
        words.add(static_cast<u64>(count), static_cast<int>(length));
        i += count;
    }
    return length > 0;
}

//! True when `base` to the power `exponent` is at most `limit`.
bool powerAtMost(s64 base, s64 exponent, s64 limit) {
    s64 power = 1;
    for (s64 i = 0; i < exponent; ++i) {
        if (power > limit / base)
            return false;
        power *= base;
    }
    return true;
}

//! The largest v with v^dimension <= entries: the values per dimension of a lattice book.
s64 latticeValues(s64 entries, s64 dimension) {
    if (entries < 1)
        return 0;
    s64 v = static_cast<s64>(std::pow(static_cast<double>(entries), 1.0 / dimension));
    v = std::max<s64>(v, 1);
    while (v > 1 && !powerAtMost(v, dimension, entries))
        --v;
    while (powerAtMost(v + 1, dimension, entries))
        ++v;
    return v;
}

//! Reads past the value lookup of a book; its type goes to `lookupType`.
bool skipLookup(oggpack_buffer& b, s64 entries, s64 dimension, long& lookupType) {
    lookupType = oggpack_read(&b, 4);
    if (lookupType == 0)
        return true;
    if (lookupType != 1 && lookupType != 2)
        return false;
    oggpack_read(&b, 32); // minimum
    oggpack_read(&b, 32); // step
    s64 bitsPerValue = oggpack_read(&b, 4) + 1;
    if (oggpack_read(&b, 1) < 0)
        return false;
    s64 values = lookupType == 2  ? entries * dimension
                 : dimension == 0 ? 0
                                  : latticeValues(entries, dimension);
    s64 bits = values * bitsPerValue;
    if (bits > static_cast<s64>(b.storage) * 8 - oggpack_bits(&b))
        return false;
    oggpack_adv(&b, static_cast<int>(bits));
    return true;
}

//! Reads one codebook; false when it cannot be read or libvorbis cannot take it safely.
bool readSafeBook(oggpack_buffer& b) {
    if (oggpack_read(&b, 24) != 0x564342)
        return false;
    s64 dimension = oggpack_read(&b, 16);
    s64 entries = oggpack_read(&b, 24);
    if (dimension < 0 || entries < 0)
        return false;
    Codewords words;
    long ordered = oggpack_read(&b, 1);
    bool read = ordered == 1   ? readOrderedLengths(b, entries, words)
                : ordered == 0 ? readListedLengths(b, entries, words)
                               : false;
    long lookupType = 0;
    if (!read || !skipLookup(b, entries, dimension, lookupType))
        return false;
    if (lookupType != 0 &&
        (dimension == 0 || words.used * static_cast<u64>(dimension) > valueLimit))
        return false;
    return words.buildable() && words.used <= codewordLimit;
}

//! Checks every codebook of a setup header.
bool setupBooksAreSafe(std::vector<u8>& setup) {
    oggpack_buffer b;
    oggpack_readinit(&b, setup.data(), static_cast<long>(setup.size()));
    if (oggpack_read(&b, 8) != 5)
        return false;
    oggpack_adv(&b, 6 * 8); // "vorbis"
    long books = oggpack_read(&b, 8) + 1;
    for (long i = 0; i < books; ++i)
        if (!readSafeBook(b))
            return false;
    return books > 0;
}

//! Reads the setup header (the third packet) of the logical stream `serial` from the `length`
//! bytes at `start`.
bool readSetupHeader(IInputFile* file, s64 start, s64 length, long serial, std::vector<u8>& setup) {
    if (start > 0x7fffffff || !file->seek(static_cast<s32>(start), false))
        return false;
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    ogg_stream_state stream;
    ogg_stream_init(&stream, static_cast<int>(serial));
    int packets = 0;
    while (packets < 3) {
        ogg_page page;
        int paged = ogg_sync_pageout(&sync, &page);
        if (paged == 0) {
            long chunk = static_cast<long>(std::min<s64>(length, 4096));
            char* buffer = ogg_sync_buffer(&sync, chunk);
            s32 got = chunk > 0 && buffer ? file->read(buffer, static_cast<u32>(chunk)) : 0;
            if (got <= 0)
                break;
            ogg_sync_wrote(&sync, got);
            length -= got;
            continue;
        }
        if (paged < 0 || ogg_page_serialno(&page) != serial || ogg_stream_pagein(&stream, &page))
            continue;
        ogg_packet packet;
        while (packets < 3 && ogg_stream_packetout(&stream, &packet) == 1)
            if (++packets == 3)
                setup.assign(packet.packet, packet.packet + packet.bytes);
    }
    ogg_stream_clear(&stream);
    ogg_sync_clear(&sync);
    return packets == 3;
}

} // namespace

bool vorbisCodebooksAreSafe(IInputFile* file, OggVorbis_File* decoder) {
    const s32 position = file->getPos();
    bool safe = true;
    s64 linkStart = 0;
    // Each link of a chained file has headers of its own, which libvorbis builds a decoder from
    // when decoding reaches it. A file that cannot seek cannot be read again and is refused.
    for (long link = 0; safe && link < ov_streams(decoder); ++link) {
        s64 length = ov_raw_total(decoder, static_cast<int>(link));
        std::vector<u8> setup;
        safe = length > 0 &&
               readSetupHeader(file, linkStart, length, ov_serialnumber(decoder, link), setup) &&
               setupBooksAreSafe(setup);
        linkStart += length;
    }
    return file->seek(position, false) && safe;
}

} // namespace audio
} // namespace nox

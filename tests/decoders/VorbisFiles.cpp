#include "VorbisFiles.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

namespace dravon_test {

namespace {

void appendPages(Bytes& out, ogg_stream_state& stream, bool flush) {
    ogg_page page;
    while (flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) {
        out.insert(out.end(), page.header, page.header + page.header_len);
        out.insert(out.end(), page.body, page.body + page.body_len);
    }
}

const double twoPi = 6.283185307179586;

// A chord of three partials per channel and a little noise from a fixed generator.
void fillSignal(float** channels, int channelCount, int from, int frames, long rate,
                unsigned& noise) {
    for (int c = 0; c < channelCount; ++c)
        for (int i = 0; i < frames; ++i) {
            double t = static_cast<double>(from + i) / rate;
            noise = noise * 1103515245u + 12345u;
            channels[c][i] = static_cast<float>(
                0.3 * std::sin(twoPi * (220 + 110 * c) * t) + 0.2 * std::sin(twoPi * 1320 * t) +
                0.1 * std::sin(twoPi * 5000 * t) + 0.05 * ((noise >> 16) / 32768.0 - 1));
        }
}

} // namespace

Bytes encodeVorbis(int channels, long rate, float quality, int frames, int serial) {
    vorbis_info info;
    vorbis_info_init(&info);
    vorbis_encode_init_vbr(&info, channels, rate, quality);
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, serial);

    Bytes out;
    ogg_packet headers[3];
    vorbis_analysis_headerout(&dsp, &comment, &headers[0], &headers[1], &headers[2]);
    for (ogg_packet& header : headers)
        ogg_stream_packetin(&stream, &header);
    appendPages(out, stream, true);

    unsigned noise = 1;
    // Blocks of up to 1024 frames, then an empty one that ends the stream.
    for (int done = 0;; done += 1024) {
        int now = std::max(0, std::min(frames - done, 1024));
        if (now > 0)
            fillSignal(vorbis_analysis_buffer(&dsp, now), channels, done, now, rate, noise);
        vorbis_analysis_wrote(&dsp, now);
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                appendPages(out, stream, false);
            }
        }
        if (now == 0)
            break;
    }
    appendPages(out, stream, true);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

namespace {

// The largest v with v^dimension <= entries: the values a lattice book lists.
long latticeValues(long entries, const TinyBook& book) {
    long v = 0;
    while (book.dimension > 0 && std::pow(v + 1.0, book.dimension) <= entries)
        ++v;
    return v;
}

// Fields as the decoder reads them: {value, bits}, least significant bit first.
void write(oggpack_buffer& b, std::initializer_list<std::pair<unsigned long, int>> fields) {
    for (const auto& field : fields)
        oggpack_write(&b, field.first, field.second);
}

void writeBook(oggpack_buffer& b, const TinyBook& book) {
    unsigned long entries = book.runLength ? book.runLength : book.lengths.size();
    write(b, {{0x564342, 24}, {book.dimension, 16}, {entries, 24}, {book.runLength ? 1 : 0, 1}});
    if (book.runLength) {
        // One run of `runLength` codewords of one length.
        int bits = 0;
        while (entries >> bits)
            ++bits;
        write(b, {{book.orderedLength - 1, 5}, {entries, bits}});
    } else {
        oggpack_write(&b, 1, 1); // some entries may be unused
        for (int length : book.lengths)
            write(b, {{length ? 1 : 0, 1}, {length ? length - 1 : 0, length ? 5 : 0}});
    }
    oggpack_write(&b, book.lookupType, 4);
    if (book.lookupType == 0)
        return;
    // Values from 0 in steps of 1, one bit each, not accumulated.
    write(b, {{0, 32}, {(768ul << 21) | 1ul << 20, 32}, {0, 4}, {0, 1}});
    long values = book.lookupType == 2 ? entries * book.dimension : latticeValues(entries, book);
    for (long i = 0; i < values; ++i)
        oggpack_write(&b, i & 1, 1);
}

void writeSetup(oggpack_buffer& b, const TinyVorbis& tiny) {
    oggpack_write(&b, tiny.books.size() - 1, 8);
    for (const TinyBook& book : tiny.books)
        writeBook(b, book);
    // One time-domain transform of type 0. One floor of type 1 without partitions, multiplier 1
    // and 8 bits of range.
    write(b, {{0, 6}, {0, 16}, {0, 6}, {1, 16}, {0, 5}, {0, 2}, {8, 4}});
    // One residue over coefficients 0 to 128 in partitions of 32, of two classes chosen by book
    // 0: class 0 is silent, class 1 has one stage decoded by book 1.
    write(b, {{0, 6},
              {static_cast<unsigned long>(tiny.residueType), 16},
              {0, 24},
              {128, 24},
              {31, 24},
              {1, 6},
              {0, 8},
              {0, 4},
              {1, 4},
              {1, 8}});
    // One mapping of type 0: one submap, no coupling, floor 0 and residue 0. One mode of short
    // blocks, window and transform 0, mapping 0. The framing bit.
    write(b, {{0, 6},
              {0, 16},
              {0, 1},
              {0, 1},
              {0, 2},
              {0, 8},
              {0, 8},
              {0, 8},
              {0, 6},
              {0, 1},
              {0, 16},
              {0, 16},
              {0, 8},
              {1, 1}});
}

// A header packet: its type, "vorbis", then what `body` writes.
template <typename Body> void addHeader(ogg_stream_state& stream, int type, Body body) {
    oggpack_buffer b;
    oggpack_writeinit(&b);
    oggpack_write(&b, type, 8);
    for (const char* c = "vorbis"; *c; ++c)
        oggpack_write(&b, static_cast<unsigned char>(*c), 8);
    body(b);
    ogg_packet packet = {oggpack_get_buffer(&b), oggpack_bytes(&b), type == 1, 0, 0, type / 2};
    ogg_stream_packetin(&stream, &packet);
    oggpack_writeclear(&b);
}

} // namespace

Bytes makeTinyVorbis(const TinyVorbis& tiny) {
    ogg_stream_state stream;
    ogg_stream_init(&stream, tiny.serial);
    // Version 0, one channel at 8000 Hz, no bitrates, both block sizes 256.
    addHeader(stream, 1, [](oggpack_buffer& b) {
        write(b, {{0, 32}, {1, 8}, {8000, 32}, {0, 32}, {0, 32}, {0, 32}, {0x88, 8}, {1, 1}});
    });
    // No vendor, no comments.
    addHeader(stream, 3, [](oggpack_buffer& b) { write(b, {{0, 32}, {0, 32}, {1, 1}}); });
    addHeader(stream, 5, [&tiny](oggpack_buffer& b) { writeSetup(b, tiny); });
    Bytes out;
    appendPages(out, stream, true);

    // An audio packet: type 0, then every bit set.
    Bytes audio(32, 0xff);
    audio[0] = 0xfe;
    for (int i = 0; i < tiny.audioPackets; ++i) {
        ogg_packet packet = {
            audio.data(), static_cast<long>(audio.size()), 0, i == tiny.audioPackets - 1, 128 * i,
            3 + i};
        ogg_stream_packetin(&stream, &packet);
    }
    appendPages(out, stream, true);
    ogg_stream_clear(&stream);
    return out;
}

} // namespace dravon_test

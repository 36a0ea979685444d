#include "VorbisFiles.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>

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

// Codebook fields as the decoder reads them, least significant bit first.
void writeBook(oggpack_buffer& b, const TinyBook& book) {
    oggpack_write(&b, 0x564342, 24);
    oggpack_write(&b, book.dimension, 16);
    long entries = book.runLength ? book.runLength : static_cast<long>(book.lengths.size());
    oggpack_write(&b, entries, 24);
    if (book.runLength) {
        oggpack_write(&b, 1, 1); // ordered: one run of `runLength` codewords
        oggpack_write(&b, book.orderedLength - 1, 5);
        int bits = 0;
        while (entries >> bits)
            ++bits;
        oggpack_write(&b, entries, bits);
    } else {
        oggpack_write(&b, 0, 1); // unordered
        oggpack_write(&b, 1, 1); // with unused entries
        for (int length : book.lengths) {
            oggpack_write(&b, length ? 1 : 0, 1);
            if (length)
                oggpack_write(&b, length - 1, 5);
        }
    }
    oggpack_write(&b, book.lookupType, 4);
    if (book.lookupType == 0)
        return;
    oggpack_write(&b, 0, 32);                       // minimum 0
    oggpack_write(&b, (768u << 21) | 1u << 20, 32); // delta 1
    oggpack_write(&b, 0, 4);                        // one bit per value
    oggpack_write(&b, 0, 1);
    long values = book.lookupType == 2 ? entries * book.dimension : latticeValues(entries, book);
    for (long i = 0; i < values; ++i)
        oggpack_write(&b, i & 1, 1);
}

ogg_packet packetOf(oggpack_buffer& b, ogg_int64_t number) {
    ogg_packet packet = {};
    packet.packet = oggpack_get_buffer(&b);
    packet.bytes = oggpack_bytes(&b);
    packet.b_o_s = number == 0;
    packet.packetno = number;
    return packet;
}

void writeText(oggpack_buffer& b, int type) {
    oggpack_write(&b, type, 8);
    for (const char* c = "vorbis"; *c; ++c)
        oggpack_write(&b, static_cast<unsigned char>(*c), 8);
}

void writeSetup(oggpack_buffer& b, const TinyVorbis& tiny) {
    writeText(b, 5);
    oggpack_write(&b, tiny.books.size() - 1, 8);
    for (const TinyBook& book : tiny.books)
        writeBook(b, book);
    oggpack_write(&b, 0, 6);  // one time-domain transform,
    oggpack_write(&b, 0, 16); // of type 0
    oggpack_write(&b, 0, 6);  // one floor,
    oggpack_write(&b, 1, 16); // of type 1:
    oggpack_write(&b, 0, 5);  // no partitions,
    oggpack_write(&b, 0, 2);  // multiplier 1,
    oggpack_write(&b, 8, 4);  // 8 bits of range
    oggpack_write(&b, 0, 6);  // one residue,
    oggpack_write(&b, tiny.residueType, 16);
    oggpack_write(&b, 0, 24);   // from coefficient 0
    oggpack_write(&b, 128, 24); // to 128,
    oggpack_write(&b, 31, 24);  // in partitions of 32,
    oggpack_write(&b, 1, 6);    // of two classes,
    oggpack_write(&b, 0, 8);    // chosen by book 0;
    oggpack_write(&b, 0, 4);    // class 0 is silent,
    oggpack_write(&b, 1, 4);    // class 1 has one stage,
    oggpack_write(&b, 1, 8);    // decoded by book 1
    oggpack_write(&b, 0, 6);    // one mapping,
    oggpack_write(&b, 0, 16);   // of type 0:
    oggpack_write(&b, 0, 1);    // one submap,
    oggpack_write(&b, 0, 1);    // no coupling,
    oggpack_write(&b, 0, 2);
    oggpack_write(&b, 0, 8);  // time 0,
    oggpack_write(&b, 0, 8);  // floor 0,
    oggpack_write(&b, 0, 8);  // residue 0
    oggpack_write(&b, 0, 6);  // one mode:
    oggpack_write(&b, 0, 1);  // short blocks,
    oggpack_write(&b, 0, 16); // window 0,
    oggpack_write(&b, 0, 16); // transform 0,
    oggpack_write(&b, 0, 8);  // mapping 0
    oggpack_write(&b, 1, 1);
}

} // namespace

Bytes makeTinyVorbis(const TinyVorbis& tiny) {
    ogg_stream_state stream;
    ogg_stream_init(&stream, tiny.serial);
    oggpack_buffer b;

    oggpack_writeinit(&b);
    writeText(b, 1);
    oggpack_write(&b, 0, 32);    // version
    oggpack_write(&b, 1, 8);     // channels
    oggpack_write(&b, 8000, 32); // rate
    oggpack_write(&b, 0, 32);
    oggpack_write(&b, 0, 32);
    oggpack_write(&b, 0, 32);
    oggpack_write(&b, 0x88, 8); // both block sizes 256
    oggpack_write(&b, 1, 1);
    ogg_packet packet = packetOf(b, 0);
    ogg_stream_packetin(&stream, &packet);

    oggpack_reset(&b);
    writeText(b, 3);
    oggpack_write(&b, 0, 32); // no vendor,
    oggpack_write(&b, 0, 32); // no comments
    oggpack_write(&b, 1, 1);
    packet = packetOf(b, 1);
    ogg_stream_packetin(&stream, &packet);

    oggpack_reset(&b);
    writeSetup(b, tiny);
    packet = packetOf(b, 2);
    ogg_stream_packetin(&stream, &packet);
    Bytes out;
    appendPages(out, stream, true);

    // An audio packet: type 0, then every bit set.
    Bytes audio(32, 0xff);
    audio[0] = 0xfe;
    for (int i = 0; i < tiny.audioPackets; ++i) {
        packet = {
            audio.data(), static_cast<long>(audio.size()), 0, i == tiny.audioPackets - 1, 128 * i,
            3 + i};
        ogg_stream_packetin(&stream, &packet);
    }
    appendPages(out, stream, true);
    oggpack_writeclear(&b);
    ogg_stream_clear(&stream);
    return out;
}

} // namespace dravon_test

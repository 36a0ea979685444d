#include "OggBuilder.h"

#include <cmath>
#include <cstddef>
#include <vorbis/vorbisenc.h>

namespace dravon_test {

namespace {

void appendPage(Bytes& out, const ogg_page& page) {
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}

// Moves every packet the encoder has finished into pages of `out`, one page per call at least,
// so that the first page of sound is never the last one (which would carry both the start and
// the length of the stream).
void drainEncoder(vorbis_dsp_state& dsp, vorbis_block& block, ogg_stream_state& stream,
                  Bytes& out) {
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
        vorbis_analysis(&block, nullptr);
        vorbis_bitrate_addblock(&block);
        ogg_packet packet;
        while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
            ogg_stream_packetin(&stream, &packet);
        }
    }
    ogg_page page;
    while (ogg_stream_flush(&stream, &page))
        appendPage(out, page);
}

const std::size_t pageHeaderSize = 27;

// Size of the page starting at `at`: its header, segment table and body.
std::size_t pageSize(const Bytes& ogg, std::size_t at) {
    std::size_t segments = ogg[at + 26];
    std::size_t size = pageHeaderSize + segments;
    for (std::size_t i = 0; i < segments; ++i)
        size += ogg[at + pageHeaderSize + i];
    return size;
}

} // namespace

Bytes makeOggVorbis(int rate, int frames) {
    vorbis_info info;
    vorbis_info_init(&info);
    vorbis_encode_init_vbr(&info, 1, rate, 0.1f);
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 7);

    ogg_packet identification, comments, codebooks;
    vorbis_analysis_headerout(&dsp, &comment, &identification, &comments, &codebooks);
    ogg_stream_packetin(&stream, &identification);
    ogg_stream_packetin(&stream, &comments);
    ogg_stream_packetin(&stream, &codebooks);
    Bytes out;
    ogg_page page;
    while (ogg_stream_flush(&stream, &page))
        appendPage(out, page);

    const int framesPerWrite = 1024;
    for (int done = 0; done < frames; done += framesPerWrite) {
        int count = frames - done < framesPerWrite ? frames - done : framesPerWrite;
        float** channels = vorbis_analysis_buffer(&dsp, count);
        for (int i = 0; i < count; ++i)
            channels[0][i] =
                0.5f * static_cast<float>(std::sin(6.2831853 * 440 * (done + i) / rate));
        vorbis_analysis_wrote(&dsp, count);
        drainEncoder(dsp, block, stream, out);
    }
    vorbis_analysis_wrote(&dsp, 0);
    drainEncoder(dsp, block, stream, out);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

void setLastGranule(Bytes& ogg, std::int64_t granule) {
    std::size_t last = 0;
    for (std::size_t at = 0; at + pageHeaderSize <= ogg.size(); at += pageSize(ogg, at))
        last = at;
    for (int i = 0; i < 8; ++i)
        ogg[last + 6 + i] =
            static_cast<std::uint8_t>(static_cast<std::uint64_t>(granule) >> (8 * i));
    ogg_page page;
    page.header = &ogg[last];
    page.header_len = static_cast<long>(pageHeaderSize + ogg[last + 26]);
    page.body = &ogg[last] + page.header_len;
    page.body_len = static_cast<long>(pageSize(ogg, last)) - page.header_len;
    ogg_page_checksum_set(&page);
}

} // namespace dravon_test

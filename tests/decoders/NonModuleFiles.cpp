#include "NonModuleFiles.h"

#include <cstring>
#include <random>

namespace dravon_test {

namespace {

void putBytes(Bytes& out, const char* text, std::size_t size) {
    out.insert(out.end(), text, text + size);
}

void putBigEndian32(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// One Ogg page holding one whole packet. Its checksum is left 0: only the layout matters here.
void putOggPage(Bytes& out, std::uint8_t type, std::uint32_t sequence, std::uint32_t granule,
                const Bytes& packet) {
    putText(out, "OggS");
    out.push_back(0); // version
    out.push_back(type);
    putU32(out, granule);
    putU32(out, 0);
    putU32(out, 0x5eed); // stream serial number
    putU32(out, sequence);
    putU32(out, 0); // checksum
    const std::size_t segments = packet.size() / 255 + 1;
    out.push_back(static_cast<std::uint8_t>(segments));
    out.insert(out.end(), segments - 1, 255);
    out.push_back(static_cast<std::uint8_t>(packet.size() % 255));
    out.insert(out.end(), packet.begin(), packet.end());
}

Bytes vorbisHeader(std::uint8_t type) {
    Bytes header = {type};
    putBytes(header, "vorbis", 6);
    return header;
}

} // namespace

Bytes noise(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    Bytes out(size);
    for (std::uint8_t& byte : out)
        byte = static_cast<std::uint8_t>(random());
    return out;
}

Bytes makeOggFile(std::size_t size, unsigned seed) {
    Bytes identification = vorbisHeader(1);
    putU32(identification, 0); // version
    identification.push_back(2);
    putU32(identification, 44100);
    putU32(identification, 0);
    putU32(identification, 128000); // nominal bit rate
    putU32(identification, 0);
    identification.push_back(0xb8); // block sizes 256 and 2048
    identification.push_back(1);    // framing
    Bytes comment = vorbisHeader(3);
    putU32(comment, 6);
    putBytes(comment, "dravon", 6);
    putU32(comment, 0); // no comments
    comment.push_back(1);
    Bytes setup = vorbisHeader(5);
    Bytes codebooks = noise(3000, seed);
    setup.insert(setup.end(), codebooks.begin(), codebooks.end());

    Bytes out;
    putOggPage(out, 2, 0, 0, identification);
    putOggPage(out, 0, 1, 0, comment);
    putOggPage(out, 0, 2, 0, setup);
    for (std::uint32_t page = 3; out.size() < size; ++page)
        putOggPage(out, 0, page, page * 4096u, noise(4000, seed + page));
    return out;
}

Bytes makeMp3File(std::size_t size, unsigned seed) {
    Bytes tag;
    putBytes(tag, "TIT2", 4);
    putBigEndian32(tag, 7);
    tag.push_back(0);
    tag.push_back(0);
    tag.push_back(0); // ISO-8859-1
    putBytes(tag, "dravon", 6);
    Bytes out;
    putBytes(out, "ID3", 3);
    out.push_back(3); // version 2.3
    out.push_back(0);
    out.push_back(0);
    putBigEndian32(out, static_cast<std::uint32_t>(tag.size())); // small: no sync-safe gaps
    out.insert(out.end(), tag.begin(), tag.end());
    const std::size_t frameSize = 417; // 144 * 128000 / 44100
    for (unsigned frame = 0; out.size() < size; ++frame) {
        const std::uint8_t header[] = {0xff, 0xfb, 0x90, 0x64};
        out.insert(out.end(), header, header + 4);
        Bytes audio = noise(frameSize - 4, seed + frame);
        out.insert(out.end(), audio.begin(), audio.end());
    }
    return out;
}

Bytes makeStoredZip(const char* name, const Bytes& contents) {
    const std::uint32_t nameSize = static_cast<std::uint32_t>(std::strlen(name));
    const std::uint32_t size = static_cast<std::uint32_t>(contents.size());
    Bytes out;
    putU32(out, 0x04034b50); // local header
    putU16(out, 20);         // version needed
    putU16(out, 0);          // flags
    putU16(out, 0);          // stored
    putU32(out, 0);          // time and date
    putU32(out, 0);          // checksum: only the layout matters here
    putU32(out, size);
    putU32(out, size);
    putU16(out, nameSize);
    putU16(out, 0);
    putBytes(out, name, nameSize);
    out.insert(out.end(), contents.begin(), contents.end());
    const std::uint32_t directoryAt = static_cast<std::uint32_t>(out.size());
    putU32(out, 0x02014b50); // central directory entry
    putU16(out, 20);
    putU16(out, 20);
    putU16(out, 0);
    putU16(out, 0);
    putU32(out, 0);
    putU32(out, 0);
    putU32(out, size);
    putU32(out, size);
    putU16(out, nameSize);
    for (int field = 0; field < 4; ++field)
        putU16(out, 0); // extra, comment, disk, internal attributes
    putU32(out, 0);     // external attributes
    putU32(out, 0);     // local header offset
    putBytes(out, name, nameSize);
    const std::uint32_t directorySize = static_cast<std::uint32_t>(out.size()) - directoryAt;
    putU32(out, 0x06054b50); // end of central directory
    putU32(out, 0);
    putU16(out, 1);
    putU16(out, 1);
    putU32(out, directorySize);
    putU32(out, directoryAt);
    putU16(out, 0);
    return out;
}

} // namespace dravon_test

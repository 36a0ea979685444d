// Ogg Vorbis files whose codebooks libvorbis 1.3.7 cannot take safely are refused before it
// builds a decoder from them; real files open and decode as vorbisfile alone decodes them.
#include "decoders/OggVorbisAudioStream.h"

#include "TestFiles.h"
#include "VorbisFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace nox::audio;
using namespace dravon_test;

namespace {

// What vorbisfile alone makes of the file, as the stream asks it: 16-bit little-endian signed.
std::vector<char> decodeWithVorbisfile(const Bytes& bytes) {
    writeFile("plain.ogg", bytes);
    OggVorbis_File decoder;
    std::vector<char> all;
    if (ov_fopen("plain.ogg", &decoder) != 0)
        return all;
    char buffer[4096];
    int section;
    while (long got = ov_read(&decoder, buffer, sizeof(buffer), 0, 2, 1, &section))
        if (got > 0)
            all.insert(all.end(), buffer, buffer + got);
    ov_clear(&decoder);
    return all;
}

// Everything the stream delivers, or nothing when it does not open.
std::vector<char> decodeWithStream(const Bytes& bytes) {
    IInputFile* file = memoryFile(bytes, "sound.ogg");
    OggVorbisAudioStream* stream = new OggVorbisAudioStream(file);
    file->decRef();
    std::vector<char> all;
    const s32 frameBytes = 2 * stream->getFormat().channelCount;
    std::vector<char> buffer(1000 * frameBytes);
    while (s32 got = stream->readFrames(buffer.data(), 1000))
        all.insert(all.end(), buffer.begin(), buffer.begin() + got * frameBytes);
    stream->decRef();
    return all;
}

// True when the loader accepts the file. An accepted file is decoded to its end, which is
// where libvorbis used to fail on the damaged ones.
bool opens(const Bytes& bytes) {
    IInputFile* file = memoryFile(bytes, "damaged.ogg");
    OggVorbisStreamLoader loader(nullptr);
    IAudioStream* stream = loader.createAudioStream(file);
    EXPECT_EQ(stream ? 2 : 1, file->getReferenceCount());
    file->decRef();
    if (!stream)
        return false;
    std::vector<s16> buffer(4096);
    while (stream->readFrames(buffer.data(), 4096) > 0) {
    }
    stream->decRef();
    return true;
}

} // namespace

TEST(VorbisChecks, RealFilesOpenAndDecodeBitForBitAsVorbisfileAlone) {
    struct Case {
        int channels;
        long rate;
        float quality;
    };
    for (const Case& c : {Case{1, 8000, 0.0f}, Case{1, 22050, -0.1f}, Case{2, 44100, 0.4f},
                          Case{2, 48000, 1.0f}, Case{6, 32000, 0.2f}}) {
        SCOPED_TRACE(c.channels * 1000000 + c.rate);
        Bytes file = encodeVorbis(c.channels, c.rate, c.quality, 30000);
        std::vector<char> expected = decodeWithVorbisfile(file);
        ASSERT_EQ(30000u * 2 * c.channels, expected.size());
        EXPECT_TRUE(expected == decodeWithStream(file));
    }
}

TEST(VorbisChecks, TinyStreamWithSoundBooksDecodesWhole) {
    TinyVorbis tiny;
    for (int residueType : {0, 1, 2}) {
        tiny.residueType = residueType;
        EXPECT_EQ(4u * 128 * 2, decodeWithStream(makeTinyVorbis(tiny)).size());
    }
    // libvorbis also builds a book of a single one-bit codeword, whose code is incomplete.
    tiny.books.push_back(TinyBook{1, {0, 1}});
    EXPECT_EQ(4u * 128 * 2, decodeWithStream(makeTinyVorbis(tiny)).size());
}

// libvorbis fails to build such a book, and on the next read builds the decoder with the book
// zeroed: residue decoding divides by the phrase book's dimension of 0 (res2_inverse for
// residue type 2, _01inverse for types 0 and 1).
TEST(VorbisChecks, CodewordLengthsThatLeaveTheCodeIncompleteOrOverfullAreRefused) {
    for (const std::vector<int>& lengths :
         {std::vector<int>{1, 2}, std::vector<int>{1, 1, 1}, std::vector<int>{0, 2}}) {
        for (int residueType : {0, 1, 2}) {
            TinyVorbis tiny;
            tiny.books[0].lengths = lengths;
            tiny.residueType = residueType;
            EXPECT_FALSE(opens(makeTinyVorbis(tiny))) << residueType;
        }
    }
}

// libvorbis counts the values of a lattice book (maptype 1) of dimension 0 without end.
TEST(VorbisChecks, LatticeBookOfDimensionZeroIsRefused) {
    TinyVorbis tiny;
    tiny.books[1].dimension = 0;
    EXPECT_FALSE(opens(makeTinyVorbis(tiny)));
}

// Residue type 0 splits each partition by the dimension of its book (maptype 2): 0 divides.
TEST(VorbisChecks, ListedValuesBookOfDimensionZeroIsRefused) {
    TinyVorbis tiny;
    tiny.books[1] = TinyBook{0, {1, 1}, 0, 0, 2};
    tiny.residueType = 0;
    EXPECT_FALSE(opens(makeTinyVorbis(tiny)));
}

// 2^22 codewords of 22 bits take a few bytes to declare; libvorbis sorts them in 48 MB of
// stack.
TEST(VorbisChecks, BookOfMillionsOfCodewordsIsRefused) {
    TinyVorbis tiny;
    tiny.books.push_back(TinyBook{1, {}, 1 << 22, 22, 0});
    EXPECT_FALSE(opens(makeTinyVorbis(tiny)));
    tiny.books.back() = TinyBook{1, {}, 1 << 12, 12, 0};
    EXPECT_TRUE(opens(makeTinyVorbis(tiny)));
}

// libvorbis builds the decoder of a later link when decoding reaches it.
TEST(VorbisChecks, DamagedBookInALaterLinkIsRefused) {
    TinyVorbis first, second;
    second.serial = 8;
    Bytes sound = makeTinyVorbis(first), chained = sound;
    second.books[0].lengths = {1, 2};
    Bytes damaged = makeTinyVorbis(second);
    chained.insert(chained.end(), damaged.begin(), damaged.end());
    EXPECT_FALSE(opens(chained));
}

// The smallest file the fuzzer found: a mutated codebook of the real file's residue type 1 no
// longer makes a complete code, and _01inverse divided by 0.
TEST(VorbisChecks, DamagedFileTheFuzzerFoundIsRefused) {
    const char* source = std::getenv("DRAVON_SOURCE_DIR");
    ASSERT_NE(nullptr, source);
    Bytes found = readFile(std::string(source) +
                           "/fuzz/seeds/ogg_vorbis_fuzzer/found-incomplete-code-residue1");
    ASSERT_EQ(3139u, found.size());
    EXPECT_FALSE(opens(found));
}

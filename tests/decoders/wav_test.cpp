#include "decoders/WavAudioStream.h"

#include "LogCapture.h"
#include "TestFiles.h"
#include "platform/system/Logger.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

using namespace nox::audio;
using dravon_test::Bytes;
using dravon_test::StdoutCapture;
using dravon_test::WavBuilder;

namespace {

const char* const genericLine = "Wave file has unknown or not supported format.";

class WavTest : public testing::Test {
protected:
    void SetUp() override { logger = acquireProcessLogger(); }
    void TearDown() override {
        if (stream)
            stream->decRef();
        releaseProcessLogger(logger);
    }

    // Opens `bytes` through the loader; the log lines it wrote go to `lines`.
    IAudioStream* open(const Bytes& bytes) {
        IInputFile* file = dravon_test::memoryFile(bytes, "test.wav");
        WavStreamLoader loader(nullptr);
        StdoutCapture out;
        stream = loader.createAudioStream(file);
        lines = out.takeLines();
        EXPECT_EQ(file->getReferenceCount(), stream ? 2 : 1) << "a refused file is released";
        file->decRef();
        return stream;
    }

    void expectRefused(const Bytes& bytes, const std::vector<std::string>& expectedLines) {
        EXPECT_EQ(open(bytes), nullptr);
        EXPECT_EQ(lines, expectedLines);
    }

    std::vector<s16> readAll(s32 chunkFrames) {
        AudioStreamFormat format = stream->getFormat();
        std::vector<s16> all;
        std::vector<s16> chunk(static_cast<std::size_t>(chunkFrames * format.channelCount));
        while (s32 got = stream->readFrames(chunk.data(), chunkFrames))
            all.insert(all.end(), chunk.begin(), chunk.begin() + got * format.channelCount);
        return all;
    }

    ILogger* logger = nullptr;
    IAudioStream* stream = nullptr;
    std::vector<std::string> lines;
};

// Decodes `path` with sox into raw little-endian samples of the file's own width.
Bytes decodeWithSox(const std::string& path) {
    std::string command = "sox '" + path + "' -t raw - 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    Bytes out;
    if (!pipe)
        return out;
    u8 buffer[4096];
    while (std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe.get()))
        out.insert(out.end(), buffer, buffer + got);
    return out;
}

} // namespace

TEST_F(WavTest, StereoSixteenBitSecond) {
    std::vector<s16> samples = dravon_test::patternSamples(88200);
    ASSERT_NE(open(dravon_test::makeWav16(2, 44100, samples)), nullptr);
    AudioStreamFormat format = stream->getFormat();
    EXPECT_EQ(format.channelCount, 2);
    EXPECT_EQ(format.sampleRate, 44100);
    EXPECT_EQ(format.sampleFormat, ESF_S16);
    EXPECT_EQ(format.frameCount, 44100);
    EXPECT_EQ(readAll(4096), samples);
    EXPECT_TRUE(lines.empty());
}

TEST_F(WavTest, ExtendedFormatChunksAreAccepted) {
    for (u32 size : {18u, 40u}) {
        Bytes file = WavBuilder().fmt(1, 1, 22050, 16, size).data({1, 0, 2, 0}).build();
        ASSERT_NE(open(file), nullptr) << size;
        EXPECT_EQ(stream->getFormat().frameCount, 2);
        EXPECT_EQ(readAll(10), (std::vector<s16>{1, 2}));
        stream->decRef();
        stream = nullptr;
    }
}

TEST_F(WavTest, ChunksBeforeBetweenAndAfterAreSkipped) {
    Bytes file = WavBuilder()
                     .chunk("JUNK", {9, 9, 9})
                     .fmt(1, 1, 8000, 8)
                     .chunk("LIST", {'I', 'N', 'F', 'O', 0})
                     .data({10, 20, 30})
                     .chunk("cue ", {7})
                     .build();
    ASSERT_NE(open(file), nullptr);
    u8 frames[8] = {};
    EXPECT_EQ(stream->readFrames(frames, 8), 3);
    EXPECT_EQ(frames[0], 10);
    EXPECT_EQ(frames[2], 30);
    EXPECT_EQ(stream->getFormat().sampleFormat, ESF_U8);
}

TEST_F(WavTest, DataBeforeFormatIsReadCorrectly) {
    Bytes file = WavBuilder().data({4, 0, 5, 0, 6, 0, 7, 0}).fmt(1, 2, 11025, 16).build();
    ASSERT_NE(open(file), nullptr);
    EXPECT_EQ(stream->getFormat().frameCount, 2);
    EXPECT_EQ(readAll(1), (std::vector<s16>{4, 5, 6, 7}));
}

TEST_F(WavTest, NextChunkHeaderFollowsAnOddChunkDirectly) {
    // No pad byte after the 3-byte chunk: a reader that skips one would miss "fmt ".
    Bytes file = WavBuilder().chunk("odd ", {1, 2, 3}).fmt(1, 1, 8000, 8).data({42}).build();
    ASSERT_NE(open(file), nullptr);
    EXPECT_EQ(stream->getFormat().frameCount, 1);
}

TEST_F(WavTest, OddDataSizeNeverDeliversTheLastByte) {
    Bytes data(1001, 0x11);
    data[1000] = 0x77;
    ASSERT_NE(open(WavBuilder().fmt(1, 1, 44100, 16).data(data).chunk("tail", {0x55}).build()),
              nullptr);
    EXPECT_EQ(stream->getFormat().frameCount, 500);
    std::vector<s16> all = readAll(333);
    ASSERT_EQ(all.size(), 500u);
    EXPECT_EQ(all.back(), 0x1111);
}

TEST_F(WavTest, ReadingPastTheEndGivesTheRestThenZero) {
    ASSERT_NE(open(dravon_test::makeWav16(1, 8000, {1, 2, 3, 4, 5})), nullptr);
    s16 buffer[8];
    EXPECT_EQ(stream->readFrames(buffer, 3), 3);
    EXPECT_EQ(stream->readFrames(buffer, 8), 2);
    EXPECT_EQ(buffer[1], 5);
    EXPECT_EQ(stream->readFrames(buffer, 8), 0);
    EXPECT_EQ(stream->readFrames(buffer, 0), 0);
    EXPECT_TRUE(stream->setPosition(0));
    EXPECT_EQ(stream->readFrames(buffer, 8), 5);
    EXPECT_TRUE(stream->setPosition(3)) << "any frame rewinds to the first";
    EXPECT_EQ(stream->readFrames(buffer, 1), 1);
    EXPECT_EQ(buffer[0], 1);
}

TEST_F(WavTest, TruncatedDataEndsEarlyWithoutRefusal) {
    Bytes file = WavBuilder().fmt(1, 2, 44100, 16).data({1, 0, 2, 0, 3, 0}, 4000).build();
    ASSERT_NE(open(file), nullptr);
    EXPECT_EQ(stream->getFormat().frameCount, 1000);
    s16 buffer[8];
    EXPECT_EQ(stream->readFrames(buffer, 4), 1) << "only the whole frame that exists";
    EXPECT_EQ(stream->readFrames(buffer, 4), 0);
}

TEST_F(WavTest, DataSizesOfTwoGigabytesOrMoreDeliverNothing) {
    // Streaming writers leave 0xFFFFFFFF as the data size; as a signed size it is -1.
    Bytes sixteen = WavBuilder().fmt(1, 1, 8000, 16).data({1, 0, 2, 0}, 0xFFFFFFFFLL).build();
    ASSERT_NE(open(sixteen), nullptr);
    EXPECT_EQ(stream->getFormat().frameCount, 0);
    EXPECT_TRUE(readAll(2).empty());
    stream->decRef();
    Bytes eight = WavBuilder().fmt(1, 1, 8000, 8).data({1, 2, 3}, 0x80000000LL).build();
    ASSERT_NE(open(eight), nullptr);
    EXPECT_LT(stream->getFormat().frameCount, 0);
    u8 buffer[4];
    EXPECT_EQ(stream->readFrames(buffer, 4), 0);
}

TEST_F(WavTest, BadHeadersAreUnknown) {
    Bytes good = dravon_test::makeWav16(1, 8000, {1});
    Bytes zeroSize = good, notRiff = good, notWave = good;
    zeroSize[4] = zeroSize[5] = zeroSize[6] = zeroSize[7] = 0;
    notRiff[0] = 'X';
    notWave[11] = 'X';
    for (const Bytes& bad : {zeroSize, notRiff, notWave, Bytes{}, Bytes{'R', 'I'}})
        expectRefused(bad, {"Unknown wave header in file"});
}

TEST_F(WavTest, UnsupportedEncodingsAreNamed) {
    expectRefused(WavBuilder().fmt(2, 1, 8000, 4).data({}).build(),
                  {"Wave file has an unsupported format: MS ADPCM (only PCM supported currently)",
                   genericLine});
    expectRefused(
        WavBuilder().fmt(3, 1, 8000, 32).data({}).build(),
        {"Wave file has an unsupported format: 3 (only PCM supported currently)", genericLine});
    expectRefused(WavBuilder().fmt(53, 1, 8000, 8).data({}).build(),
                  {"Wave file has an unsupported format: CONTROL RES VQLPC (only PCM supported "
                   "currently)",
                   genericLine});
    expectRefused(
        WavBuilder().fmt(0xFFFE, 2, 8000, 16).data({}).build(),
        {"Wave file has an unsupported format: 65534 (only PCM supported currently)", genericLine});
}

TEST_F(WavTest, FormatTagNamesCoverTheTable) {
    EXPECT_STREQ(getWaveFormatTagName(85), "MPEGLAYER3");
    EXPECT_STREQ(getWaveFormatTagName(257), "IBM mu-law");
    EXPECT_STREQ(getWaveFormatTagName(4100), "OLIOPR");
    EXPECT_EQ(getWaveFormatTagName(0), nullptr);
    EXPECT_EQ(getWaveFormatTagName(4), nullptr);
    EXPECT_EQ(getWaveFormatTagName(1), nullptr);
}

TEST_F(WavTest, UnsupportedChannelsAndBits) {
    expectRefused(WavBuilder().fmt(1, 6, 48000, 16).data({}).build(),
                  {"Wave file has an unsupported amount of channels 2 channels: 6", genericLine});
    expectRefused(WavBuilder().fmt(1, 0, 48000, 16).data({}).build(),
                  {"Wave file has an unsupported amount of channels 2 channels: 0", genericLine});
    expectRefused(WavBuilder().fmt(1, 2, 48000, 24).data({}).build(),
                  {"Wave file has an unsupported bits per sample size: 24", genericLine});
}

TEST_F(WavTest, MissingOrShortFormatChunk) {
    expectRefused(WavBuilder().data({1, 2}).build(), {genericLine});
    // A "fmt " chunk shorter than 16 bytes is skipped like any other chunk.
    expectRefused(WavBuilder().chunk("fmt ", Bytes(14, 0)).data({}).build(), {genericLine});
    Bytes cut = WavBuilder().fmt(1, 1, 8000, 16).build();
    cut.resize(cut.size() - 4);
    expectRefused(cut, {genericLine});
}

TEST_F(WavTest, FileEndingAfterTheFormatHasNoData) {
    expectRefused(WavBuilder().fmt(1, 1, 8000, 16).build(), {"Wave file has no data chunk."});
}

TEST_F(WavTest, BackwardChunkSizesNeverLoop) {
    Bytes backwards;
    dravon_test::putText(backwards, "RIFF");
    dravon_test::putU32(backwards, 100);
    dravon_test::putText(backwards, "WAVE");
    dravon_test::putText(backwards, "junk");
    dravon_test::putU32(backwards, 0xFFFFFFF8u); // -8: straight back to this header
    expectRefused(backwards, {genericLine});
    Bytes dataBackwards = WavBuilder().fmt(1, 1, 8000, 16).build();
    dravon_test::putText(dataBackwards, "junk");
    dravon_test::putU32(dataBackwards, 0xFFFFFFF8u);
    expectRefused(dataBackwards, {"Wave file has no data chunk."});
}

TEST_F(WavTest, NameTest) {
    WavStreamLoader loader(nullptr);
    EXPECT_TRUE(loader.isALoadableFileExtension("boom.wav"));
    EXPECT_TRUE(loader.isALoadableFileExtension("a.wav.bak"));
    EXPECT_FALSE(loader.isALoadableFileExtension("boom.WAV")) << "the engine lower-cases first";
    EXPECT_FALSE(loader.isALoadableFileExtension("boom.ogg"));
    EXPECT_EQ(loader.createAudioStream(nullptr), nullptr);
}

TEST_F(WavTest, RealFilesMatchSoxSampleForSample) {
    const char* files[] = {"/usr/share/sounds/alsa/Front_Center.wav",
                           "/usr/share/sounds/alsa/Noise.wav",
                           "/usr/share/sounds/alsa/Rear_Right.wav"};
    for (const char* path : files) {
        Bytes file = dravon_test::readFile(dravon_test::systemFile(path));
        ASSERT_NE(open(file), nullptr) << path;
        Bytes expected = decodeWithSox(path);
        ASSERT_FALSE(expected.empty()) << "sox is missing: run scripts/install-deps.sh";
        AudioStreamFormat format = stream->getFormat();
        EXPECT_EQ(static_cast<std::size_t>(format.frameCount * format.getBytesPerFrame()),
                  expected.size())
            << path;
        EXPECT_EQ(dravon_test::bytesOf(readAll(1000)), expected) << path;
        stream->decRef();
        stream = nullptr;
    }
}

TEST_F(WavTest, EightBitStereoMadeBySoxMatchesSox) {
    std::string made = "sox-8bit-stereo.wav";
    std::string command = "sox '" +
                          dravon_test::systemFile("/usr/share/sounds/alsa/Front_Left.wav") +
                          "' -b 8 -c 2 -r 22050 " + made + " 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << "sox is missing: run scripts/install-deps.sh";
    ASSERT_NE(open(dravon_test::readFile(made)), nullptr);
    AudioStreamFormat format = stream->getFormat();
    EXPECT_EQ(format.channelCount, 2);
    EXPECT_EQ(format.sampleRate, 22050);
    EXPECT_EQ(format.sampleFormat, ESF_U8);
    Bytes decoded(static_cast<std::size_t>(format.frameCount) * 2);
    EXPECT_EQ(stream->readFrames(decoded.data(), format.frameCount), format.frameCount);
    EXPECT_EQ(decoded, decodeWithSox(made));
}

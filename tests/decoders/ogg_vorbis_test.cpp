#include "decoders/OggVorbisAudioStream.h"

#include "LogCapture.h"
#include "TestFiles.h"
#include "platform/system/Logger.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using namespace nox::audio;
using namespace dravon_test;

namespace {

const char* const completeOga = "/usr/share/sounds/freedesktop/stereo/complete.oga";

OggVorbisAudioStream* openOgg(const std::string& path, const char* name = "sound.ogg") {
    IInputFile* file = memoryFile(readFile(systemFile(path)), name);
    OggVorbisAudioStream* stream = new OggVorbisAudioStream(file);
    file->decRef();
    return stream;
}

std::vector<s16> samplesOf(const Bytes& bytes) {
    std::vector<s16> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
}

// Everything the stream delivers from where it is, read in blocks of `block` frames.
std::vector<s16> decodeRest(IAudioStream* stream, s32 block) {
    s32 channels = stream->getFormat().channelCount;
    std::vector<s16> all, buffer(static_cast<std::size_t>(block * channels));
    while (s32 got = stream->readFrames(buffer.data(), block))
        all.insert(all.end(), buffer.begin(), buffer.begin() + got * channels);
    return all;
}

// Index of the first differing sample, or -1.
long firstDifference(const std::vector<s16>& a, const std::vector<s16>& b) {
    std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i)
        if (a[i] != b[i])
            return static_cast<long>(i);
    return a.size() == b.size() ? -1 : static_cast<long>(n);
}

} // namespace

TEST(OggVorbisStream, MatchesOggdecBitForBit) {
    struct Case {
        std::string ogg, raw;
        s32 channels, rate;
    };
    const Case cases[] = {
        {"fixtures/mono22050.ogg", "fixtures/mono22050.raw", 1, 22050},
        {"fixtures/stereo48000.ogg", "fixtures/stereo48000.raw", 2, 48000},
        {completeOga, "fixtures/complete.raw", 2, 44100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ogg);
        OggVorbisAudioStream* stream = openOgg(c.ogg);
        ASSERT_TRUE(stream->isOpen());
        std::vector<s16> expected = samplesOf(readFile(c.raw));
        ASSERT_FALSE(expected.empty());
        AudioStreamFormat format = stream->getFormat();
        EXPECT_EQ(c.channels, format.channelCount);
        EXPECT_EQ(c.rate, format.sampleRate);
        EXPECT_EQ(ESF_S16, format.sampleFormat);
        EXPECT_EQ(static_cast<s32>(expected.size()) / c.channels, format.frameCount);
        EXPECT_EQ(-1, firstDifference(expected, decodeRest(stream, 4096)));
        stream->decRef();
    }
}

TEST(OggVorbisStream, FillsWholeRequestsThenTheTailThenNothing) {
    OggVorbisAudioStream* stream = openOgg(completeOga);
    const s32 frameCount = stream->getFormat().frameCount;
    std::vector<s16> buffer(2 * 4096);
    s32 read = 0;
    // Each request spans several packets of vorbisfile, yet comes back full.
    while (frameCount - read > 4096) {
        ASSERT_EQ(4096, stream->readFrames(buffer.data(), 4096));
        read += 4096;
    }
    EXPECT_EQ(frameCount - read, stream->readFrames(buffer.data(), 4096));
    EXPECT_EQ(0, stream->readFrames(buffer.data(), 4096));
    EXPECT_EQ(0, stream->readFrames(buffer.data(), 0));
    stream->decRef();
}

TEST(OggVorbisStream, ReachesAnyFrame) {
    std::vector<s16> fresh = samplesOf(readFile("fixtures/complete.raw"));
    OggVorbisAudioStream* stream = openOgg(completeOga);
    decodeRest(stream, 4096);
    ASSERT_TRUE(stream->setPosition(0));
    EXPECT_EQ(-1, firstDifference(fresh, decodeRest(stream, 1000)));
    // Half a second into the 44100 Hz file.
    ASSERT_TRUE(stream->setPosition(22050));
    std::vector<s16> tail(fresh.begin() + 2 * 22050, fresh.end());
    EXPECT_EQ(-1, firstDifference(tail, decodeRest(stream, 777)));
    stream->decRef();
}

TEST(OggVorbisStream, ChainedFileDeliversItsFirstStreamOnly) {
    OggVorbisAudioStream* stream = openOgg("fixtures/chained.ogg");
    ASSERT_TRUE(stream->isOpen());
    EXPECT_EQ(48000, stream->getFormat().sampleRate);
    std::vector<s16> first = samplesOf(readFile("fixtures/stereo48000.raw"));
    for (s32 block : {4096, 100000}) {
        SCOPED_TRACE(block);
        ASSERT_TRUE(stream->setPosition(0));
        EXPECT_EQ(-1, firstDifference(first, decodeRest(stream, block)));
    }
    stream->decRef();
}

TEST(OggVorbisStream, RefusesOtherFilesSilently) {
    ILogger* logger = acquireProcessLogger();
    IInputFile* file = memoryFile(makeWav16(2, 44100, patternSamples(2000)), "tone.ogg");
    StdoutCapture capture;
    OggVorbisStreamLoader loader(nullptr);
    EXPECT_EQ(nullptr, loader.createAudioStream(file));
    EXPECT_EQ("", capture.take());
    EXPECT_EQ(1, file->getReferenceCount());
    file->decRef();
    releaseProcessLogger(logger);
}

TEST(OggVorbisStreamLoader, AsksFirstForOggAnywhereInTheName) {
    OggVorbisStreamLoader loader(nullptr);
    EXPECT_TRUE(loader.isALoadableFileExtension("music.ogg"));
    EXPECT_TRUE(loader.isALoadableFileExtension("music.ogg.bak"));
    EXPECT_FALSE(loader.isALoadableFileExtension("music.OGG"));
    EXPECT_FALSE(loader.isALoadableFileExtension("bell.oga"));
}

TEST(OggVorbisStream, TruncatedFilesDeliverTheirIntactStartWithoutACrash) {
    const Bytes whole = readFile(systemFile(completeOga));
    OggVorbisAudioStream* complete = openOgg(completeOga);
    const std::vector<s16> fresh = decodeRest(complete, 4096);
    complete->decRef();
    std::size_t opened = 0;
    for (std::size_t size = 1; size < whole.size(); size += whole.size() / 23) {
        SCOPED_TRACE(size);
        IInputFile* file = memoryFile(Bytes(whole.begin(), whole.begin() + size), "cut.ogg");
        OggVorbisAudioStream* stream = new OggVorbisAudioStream(file);
        file->decRef();
        EXPECT_TRUE(stream->isOpen() || opened == 0);
        if (stream->isOpen()) {
            ++opened;
            std::vector<s16> got = decodeRest(stream, 1024);
            ASSERT_LT(got.size(), fresh.size());
            EXPECT_TRUE(std::equal(got.begin(), got.end(), fresh.begin()));
        }
        stream->decRef();
    }
    // Past its header pages, every cut opens.
    EXPECT_GE(opened, 12u);
}

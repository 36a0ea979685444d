#include "Mp3AudioStream.h"

#include "LogCapture.h"
#include "TestFiles.h"
#include "WavBuilder.h"
#include "drivers/null/NullSoundEngine.h"
#include "io/IFileManager.h"
#include "platform/system/Logger.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace nox::audio;
using namespace dravon_test;

namespace {

struct Decoding {
    long rate = 0;
    int channels = 0;
    std::vector<s16> samples;
};

// libmpg123's own decoding of the file, read by the library itself from the disk. It scans the
// file for its length first, as the stream does: the scan ends with a seek back to the start,
// after which libmpg123 rounds a few samples of some files differently (by 1) than a decoder
// that never moved.
Decoding referenceDecoding(const std::string& path) {
    Decoding decoding;
    mpg123_init();
    mpg123_handle* decoder = mpg123_new(nullptr, nullptr);
    mpg123_param(decoder, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    mpg123_format_none(decoder);
    const long* rates = nullptr;
    size_t count = 0;
    mpg123_rates(&rates, &count);
    for (size_t i = 0; i < count; ++i)
        mpg123_format(decoder, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    int encoding = 0;
    if (mpg123_open(decoder, path.c_str()) == MPG123_OK &&
        mpg123_getformat(decoder, &decoding.rate, &decoding.channels, &encoding) == MPG123_OK &&
        mpg123_scan(decoder) == MPG123_OK) {
        s16 buffer[4096];
        size_t done = 0;
        int result;
        do {
            result = mpg123_read(decoder, buffer, sizeof buffer, &done);
            decoding.samples.insert(decoding.samples.end(), buffer, buffer + done / 2);
        } while (result == MPG123_OK || result == MPG123_NEW_FORMAT);
    }
    mpg123_delete(decoder);
    return decoding;
}

dravon_mp3::Mp3AudioStream* openMp3(const std::string& path, const char* name = "music.mp3") {
    IInputFile* file = memoryFile(readFile(path), name);
    dravon_mp3::Mp3AudioStream* stream = new dravon_mp3::Mp3AudioStream(file);
    file->decRef();
    return stream;
}

// Everything the stream delivers from where it is, read in blocks of `block` frames.
std::vector<s16> decodeRest(IAudioStream* stream, s32 block) {
    s32 channels = stream->getFormat().channelCount;
    std::vector<s16> all, buffer(static_cast<std::size_t>(block * channels));
    while (s32 got = stream->readFrames(buffer.data(), block))
        all.insert(all.end(), buffer.begin(), buffer.begin() + got * channels);
    return all;
}

const char* const stereoMp3 = "fixtures/stereo44100.mp3";
const char* const monoMp3 = "fixtures/mono22050.mp3";

} // namespace

TEST(Mp3Stream, MatchesLibmpg123ReadingTheFileItself) {
    for (const char* path : {stereoMp3, monoMp3}) {
        SCOPED_TRACE(path);
        Decoding expected = referenceDecoding(path);
        ASSERT_FALSE(expected.samples.empty());
        dravon_mp3::Mp3AudioStream* stream = openMp3(path);
        ASSERT_TRUE(stream->isOpen());
        AudioStreamFormat format = stream->getFormat();
        EXPECT_EQ(expected.channels, format.channelCount);
        EXPECT_EQ(expected.rate, format.sampleRate);
        EXPECT_EQ(ESF_S16, format.sampleFormat);
        EXPECT_EQ(static_cast<s32>(expected.samples.size()) / expected.channels, format.frameCount);
        std::vector<s16> got = decodeRest(stream, 1000);
        ASSERT_EQ(expected.samples.size(), got.size());
        std::size_t first =
            std::mismatch(got.begin(), got.end(), expected.samples.begin()).first - got.begin();
        EXPECT_EQ(got.size(), first);
        stream->decRef();
    }
    // The encoder keeps the rates and channel counts of its sources.
    EXPECT_EQ(44100, referenceDecoding(stereoMp3).rate);
    EXPECT_EQ(1, referenceDecoding(monoMp3).channels);
}

TEST(Mp3Stream, FillsWholeRequestsThenTheTailThenNothing) {
    dravon_mp3::Mp3AudioStream* stream = openMp3(stereoMp3);
    const s32 frameCount = stream->getFormat().frameCount;
    std::vector<s16> buffer(2 * 4096);
    s32 read = 0;
    // A request spans several MPEG frames of 1152 samples, yet comes back full.
    while (frameCount - read > 4096) {
        ASSERT_EQ(4096, stream->readFrames(buffer.data(), 4096));
        read += 4096;
    }
    EXPECT_EQ(frameCount - read, stream->readFrames(buffer.data(), 4096));
    EXPECT_EQ(0, stream->readFrames(buffer.data(), 4096));
    EXPECT_EQ(0, stream->readFrames(buffer.data(), 0));
    stream->decRef();
}

TEST(Mp3Stream, ReachesAnyFrame) {
    std::vector<s16> fresh = referenceDecoding(stereoMp3).samples;
    dravon_mp3::Mp3AudioStream* stream = openMp3(stereoMp3);
    decodeRest(stream, 4096);
    ASSERT_TRUE(stream->setPosition(0));
    EXPECT_TRUE(fresh == decodeRest(stream, 777));
    // Half a second in.
    ASSERT_TRUE(stream->setPosition(22050));
    std::vector<s16> rest = decodeRest(stream, 4096);
    ASSERT_EQ(fresh.size() - 2 * 22050, rest.size());
    EXPECT_TRUE(std::equal(rest.begin(), rest.end(), fresh.begin() + 2 * 22050));
    EXPECT_FALSE(stream->setPosition(-1));
    stream->decRef();
}

TEST(Mp3Stream, OtherFilesAreRefusedSilentlyAndKeepNoReference) {
    ILogger* logger = acquireProcessLogger();
    Bytes frameHeaderThenNoise{0xff, 0xfb, 0x90, 0x64};
    for (int i = 0; i < 3000; ++i)
        frameHeaderThenNoise.push_back(static_cast<u8>(i * 7919 >> 3));
    const Bytes refused[] = {makeWav16(2, 44100, patternSamples(2000)),
                             Bytes{'I', 'D'},
                             Bytes{'I', 'D', '3', 4, 0, 0, 0, 0, 0, 9},
                             frameHeaderThenNoise,
                             {}};
    dravon_mp3::Mp3StreamLoader loader;
    for (const Bytes& bytes : refused) {
        IInputFile* file = memoryFile(bytes, "music.mp3");
        StdoutCapture capture;
        IAudioStream* stream = loader.createAudioStream(file);
        EXPECT_EQ("", capture.take());
        // A stray frame header may decode a little noise; it must end, and never crash.
        if (stream) {
            EXPECT_LT(decodeRest(stream, 4096).size(), 100000u);
            stream->decRef();
        }
        EXPECT_EQ(1, file->getReferenceCount());
        file->decRef();
    }
    EXPECT_EQ(nullptr, loader.createAudioStream(nullptr));
    releaseProcessLogger(logger);
}

TEST(Mp3Stream, TruncatedFilesEndEarlyWithoutACrash) {
    Bytes whole = readFile(stereoMp3);
    for (std::size_t size :
         {std::size_t(4), std::size_t(417), whole.size() / 3, whole.size() - 1}) {
        SCOPED_TRACE(size);
        IInputFile* file = memoryFile(Bytes(whole.begin(), whole.begin() + size), "cut.mp3");
        dravon_mp3::Mp3AudioStream* stream = new dravon_mp3::Mp3AudioStream(file);
        file->decRef();
        if (stream->isOpen()) {
            std::size_t frames = decodeRest(stream, 4096).size() / 2;
            EXPECT_LE(frames, 70000u);
            EXPECT_TRUE(stream->setPosition(0) || stream->getFormat().frameCount < 1);
        }
        stream->decRef();
    }
}

TEST(Mp3StreamLoader, AsksFirstForMp3AnywhereInTheName) {
    dravon_mp3::Mp3StreamLoader loader;
    EXPECT_TRUE(loader.isALoadableFileExtension("music.mp3"));
    EXPECT_TRUE(loader.isALoadableFileExtension("music.mp3.old"));
    EXPECT_FALSE(loader.isALoadableFileExtension("music.MP3"));
    EXPECT_FALSE(loader.isALoadableFileExtension("music.mp2"));
}

namespace {

// An engine on the null driver in the tests' working directory; its program directory holds
// dvpmp3.dll.
class Mp3PluginEngineTest : public testing::Test {
protected:
    void SetUp() override { fileManager_ = createFileManager(); }
    void TearDown() override { fileManager_->decRef(); }

    // The lines that creating the engine wrote.
    std::vector<std::string> create(int options) {
        StdoutCapture capture;
        engine_ = new NullSoundEngine(fileManager_, options);
        return capture.takeLines();
    }

    // The lines that opening `bytes` under `name` wrote; the stream, if any, is in `stream`.
    std::vector<std::string> open(const Bytes& bytes, const char* name, IAudioStream*& stream) {
        IInputFile* file = memoryFile(bytes, name);
        StdoutCapture capture;
        stream = engine_->openAudioStream(file);
        file->decRef();
        return capture.takeLines();
    }

    IFileManager* fileManager_ = nullptr;
    NullSoundEngine* engine_ = nullptr;
};

} // namespace

TEST_F(Mp3PluginEngineTest, EngineWithTheOptionLoadsThePluginAndOpensMp3) {
    EXPECT_EQ((std::vector<std::string>{"Dravon 3D Sound Engine version 0.8.1",
                                        "Loaded plugin: dvpmp3.dll", "Using NULL driver"}),
              create(ENGINE_OPT_LOAD_PLUGINS));
    IAudioStream* stream = nullptr;
    EXPECT_TRUE(open(readFile(stereoMp3), "Music.MP3", stream).empty());
    ASSERT_NE(nullptr, stream);
    EXPECT_EQ(44100, stream->getFormat().sampleRate);
    EXPECT_EQ(2, stream->getFormat().channelCount);
    stream->decRef();
    // The plug-in's loader is asked first for every name in the second pass, and lets the
    // built-in loaders have what is theirs.
    EXPECT_TRUE(open(makeWav16(1, 8000, patternSamples(800)), "sound.dat", stream).empty());
    ASSERT_NE(nullptr, stream);
    EXPECT_EQ(8000, stream->getFormat().sampleRate);
    stream->decRef();
    engine_->decRef();
}

TEST_F(Mp3PluginEngineTest, EngineWithoutThePluginNamesItWhenAnMp3DoesNotOpen) {
    create(0);
    IAudioStream* stream = nullptr;
    std::vector<std::string> lines = open(readFile(stereoMp3), "Music.MP3", stream);
    EXPECT_EQ(nullptr, stream);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ("Could not open audio stream for sound file (maybe the Dravon mp3 plugin is "
              "missing?): music.mp3",
              lines.back());
    engine_->decRef();
}

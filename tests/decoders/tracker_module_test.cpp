#include "decoders/TrackerModuleAudioStream.h"

#include "ModuleStreams.h"
#include "RecordingInputFile.h"
#include "TestFiles.h"
#include "TinyModules.h"
#include "core/LittleEndian.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace nox::audio;
using namespace dravon_test;

namespace {

// Modules from Debian packages: MOD, XM, S3M and IT.
const char* const realModules[] = {
    "/usr/share/games/tecnoballz/musics/high-score.mod",
    "/usr/share/games/powermanga/sounds/music_menu.zik",
    "/usr/share/games/pingus/data/music/gd-giirm.s3m",
    "/usr/share/games/pingus/data/music/gd-matth.it",
};

Bytes tinyItWithEnvelope(int nodeCount) {
    TinyIt it;
    it.nodeCount = nodeCount;
    return makeTinyIt(it);
}

Bytes tinyItTimed(int speed, int tempo) {
    TinyIt it;
    it.speed = speed;
    it.tempo = tempo;
    return makeTinyIt(it);
}

Bytes tinyItWithRows(const Bytes& rows) {
    TinyIt it;
    it.packedRows = rows;
    return makeTinyIt(it);
}

Bytes tinyItWithSample(u8 flags, u32 length, u32 dataBytes) {
    TinyIt it;
    it.sampleFlags = flags;
    it.sampleLength = length;
    it.sampleDataBytes = dataBytes;
    return makeTinyIt(it);
}

} // namespace

TEST(TrackerModuleStream, TinyModuleLastsUpToItsLoopPoint) {
    TrackerModuleAudioStream* stream = openModule(makeTinyMod(35), "tiny.mod");
    ASSERT_TRUE(stream->isOpen());
    AudioStreamFormat format = stream->getFormat();
    EXPECT_EQ(2, format.channelCount);
    EXPECT_EQ(44100, format.sampleRate);
    EXPECT_EQ(ESF_S16, format.sampleFormat);
    // 100 rows at 10 rows per second.
    EXPECT_NEAR(441000, format.frameCount, 2);
    std::vector<s16> samples;
    EXPECT_NEAR(format.frameCount, renderToEnd(stream, 4096, &samples), 2);
    EXPECT_EQ(0, stream->readFrames(samples.data(), 1));
    stream->decRef();
}

TEST(TrackerModuleStream, EveryReaderLoadsARealModule) {
    // name in memory, installed file, moves to the start: before each reader tried, one for
    // its check's look at the file and one after it
    struct Case {
        const char* name;
        const char* path;
        std::size_t rewinds;
    };
    const Case cases[] = {
        {"high-score.mod", realModules[0], 2},
        {"menu.xm", realModules[1], 2 * 2},
        {"giirm.s3m", realModules[2], 3 * 2},
        {"matth.it", realModules[3], 4 * 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IInputFile* inner = memoryFile(readFile(systemFile(c.path)), c.name);
        RecordingInputFile* file = new RecordingInputFile(inner);
        inner->decRef();
        TrackerModuleAudioStream* stream = new TrackerModuleAudioStream(file);
        ASSERT_TRUE(stream->isOpen());
        // Only those looks move the file anywhere but its start.
        const std::vector<s32>& seeks = file->absoluteSeeks;
        EXPECT_EQ(c.rewinds, static_cast<std::size_t>(std::count(seeks.begin(), seeks.end(), 0)));
        EXPECT_TRUE(seeks.empty() || seeks.back() == 0);
        // DUMB rounds each tick, so the rendering ends a few frames from the measured length.
        s32 frameCount = stream->getFormat().frameCount;
        EXPECT_GT(frameCount, 30 * 44100);
        EXPECT_NEAR(frameCount, renderToEnd(stream, 4096), 32);
        stream->decRef();
        EXPECT_EQ(1, file->getReferenceCount());
        file->decRef();
    }
}

TEST(TrackerModuleStream, OnlyFrameZeroCanBeReachedAndItRestarts) {
    TrackerModuleAudioStream* stream = openModule(makeTinyMod(35), "tiny.mod");
    std::vector<s16> first(2 * 1000), again(2 * 1000), later(2 * 1000);
    ASSERT_EQ(1000, stream->readFrames(first.data(), 1000));
    EXPECT_FALSE(stream->setPosition(100));
    // The refused move left the rendering where it was: the next frames follow on.
    ASSERT_EQ(1000, stream->readFrames(later.data(), 1000));
    EXPECT_NE(first, later);
    EXPECT_TRUE(stream->setPosition(0));
    ASSERT_EQ(1000, stream->readFrames(again.data(), 1000));
    EXPECT_EQ(first, again);
    // After the loop point the stream is silent until it is restarted.
    renderToEnd(stream, 65536);
    EXPECT_TRUE(stream->setPosition(0));
    ASSERT_EQ(1000, stream->readFrames(again.data(), 1000));
    EXPECT_EQ(first, again);
    stream->decRef();
}

TEST(TrackerModuleStream, TruncatedModulesOpenOrNotWithoutACrash) {
    for (const char* path : realModules) {
        const Bytes whole = readFile(systemFile(path));
        for (std::size_t size = 1; size < whole.size(); size += whole.size() / 17 + 1) {
            SCOPED_TRACE(std::string(path) + " cut at " + std::to_string(size));
            IInputFile* file = memoryFile(Bytes(whole.begin(), whole.begin() + size), "cut.it");
            TrackerModuleAudioStream* stream = new TrackerModuleAudioStream(file);
            std::vector<s16> buffer(2 * 4096);
            for (int block = 0; stream->isOpen() && block < 16; ++block)
                ASSERT_LE(stream->readFrames(buffer.data(), 4096), 4096);
            stream->decRef();
            EXPECT_EQ(1, file->getReferenceCount());
            file->decRef();
        }
    }
}

TEST(TrackerModuleStream, AFileNoReaderAcceptsLeavesNoReference) {
    TrackerModuleStreamLoader loader(nullptr);
    IInputFile* file = memoryFile(makeWav16(1, 8000, patternSamples(4000)), "tone.it");
    EXPECT_EQ(nullptr, loader.createAudioStream(file));
    EXPECT_EQ(1, file->getReferenceCount());
    file->decRef();
}

TEST(TrackerModuleStream, EnvelopesOfMoreThan25NodesAreRefused) {
    // Instruments have room for 25 envelope nodes: a module that declares more must be refused
    // before DUMB writes past them.
    for (int nodes : {2, 25}) {
        TrackerModuleAudioStream* stream = openModule(tinyItWithEnvelope(nodes), "tiny.it");
        EXPECT_TRUE(stream->isOpen()) << nodes;
        stream->decRef();
    }
    for (int nodes : {26, 255}) {
        TrackerModuleAudioStream* stream = openModule(tinyItWithEnvelope(nodes), "tiny.it");
        EXPECT_FALSE(stream->isOpen()) << nodes;
        stream->decRef();
    }
}

TEST(TrackerModuleStream, ATempoOfZeroIsRefusedAndASpeedOfZeroPlaysAtTheDefault) {
    // DUMB divides by the tempo when it starts rendering.
    for (int speed : {0, 6}) {
        TrackerModuleAudioStream* stream = openModule(tinyItTimed(speed, 0), "tiny.it");
        EXPECT_FALSE(stream->isOpen()) << speed;
        EXPECT_EQ(0, stream->readFrames(nullptr, 16));
        stream->decRef();
    }
    TrackerModuleAudioStream* slowest = openModule(tinyItTimed(1, 1), "tiny.it");
    EXPECT_TRUE(slowest->isOpen());
    slowest->decRef();
    // A speed of 0 is read as 6 ticks per row.
    TrackerModuleAudioStream* unset = openModule(tinyItTimed(0, 125), "tiny.it");
    TrackerModuleAudioStream* usual = openModule(tinyItTimed(6, 125), "tiny.it");
    ASSERT_TRUE(unset->isOpen());
    EXPECT_EQ(usual->getFormat().frameCount, unset->getFormat().frameCount);
    unset->decRef();
    usual->decRef();
}

TEST(TrackerModuleStream, AnXmTempoWhoseLowByteIsZeroIsRefused) {
    // The XM header holds a 16-bit tempo at byte 78; DUMB's renderer keeps only its low byte.
    Bytes xm = readFile(systemFile(realModules[1]));
    for (u32 tempo : {0u, 256u, 0x8800u, 255u, 257u}) {
        xm[78] = static_cast<u8>(tempo);
        xm[79] = static_cast<u8>(tempo >> 8);
        TrackerModuleAudioStream* stream = openModule(xm, "tempo.xm");
        EXPECT_EQ((tempo & 0xff) != 0, stream->isOpen()) << tempo;
        stream->decRef();
    }
}

TEST(TrackerModuleStream, S3mSamplesLongerThanTheFileAreRefused) {
    // The first sample's header: its offset in 16-byte units follows the orders.
    const Bytes s3m = readFile(systemFile(realModules[2]));
    const std::size_t header = std::size_t(readU16(&s3m[0x60 + readU16(&s3m[0x20])])) << 4;
    const u32 length = readU32(&s3m[header + 0x10]);
    ASSERT_GT(length, 0u);
    const u32 lengths[] = {length, 0xfffffff0u, 0x7fffffffu};
    for (u32 declared : lengths) {
        Bytes changed = s3m;
        for (int i = 0; i < 4; ++i)
            changed[header + 0x10 + i] = static_cast<u8>(declared >> (8 * i));
        // A loop would cut the sample short: take it away.
        changed[header + 0x1f] &= ~1;
        TrackerModuleAudioStream* stream = openModule(changed, "long.s3m");
        EXPECT_EQ(declared == length, stream->isOpen()) << declared;
        stream->decRef();
    }
}

TEST(TrackerModuleStream, ImpulseRowsNamingAChannelTwiceAreRefusedWithoutAReportFile) {
    // Channel bytes are channel + 1, with 128 when a mask follows; mask 1 brings a note.
    const Bytes twiceInARow = {0x81, 1, 60, 0x81, 1, 62, 0};
    const Bytes inTwoRows = {0x81, 1, 60, 0, 0x81, 1, 62, 0};
    const Bytes twoChannels = {0x81, 1, 60, 0x82, 1, 62, 0};
    const Bytes twiceWithoutEvents = {0x81, 0, 0x01, 0};
    const Bytes maskAtTheEnd = {0x81, 1, 60, 0, 0x82};
    const Bytes noteAfterTheEnd = {0x81, 1};
    std::remove("dupentry.txt");
    for (const Bytes* rows : {&twiceInARow, &maskAtTheEnd, &noteAfterTheEnd}) {
        TrackerModuleAudioStream* stream = openModule(tinyItWithRows(*rows), "tiny.it");
        EXPECT_FALSE(stream->isOpen()) << rows->size();
        stream->decRef();
    }
    for (const Bytes* rows : {&inTwoRows, &twoChannels, &twiceWithoutEvents}) {
        TrackerModuleAudioStream* stream = openModule(tinyItWithRows(*rows), "tiny.it");
        EXPECT_TRUE(stream->isOpen()) << rows->size();
        stream->decRef();
    }
    std::FILE* report = std::fopen("dupentry.txt", "r");
    EXPECT_EQ(nullptr, report) << "DUMB wrote a report into the working directory";
    if (report)
        std::fclose(report);
}

TEST(TrackerModuleStream, ImpulseSamplesTheFileCannotHoldAreRefusedBeforeDumbAllocatesThem) {
    // Flags: 1 the sample exists, 2 16-bit, 4 stereo, 8 packed; the length as the header gives
    // it, which for a stereo sample counts both channels.
    struct Case {
        u8 flags;
        u32 length, dataBytes;
        bool opens;
    };
    const Case cases[] = {
        {1, 1000, 1000, true},         // 8-bit, all there
        {1 | 2, 1000, 2000, true},     // 16-bit, all there
        {1 | 2 | 4, 1000, 2000, true}, // 16-bit stereo: 500 frames of two values
        {1, 1000, 999, false},         // one byte short
        {1 | 2, 1000, 1999, false},
        {1, 0xfffffff0u, 16, false},     // 4 GiB declared in a small file
        {1 | 8, 0xfffffff0u, 16, false}, // packed: DUMB's unpacking would overflow
        {1 | 4 | 8, 100, 100, false},    // packed stereo: DUMB would exit the process
        {0, 0xfffffff0u, 0, true},       // no sample: nothing is read
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "flags " << int(c.flags) << " length " << c.length
                                        << " bytes " << c.dataBytes);
        TrackerModuleAudioStream* stream =
            openModule(tinyItWithSample(c.flags, c.length, c.dataBytes), "tiny.it");
        if (c.opens)
            EXPECT_TRUE(stream->isOpen());
        else
            EXPECT_FALSE(stream->isOpen());
        stream->decRef();
    }
}

TEST(TrackerModuleStream, EightChannelStarTrekkerModulesAreRefusedBeforeDumbCrashesOnThem) {
    // DUMB halves their pattern numbers through a pointer it has not set yet. The same module
    // tagged as a 4-channel one loads.
    Bytes mod = readFile(systemFile(realModules[0]));
    for (const char* tag : {"FLT4", "FLT8"}) {
        std::copy(tag, tag + 4, mod.begin() + 1080);
        TrackerModuleAudioStream* stream = openModule(mod, "star.mod");
        EXPECT_EQ(tag[3] == '4', stream->isOpen()) << tag;
        stream->decRef();
    }
}

TEST(TrackerModuleStreamLoader, AsksFirstForTheFourExtensionsAnywhereInTheName) {
    TrackerModuleStreamLoader loader(nullptr);
    for (const char* name : {"a.mod", "a.xm", "a.s3m", "a.it", "loop.it.wav", "a.model"})
        EXPECT_TRUE(loader.isALoadableFileExtension(name)) << name;
    for (const char* name : {"a.MOD", "a.wav", "a.ogg", "ait"})
        EXPECT_FALSE(loader.isALoadableFileExtension(name)) << name;
}

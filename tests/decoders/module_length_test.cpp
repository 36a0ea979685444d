// How long a module plays: what DUMB's run-through measures, within a bounded amount of work.
#include "ModuleStreams.h"
#include "TestFiles.h"
#include "TinyModules.h"
#include "decoders/ModuleLength.h"

#include <gtest/gtest.h>

#include <dumb.h>

#include <ctime>

using namespace nox::audio;
using namespace dravon_test;

namespace {

// IT effects: A sets the speed, B jumps to an order, C breaks to a row of the next pattern,
// S holds the pattern loop (SBx), pattern delay (SEx) and fine pattern delay (S6x), T sets or
// slides the tempo.
const int setSpeed = 1, jumpToOrder = 2, breakToRow = 3, special = 19, setTempo = 20;

void append(Bytes& rows, const Bytes& more, int times = 1) {
    for (int i = 0; i < times; ++i)
        rows.insert(rows.end(), more.begin(), more.end());
}

// Pattern loops nested `depth` deep, one channel each: row 0 marks the loop start on every
// channel, row 1 + c loops back to it 15 times on channel c. 16^depth passes at speed 1.
TinyIt nestedLoops(int depth) {
    TinyIt it;
    it.speed = 1;
    it.tempo = 255;
    it.rows = depth + 1;
    Bytes starts;
    for (int channel = 0; channel < depth; ++channel)
        append(starts, itEntry(channel, -1, special, 0xb0));
    starts.push_back(0);
    it.packedRows = starts;
    for (int channel = 0; channel < depth; ++channel)
        append(it.packedRows, itRow({itEntry(channel, -1, special, 0xbf)}));
    return it;
}

// Rows of `ticks` ticks at a tempo that makes a tick last exactly 1/64 s (1024 of DUMB's time
// units), without voices: `rows` rows at speed `speed`.
TinyIt exactTicks(int rows, int speed) {
    TinyIt it;
    it.speed = speed;
    it.tempo = 160;
    it.rows = rows;
    return it;
}

s32 frameCountOf(const TinyIt& it) {
    TrackerModuleAudioStream* stream = openModule(makeTinyIt(it), "measured.it");
    EXPECT_TRUE(stream->isOpen());
    s32 frames = stream->getFormat().frameCount;
    stream->decRef();
    return frames;
}

} // namespace

TEST(ModuleLength, IsWhatDumbsRunThroughMeasures) {
    struct Case {
        const char* path;
        DUH* (*read)(DUMBFILE*);
    };
    // The longest modules of each format among those installed.
    const Case real[] = {
        {"/usr/share/games/tecnoballz/musics/in-game-music-1_reg.mod", dumb_read_mod_quick},
        {"/usr/share/games/powermanga/sounds/music_congratulations.zik", dumb_read_xm_quick},
        {"/usr/share/games/pingus/data/music/gd-giirm.s3m", dumb_read_s3m_quick},
        {"/usr/share/games/pingus/data/music/rough_journey.it", dumb_read_it_quick},
    };
    for (const Case& c : real) {
        SCOPED_TRACE(c.path);
        const Bytes bytes = readFile(systemFile(c.path));
        TrackerModuleAudioStream* stream = openModule(bytes, "real");
        EXPECT_EQ(runThroughFrames(bytes, c.read), stream->getFormat().frameCount);
        stream->decRef();
    }
    // Built ones that loop, delay, slide the tempo, change the speed and jump.
    TinyIt busy;
    busy.orders = 3;
    busy.rows = 32;
    busy.speed = 3;
    append(busy.packedRows, itRow({itEntry(0, -1, special, 0xe2), itEntry(1, -1, setTempo, 0x05)}));
    append(busy.packedRows, itRow({}), 4);
    append(busy.packedRows, itRow({itEntry(0, -1, special, 0x63), itEntry(1, -1, setTempo, 0x1f)}));
    append(busy.packedRows, itRow({itEntry(0, -1, setSpeed, 2)}), 10);
    append(busy.packedRows, itRow({itEntry(2, -1, breakToRow, 4)}));
    append(busy.packedRows, itRow({itEntry(3, -1, jumpToOrder, 2)}), 15);
    // And one whose song plays no pattern at all.
    TinyIt silent;
    silent.orders = 0;
    for (const TinyIt& it : {nestedLoops(3), busy, silent}) {
        const Bytes bytes = makeTinyIt(it);
        EXPECT_EQ(runThroughFrames(bytes, dumb_read_it_quick), frameCountOf(it));
    }
}

TEST(ModuleLength, ModulesTooLongToMeasurePlayWithAnUnknownLength) {
    TinyIt manyRows = exactTicks(2000, 255);
    TinyIt delayed = exactTicks(200, 255);
    append(delayed.packedRows, itRow({itEntry(0, -1, special, 0xef)}), delayed.rows);
    for (const TinyIt& it : {nestedLoops(5), manyRows, delayed}) {
        TrackerModuleAudioStream* stream = openModule(makeTinyIt(it), "long.it");
        ASSERT_TRUE(stream->isOpen());
        EXPECT_EQ(-1, stream->getFormat().frameCount);
        std::vector<s16> frames(2 * 1000);
        EXPECT_EQ(1000, stream->readFrames(frames.data(), 1000));
        stream->decRef();
    }
}

TEST(ModuleLength, TheBoundIs40000TicksOfWork) {
    // 400 rows of 100 ticks of 1/64 s each.
    EXPECT_EQ(40000 * 16, moduleMeasureBudget);
    EXPECT_EQ(40000 * 44100LL / 64, frameCountOf(exactTicks(400, 100)));
    TinyIt oneTickMore = exactTicks(400, 100);
    oneTickMore.packedRows = itRow({itEntry(0, -1, special, 0x61)});
    EXPECT_EQ(-1, frameCountOf(oneTickMore));
}

TEST(ModuleLength, SoundingVoicesCountTowardsTheBound) {
    // 30000 ticks cost 480000; eight voices sounding in each of them 240000 more.
    TinyIt quiet = exactTicks(300, 100);
    EXPECT_EQ(30000 * 44100LL / 64, frameCountOf(quiet));
    TinyIt voiced = quiet;
    voiced.sampleFlags = 1;
    voiced.sampleLength = voiced.sampleDataBytes = 2000; // 7.6 s at C-0, a row lasts 1.6 s
    Bytes notes;
    for (int channel = 0; channel < 8; ++channel)
        append(notes, itEntry(channel, 0));
    notes.push_back(0);
    append(voiced.packedRows, notes, voiced.rows);
    EXPECT_EQ(-1, frameCountOf(voiced));
}

TEST(ModuleLength, AFrameCountBeyond32BitsIsUnknown) {
    // At tempo 1 a tick lasts 2.5 s: 19000 ticks make 2094750000 frames, 20000 ticks too many.
    TinyIt slowest = exactTicks(95, 200);
    slowest.tempo = 1;
    EXPECT_EQ(2094750000, frameCountOf(slowest));
    slowest.rows = 100;
    EXPECT_EQ(-1, frameCountOf(slowest));
}

TEST(ModuleLength, ShortLoopsPlayedHighDoNotSlowTheMeasure) {
    // 16 voices of a 2-value loop at B-9 of a sample whose C-5 plays 9999999 values a second:
    // DUMB used to walk the loop once per length, 2.4 billion times a second.
    TinyIt it = exactTicks(200, 1);
    it.sampleFlags = 1 | 16;
    it.sampleLength = it.loopEnd = it.sampleDataBytes = 2;
    it.c5Speed = 9999999;
    Bytes notes;
    for (int channel = 0; channel < 16; ++channel)
        append(notes, itEntry(channel, 119));
    it.packedRows = itRow({notes});
    const std::clock_t start = std::clock();
    const s32 frames = frameCountOf(it);
    const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    EXPECT_EQ(runThroughFrames(makeTinyIt(it), dumb_read_it_quick), frames);
    EXPECT_LT(seconds, 1.0);
}

TEST(ModuleLength, ShortLoopsPlayedHighAtASlowTempoStayWithinTheBound) {
    // 64 voices of a 2-value loop at B-9 cross their loop's end on each of DUMB's time units,
    // 5120 in a tick at tempo 32: with the loops on, reaching the bound took a minute of CPU.
    // Now a tenth of a second; the bound leaves room for slow sanitizer builds.
    TinyIt it = exactTicks(200, 255);
    it.tempo = 32;
    it.sampleFlags = 1 | 16;
    it.sampleLength = it.loopEnd = it.sampleDataBytes = 2;
    it.c5Speed = 9999999;
    Bytes notes;
    for (int channel = 0; channel < 64; ++channel)
        append(notes, itEntry(channel, 119));
    it.packedRows = itRow({notes});
    const std::clock_t start = std::clock();
    EXPECT_EQ(-1, frameCountOf(it));
    EXPECT_LT(static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC, 5.0);
}

TEST(ModuleLength, SampleLoopsPlayAgainAfterTheMeasure) {
    // A 64-value loop of a constant: without its loop the note would end after 8 ms.
    TinyIt it;
    it.sampleFlags = 1 | 16;
    it.sampleLength = it.loopEnd = it.sampleDataBytes = 64;
    it.packedRows = itRow({itEntry(0, 60)});
    TrackerModuleAudioStream* stream = openModule(makeTinyIt(it), "loop.it");
    std::vector<s16> frames(2 * 44100);
    ASSERT_EQ(44100, stream->readFrames(frames.data(), 44100));
    EXPECT_NE(0, frames.back());
    stream->decRef();
}

// Modules at the edges of DUMB's renderer: voices stepping tens of thousands of values per
// output frame, short loops played very high, and modules opened on several threads at once.
#include "ModuleStreams.h"
#include "TestFiles.h"
#include "TinyModules.h"
#include "decoders/WavAudioStream.h"
#include "drivers/mixer/SampleSource.h"

#include <gtest/gtest.h>

#include <dumb.h>

#include <ctime>
#include <thread>

using namespace nox::audio;
using namespace dravon_test;

namespace {

const int portamentoUp = 6; // IT effect F

//! A 64-value looped sample, C-5 playing `c5Speed` values a second, started on row 0 at `note`.
TinyIt loopedNote(std::uint32_t c5Speed, int note = 60) {
    TinyIt it;
    it.sampleFlags = 1 | 16;
    it.sampleLength = it.loopEnd = it.sampleDataBytes = 64;
    it.c5Speed = c5Speed;
    it.packedRows = itRow({itEntry(0, note)});
    return it;
}

//! Opens the module, checks that its length is DUMB's own measure and that it renders that
//! long (DUMB's measure rounds a frame or two apart from its rendering).
void expectMeasuredAndPlayedToItsEnd(const TinyIt& it) {
    const Bytes bytes = makeTinyIt(it);
    TrackerModuleAudioStream* stream = openModule(bytes, "extreme.it");
    ASSERT_TRUE(stream->isOpen());
    const s32 frames = stream->getFormat().frameCount;
    EXPECT_GT(frames, 0);
    EXPECT_EQ(runThroughFrames(bytes, dumb_read_it_quick), frames);
    EXPECT_NEAR(frames, renderToEnd(stream, 4096), 2);
    stream->decRef();
}

//! The first `count` frames of the module in `bytes`.
std::vector<s16> firstFrames(const Bytes& bytes, s32 count) {
    TrackerModuleAudioStream* stream = openModule(bytes, "module.it");
    std::vector<s16> frames(2 * static_cast<size_t>(count));
    frames.resize(2 * static_cast<size_t>(stream->readFrames(frames.data(), count)));
    stream->decRef();
    return frames;
}

} // namespace

// These hung DUMB's resampler: a step of 32768 values or more overflowed its fixed point, and
// the resampler never advanced again. The test's timeout catches a hang.
TEST(ModuleExtremes, AVoiceSteppingBeyond32767ValuesAFrameMeasuresAndPlays) {
    // C-5 steps 43776 values a tick unit when measuring, 65000 a frame when playing.
    expectMeasuredAndPlayedToItsEnd(loopedNote(2868912299u));
}

TEST(ModuleExtremes, AnAmigaSlideToTheTopPlaysToItsEnd) {
    // Sliding C-5 of an 8062 Hz sample up by 16 a tick passes 37000 values a frame on the tick
    // before the slide would cut the voice.
    TinyIt it = loopedNote(8062);
    it.linearSlides = false;
    it.speed = 16;
    it.rows = 40;
    it.packedRows = itRow({itEntry(0, 60, portamentoUp, 1)});
    for (int row = 1; row < it.rows; ++row) {
        const Bytes slide = itRow({itEntry(0, -1, portamentoUp, 1)});
        it.packedRows.insert(it.packedRows.end(), slide.begin(), slide.end());
    }
    expectMeasuredAndPlayedToItsEnd(it);
}

TEST(ModuleExtremes, AVoiceThatBarelyMovesMeasuresAndPlays) {
    // C-0 of a sample whose C-5 plays 1 value a second, or none: the step rounded to 0 and
    // DUMB's resampler divided by zero, with either kind of slides.
    for (std::uint32_t c5Speed : {0u, 1u})
        for (bool linear : {true, false}) {
            SCOPED_TRACE(testing::Message() << c5Speed << (linear ? " linear" : " Amiga"));
            TinyIt it = loopedNote(c5Speed, 0);
            it.linearSlides = linear;
            expectMeasuredAndPlayedToItsEnd(it);
        }
}

TEST(ModuleExtremes, ShortLoopsPlayedVeryHighRenderASecondInLittleTime) {
    // 64 voices of a 2-value loop at B-9 of a sample whose C-5 plays 9999999 values a second:
    // each steps 6850 values, 3425 loops, per frame. DUMB walked such a loop one length at a
    // time: 28 s of CPU for this second. Now a few hundredths; the bound leaves room for slow
    // sanitizer builds.
    TinyIt it;
    it.sampleFlags = 1 | 16;
    it.sampleLength = it.loopEnd = it.sampleDataBytes = 2;
    it.c5Speed = 9999999;
    for (int channel = 0; channel < 64; ++channel) {
        const Bytes note = itEntry(channel, 119);
        it.packedRows.insert(it.packedRows.end(), note.begin(), note.end());
    }
    it.packedRows.push_back(0);
    TrackerModuleAudioStream* stream = openModule(makeTinyIt(it), "high.it");
    std::vector<s16> frames(2 * 44100);
    const std::clock_t start = std::clock();
    EXPECT_EQ(44100, stream->readFrames(frames.data(), 44100));
    EXPECT_LT(static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC, 5.0);
    stream->decRef();
}

TEST(ModuleThreads, PackedSamplesUnpackOnSeveralThreadsAtOnce) {
    // DUMB's IT reader unpacked samples through process-wide variables: two loads at once
    // shared one buffer, read each other's data and freed it twice. ThreadSanitizer reports
    // every such overlap; other builds crash on some runs.
    TinyIt it = loopedNote(8363);
    it.sampleFlags = 1 | 8;
    it.sampleLength = 64 * 0x8000;
    it.sampleDataBytes = 64 * (2 + 0x1010);
    const Bytes bytes = makeTinyIt(it);
    const std::vector<s16> expected = firstFrames(bytes, 4096);
    ASSERT_EQ(2u * 4096, expected.size());
    auto load = [&](bool* same) {
        for (int i = 0; i < 10 && *same; ++i)
            *same = firstFrames(bytes, 4096) == expected;
    };
    bool first = true, second = true;
    std::thread a(load, &first), b(load, &second);
    a.join();
    b.join();
    EXPECT_TRUE(first);
    EXPECT_TRUE(second);
}

TEST(ModuleThreads, ResamplerTablesAreReadyBeforeAnyThreadResamples) {
    // DUMB fills its resampler tables on first use without a lock. Two threads open modules
    // (measuring one runs the resampler) while a third converts a stream's rate, all first
    // users in this process; ThreadSanitizer watches the tables.
    const Bytes module = makeTinyIt(loopedNote(8363));
    const Bytes wav = makeWav16(1, 22050, patternSamples(4000));
    auto convert = [&wav](std::vector<s16>* frames) {
        IInputFile* file = memoryFile(wav, "mono.wav");
        IAudioStream* stream = new WavAudioStream(file);
        file->decRef();
        SampleSource* source = createSampleSource(44100, stream);
        stream->decRef();
        frames->resize(2 * 8000);
        frames->resize(2 * static_cast<size_t>(source->read(frames->data(), 8000)));
        source->decRef();
    };
    std::vector<s16> converted, opened[2];
    std::thread resampling(convert, &converted);
    std::thread a([&] { opened[0] = firstFrames(module, 1000); });
    std::thread b([&] { opened[1] = firstFrames(module, 1000); });
    resampling.join();
    a.join();
    b.join();
    std::vector<s16> again;
    convert(&again);
    EXPECT_EQ(again, converted);
    EXPECT_EQ(firstFrames(module, 1000), opened[0]);
    EXPECT_EQ(opened[0], opened[1]);
}

// Modules of 15 samples have no signature: DUMB's MOD reader takes any file without a later
// format's tag for one. Only headers that such a tracker could have written are let through.
#include "LogCapture.h"
#include "ModuleStreams.h"
#include "NonModuleFiles.h"
#include "TestFiles.h"
#include "TinyModules.h"
#include "dravon/dravon.h"
#include "engine/SoundEngine.h"

#include <gtest/gtest.h>

#include <dumb.h>

#include <string>

using namespace nox::audio;
using namespace dravon_test;

namespace {

// Two patterns of 64 rows at 10 rows a second.
const s32 genuineFrames = 128 * 44100 / 10;

SoundTrackerModule genuine() {
    SoundTrackerModule module;
    module.samples = {{"st-01:bass", 200, 0, 64, 0, 1}, {"st-01:snare", 100, 0, 40, 10, 40}};
    module.songLength = 2;
    module.order = {0, 1};
    return module;
}

bool opens(const Bytes& bytes) {
    TrackerModuleAudioStream* stream = openModule(bytes, "file");
    bool open = stream->isOpen();
    stream->decRef();
    return open;
}

} // namespace

TEST(FifteenSampleModule, GenuineOnesLoadWithTheirQuirks) {
    SoundTrackerModule spaces = genuine();
    spaces.title = "st-demo             ";
    spaces.samples[0].name = "st-01:bass            ";
    SoundTrackerModule leftovers = genuine();
    leftovers.samples[0].name = std::string("st-01:bass\0\x01\xff", 13);
    SoundTrackerModule latin = genuine();
    latin.title = "d\xe9j\xe0 vu";
    // The first tracker counted the loop start in bytes: 300 of a 400-byte sample.
    SoundTrackerModule loopInBytes = genuine();
    loopInBytes.samples[0].loopStart = 300;
    loopInBytes.samples[0].loopWords = 50;
    for (const SoundTrackerModule& module : {genuine(), spaces, leftovers, latin, loopInBytes}) {
        SCOPED_TRACE(module.title);
        TrackerModuleAudioStream* stream = openModule(makeSoundTrackerModule(module), "st.mod");
        ASSERT_TRUE(stream->isOpen());
        EXPECT_NEAR(genuineFrames, stream->getFormat().frameCount, 2);
        stream->decRef();
    }
}

TEST(FifteenSampleModule, HeadersNoTrackerWroteAreRefused) {
    struct Case {
        const char* change;
        void (*apply)(SoundTrackerModule&);
        bool opens;
    };
    const Case cases[] = {
        {"control character in the title", [](SoundTrackerModule& m) { m.title = "st\x01"; },
         false},
        {"DEL in a name", [](SoundTrackerModule& m) { m.samples[1].name = "a\x7f"; }, false},
        {"C1 control in a name", [](SoundTrackerModule& m) { m.samples[1].name = "a\x9f"; }, false},
        {"volume 65", [](SoundTrackerModule& m) { m.samples[1].volume = 65; }, false},
        {"finetune 1", [](SoundTrackerModule& m) { m.samples[1].finetune = 1; }, false},
        {"song length 0", [](SoundTrackerModule& m) { m.songLength = 0; }, false},
        {"song length 128", [](SoundTrackerModule& m) { m.songLength = 128; }, true},
        {"song length 129", [](SoundTrackerModule& m) { m.songLength = 129; }, false},
        {"pattern 127", [](SoundTrackerModule& m) { m.order[1] = 127; }, true},
        {"pattern 128", [](SoundTrackerModule& m) { m.order[1] = 128; }, false},
        // 400 bytes: a loop from byte 402 (word 201) to 802 reaches one word beyond twice it.
        {"loop to twice the sample",
         [](SoundTrackerModule& m) { m.samples[0].loopStart = 201, m.samples[0].loopWords = 200; },
         true},
        {"loop beyond twice the sample",
         [](SoundTrackerModule& m) { m.samples[0].loopStart = 201, m.samples[0].loopWords = 201; },
         false},
    };
    for (const Case& c : cases) {
        SoundTrackerModule module = genuine();
        c.apply(module);
        EXPECT_EQ(c.opens, opens(makeSoundTrackerModule(module))) << c.change;
    }
    // Sample data one byte short of what the header asks for.
    Bytes cut = makeSoundTrackerModule(genuine());
    cut.pop_back();
    EXPECT_FALSE(opens(cut));
}

TEST(FifteenSampleModule, FilesOfOtherFormatsAreNotTakenForModules) {
    // Each of them large enough for DUMB to take for a module: a recording whose first samples
    // hold a small offset, then a tone, and files that hold two minutes of compressed music.
    std::vector<s16> recording(8000);
    for (std::size_t i = 0; i < recording.size(); ++i)
        recording[i] = static_cast<s16>(i < 300 ? 1 : i % 40 < 20 ? 8000 : -8000);
    struct Case {
        const char* kind;
        Bytes bytes;
    };
    const Case cases[] = {
        {"wav", makeWav16(1, 8000, recording)},
        {"ogg", makeOggFile(2000000, 5)},
        {"mp3", makeMp3File(2000000, 5)},
        {"zip", makeStoredZip("music.mp3", noise(2000000, 5))},
    };
    TrackerModuleStreamLoader loader(nullptr);
    for (const Case& c : cases) {
        IInputFile* file = memoryFile(c.bytes, "file");
        EXPECT_EQ(nullptr, loader.createAudioStream(file)) << c.kind;
        file->decRef();
    }
}

TEST(FifteenSampleModule, RandomDataIsNeverTakenForAModule) {
    const std::size_t sizes[] = {1000, 100000, 1000000, 2000000};
    for (unsigned seed = 0; seed < 40; ++seed)
        EXPECT_FALSE(opens(noise(sizes[seed % 4], seed))) << seed;
}

TEST(FifteenSampleModule, AnImpulseModuleWithoutItsMagicIsNotTakenForOne) {
    // Read as 15 sample headers and patterns, its first bytes ask for 540 KB of data: a sample
    // of 600 KB provides them.
    TinyIt it;
    it.sampleFlags = 1;
    it.sampleLength = it.sampleDataBytes = 600000;
    Bytes bytes = makeTinyIt(it);
    ASSERT_TRUE(opens(bytes));
    std::fill(bytes.begin(), bytes.begin() + 4, 0);
    EXPECT_FALSE(opens(bytes));
}

TEST(FifteenSampleModule, AnXmThatWasTakenForOneLoadsAsXm) {
    // The MOD reader, asked first, took this whole 96-second module for 0.36 s of noise.
    const Bytes xm = readFile(systemFile("/usr/share/games/powermanga/sounds/music_game.zik"));
    TrackerModuleAudioStream* stream = openModule(xm, "music_game.zik");
    ASSERT_TRUE(stream->isOpen());
    EXPECT_EQ(runThroughFrames(xm, dumb_read_xm_quick), stream->getFormat().frameCount);
    stream->decRef();
}

TEST(FifteenSampleModule, AWavWithoutAnExtensionOpensAsWav) {
    // Without an extension every loader is asked, the module loader first.
    std::vector<s16> recording(8000, 1);
    ISoundEngine* created = nullptr;
    {
        StdoutCapture quiet;
        created = createDravonDevice(OUTPUT_DRIVER_NULL, 0, DRAVON_SDK_VERSION);
    }
    IInputFile* file = memoryFile(makeWav16(1, 8000, recording), "recording");
    IAudioStream* stream = static_cast<SoundEngine*>(created)->openAudioStream(file);
    ASSERT_NE(nullptr, stream);
    EXPECT_EQ(8000, stream->getFormat().sampleRate);
    stream->decRef();
    file->decRef();
    created->decRef();
}

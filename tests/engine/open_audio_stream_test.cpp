// The loader choice: lower-cased names, two passes from the newest loader down, rewinding
// between attempts, and the two failure lines.
#include "EngineFixtures.h"

#include "dravon/dravon.h"

#include <gtest/gtest.h>

using namespace dravon_test;

class OpenAudioStreamTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        // Registered after "fake", so asked in the order "it", "wav", "fake".
        for (FakeStreamLoader* extra : {new FakeStreamLoader("wav", ".wav", &journal, "WAVE"),
                                        new FakeStreamLoader("it", ".it", &journal, "ITMO")}) {
            engine->registerAudioStreamLoader(extra);
            extra->decRef();
        }
    }

    //! Opens `content` under `name`, returning the sample rate of the stream or 0, and keeps
    //! the engine's lines.
    s32 open(const Bytes& content, const char* name) {
        journal.clear();
        IInputFile* file = memoryFile(content, name);
        StdoutCapture out;
        IAudioStream* stream = engine->openAudioStream(file);
        lines = out.takeLines();
        s32 rate = stream ? stream->getFormat().sampleRate : 0;
        fileReferences = file->getReferenceCount();
        if (stream)
            stream->decRef();
        file->decRef();
        return rate;
    }

    std::vector<std::string> lines;
    s32 fileReferences = 0;
};

TEST_F(OpenAudioStreamTest, NameIsLowerCasedBeforeTheExtensionTest) {
    EXPECT_EQ(open(fakeStreamFile(1, 1, 8000, ESF_S16, 1, "WAVE"), "Boom.WAV"), 8000);
    EXPECT_EQ(journal,
              (std::vector<std::string>{"it ext boom.wav", "wav ext boom.wav", "wav open at 0"}));
    EXPECT_TRUE(lines.empty());
}

TEST_F(OpenAudioStreamTest, FirstPassFailureRewindsForTheNextLoader) {
    EXPECT_EQ(open(fakeStreamFile(1, 1, 11025, ESF_S16, 1, "WAVE"), "Loop.IT.wav"), 11025);
    EXPECT_EQ(journal, (std::vector<std::string>{"it ext loop.it.wav", "it open at 0",
                                                 "wav ext loop.it.wav", "wav open at 0"}));
}

TEST_F(OpenAudioStreamTest, SecondPassAsksEveryLoaderNewestFirst) {
    EXPECT_EQ(open(fakeStreamFile(1, 1, 22050, ESF_S16, 1, "FAKE"), "sound.dat"), 22050);
    EXPECT_EQ(journal, (std::vector<std::string>{"it ext sound.dat", "wav ext sound.dat",
                                                 "fake ext sound.dat", "it open at 0",
                                                 "wav open at 0", "fake open at 0"}));
}

TEST_F(OpenAudioStreamTest, LoadersThatFailedTheFirstPassAreAskedAgain) {
    // Named for "it" but holding "wav" content: "it" fails twice, "wav" wins in the second pass.
    EXPECT_EQ(open(fakeStreamFile(1, 1, 16000, ESF_S16, 1, "WAVE"), "x.it"), 16000);
    EXPECT_EQ(journal,
              (std::vector<std::string>{"it ext x.it", "it open at 0", "wav ext x.it",
                                        "fake ext x.it", "it open at 0", "wav open at 0"}));
}

TEST_F(OpenAudioStreamTest, MissingMp3PluginIsNamed) {
    EXPECT_EQ(open(Bytes(64, 0x11), "Music.MP3"), 0);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "Could not open audio stream for sound file (maybe the Dravon mp3 "
                            "plugin is missing?): music.mp3");
    EXPECT_EQ(fileReferences, 1) << "failed loaders leave no reference behind";
    EXPECT_EQ(open(Bytes(64, 0x11), "music.xyz"), 0);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "Could not open audio stream for sound file: music.xyz");
}

TEST(BuiltInLoaders, TrackerModulesAreAskedBeforeWav) {
    ISoundEngine* created = nullptr;
    {
        StdoutCapture quiet;
        created = createDravonDevice(OUTPUT_DRIVER_NULL, 0, DRAVON_SDK_VERSION);
    }
    SoundEngine* engine = static_cast<SoundEngine*>(created);
    // The module reader reads into the file before it gives up; the WAV reader only succeeds
    // on a rewound file.
    IInputFile* file = memoryFile(makeWav16(2, 32000, patternSamples(64)), "loop.it.wav");
    StdoutCapture out;
    IAudioStream* stream = engine->openAudioStream(file);
    EXPECT_EQ(out.take(), "");
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->getFormat().sampleRate, 32000);
    EXPECT_EQ(file->getReferenceCount(), 2) << "the stream holds the file";
    stream->decRef();
    file->decRef();
    created->decRef();
}

// Lengths that a file claims never size memory: a claim that does not fit a 32-bit count
// streams, and a sound decoded whole holds only the frames that really arrive.
#include "EngineFixtures.h"
#include "OggBuilder.h"
#include "PeakMemory.h"

#include "engine/SoundSource.h"

#include <gtest/gtest.h>

using namespace dravon_test;

namespace {

const std::int64_t allowedGrowth = 64 << 20;

SoundSource* fileSource(ISoundSource* source) {
    return static_cast<SoundSource*>(source);
}

class ClaimedLengthTest : public EngineTest {
protected:
    //! Plays `source` once, paused; the sound is released at once.
    void playOnce(ISoundSource* source) {
        IPlayingSound* sound = api()->play2D(source, false, true, false);
        if (sound)
            sound->decRef();
    }
};

} // namespace

TEST_F(ClaimedLengthTest, StreamsThatClaimMoreThanTheyDeliverCostOnlyWhatTheyDeliver) {
    // 2^29 stereo 16-bit frames are 2^31 bytes: the size wraps in a signed 32-bit count.
    provider->add("wrapped.fake", fakeStreamFile(2, 1 << 29, 44100, ESF_S16, 1000));
    // 400 MB claimed, 3000 frames delivered, to be decoded whole whatever its size.
    provider->add("huge.fake", fakeStreamFile(1, 200000000, 44100, ESF_S16, 3000));
    provider->add("wrapped-never.fake", fakeStreamFile(2, 1 << 29, 44100, ESF_S16, 1000));
    const std::int64_t before = peakResidentBytes();

    ISoundSource* wrapped = engine->getSoundSource("wrapped.fake");
    playOnce(wrapped);
    EXPECT_EQ(wrapped->getStreamMode(), SOURCE_STREAM_ALWAYS);

    ISoundSource* huge = engine->addSoundSourceFromFile("huge.fake", SOURCE_STREAM_NEVER);
    huge->setForcedStreamingThreshold(0);
    playOnce(huge);
    ASSERT_EQ(huge->getStreamMode(), SOURCE_STREAM_NEVER);
    SampleBuffer* samples = fileSource(huge)->getSampleBuffer();
    ASSERT_NE(samples, nullptr);
    EXPECT_EQ(samples->format.frameCount, 3000);
    EXPECT_EQ(samples->data[2 * 3000 - 1], 0x5A);

    ISoundSource* never = engine->addSoundSourceFromFile("wrapped-never.fake", SOURCE_STREAM_NEVER);
    never->setForcedStreamingThreshold(0);
    StdoutCapture out;
    playOnce(never);
    EXPECT_EQ(out.takeLines(), (std::vector<std::string>{"No streaming was specified, but forcing "
                                                         "to play sound streamed: "
                                                         "wrapped-never.fake"}));
    EXPECT_EQ(never->getStreamMode(), SOURCE_STREAM_ALWAYS);

    EXPECT_EQ(engine->madeFromStream, (std::vector<bool>{true, false, true}));
    EXPECT_LT(peakResidentBytes() - before, allowedGrowth);
}

TEST_F(ClaimedLengthTest, OggVorbisWithAForgedLastGranulePosition) {
    const int rate = 22050, frames = 22050;
    const Bytes real = makeOggVorbis(rate, frames);
    // The length of an Ogg Vorbis file is the granule position of its last page.
    Bytes wrapping = real;
    setLastGranule(wrapping, 1 << 30); // 2^31 bytes of mono 16-bit samples
    provider->add("wrapping.ogg", wrapping);
    Bytes huge = real;
    setLastGranule(huge, 300000000); // 600 MB
    IInputFile* file = memoryFile(huge, "huge.ogg");
    IAudioStream* stream = engine->openAudioStream(file);
    file->decRef();
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->getFormat().frameCount, 300000000) << "the forged length is read";
    stream->decRef();
    const std::int64_t before = peakResidentBytes();

    ISoundSource* wrapped = engine->getSoundSource("wrapping.ogg");
    playOnce(wrapped);
    EXPECT_EQ(wrapped->getStreamMode(), SOURCE_STREAM_ALWAYS);

    ISoundSource* whole =
        engine->addSoundSourceFromMemory(huge.data(), static_cast<int>(huge.size()), "huge.ogg");
    whole->setForcedStreamingThreshold(0);
    playOnce(whole);
    ASSERT_EQ(whole->getStreamMode(), SOURCE_STREAM_NEVER);
    SampleBuffer* samples = fileSource(whole)->getSampleBuffer();
    ASSERT_NE(samples, nullptr);
    // Without the true end the decoder keeps the padding of the last block.
    EXPECT_GE(samples->format.frameCount, frames);
    EXPECT_LT(samples->format.frameCount, frames + 4096);

    const std::int64_t growth = peakResidentBytes() - before;
    RecordProperty("peak_growth_bytes", static_cast<int>(growth));
    EXPECT_LT(growth, allowedGrowth + 2 * frames);
}

// Sample sources: the choice of path, 8-bit widening, resampling, stream ends, restarts; and
// the memory stream under decoded sounds.
#include "LogCapture.h"
#include "MixerFixtures.h"
#include "drivers/mixer/DirectSampleSource.h"
#include "drivers/mixer/MemoryAudioStream.h"
#include "drivers/mixer/ResamplingSampleSource.h"

#include <gtest/gtest.h>

using namespace nox::audio;
using dravon_test::Bytes;
using dravon_test::constant;
using dravon_test::formatOf;
using dravon_test::VectorStream;

namespace {

const u32 mixingRate = 44100;

// A new source over `stream` and the caller's reference to it dropped: the source holds it.
SampleSource* sourceOver(IAudioStream* stream) {
    SampleSource* source = createSampleSource(mixingRate, stream);
    stream->decRef();
    return source;
}

std::vector<s16> readFrom(SampleSource* source, s32 frameCount, s32* read = nullptr) {
    std::vector<s16> frames(2 * static_cast<size_t>(frameCount), 0x5A5A);
    s32 n = source->read(frames.data(), frameCount);
    if (read)
        *read = n;
    frames.resize(2 * static_cast<size_t>(n < 0 ? 0 : n));
    return frames;
}

TEST(SampleSource, OnlyStereo16BitAtTheMixingRateTakesTheDirectPathAndComesOutBitForBit) {
    std::vector<s16> samples = dravon_test::patternSamples(2 * 3000);
    SampleSource* direct = sourceOver(new VectorStream(2, 44100, samples));
    EXPECT_NE(dynamic_cast<DirectSampleSource*>(direct), nullptr);
    EXPECT_EQ(direct->getOutputFormat().frameCount, 3000);
    EXPECT_EQ(readFrom(direct, 3000), samples);
    direct->decRef();

    const AudioStreamFormat others[] = {formatOf(2, 48000, ESF_S16, 10),
                                        formatOf(1, 44100, ESF_S16, 10),
                                        formatOf(2, 44100, ESF_U8, 10)};
    for (const AudioStreamFormat& format : others) {
        SampleSource* source = sourceOver(new VectorStream(format, Bytes(40, 0)));
        EXPECT_NE(dynamic_cast<ResamplingSampleSource*>(source), nullptr);
        const AudioStreamFormat& output = source->getOutputFormat();
        EXPECT_EQ(output.channelCount, 2);
        EXPECT_EQ(output.sampleFormat, ESF_S16);
        EXPECT_EQ(output.sampleRate, 44100);
        EXPECT_EQ(output.frameCount, 10);
        source->decRef();
    }
}

TEST(SampleSource, EightBitSamplesAreWidenedAroundTheirMiddle) {
    ResamplingSampleSource* stereo = static_cast<ResamplingSampleSource*>(
        sourceOver(new VectorStream(formatOf(2, 44100, ESF_U8, 3), {0, 128, 255, 0, 128, 255})));
    ASSERT_EQ(stereo->getBlockLength(), 3);
    EXPECT_EQ(std::vector<s32>(stereo->getBlock(0), stereo->getBlock(0) + 3),
              (std::vector<s32>{-32768, 32512, 0}));
    EXPECT_EQ(std::vector<s32>(stereo->getBlock(1), stereo->getBlock(1) + 3),
              (std::vector<s32>{0, -32768, 32512}));
    stereo->decRef();
    ResamplingSampleSource* mono = static_cast<ResamplingSampleSource*>(
        sourceOver(new VectorStream(formatOf(1, 22050, ESF_U8, 4), {0, 127, 129, 255})));
    EXPECT_EQ(std::vector<s32>(mono->getBlock(0), mono->getBlock(0) + 4),
              (std::vector<s32>{-32768, -256, 256, 32512}));
    mono->decRef();
}

TEST(SampleSource, A22050HzMonoStreamGivesTwoIdenticalChannelFramesPerSourceFrame) {
    // A constant signal stays (nearly: the resampler works in fixed point) constant once the
    // interpolation history is full.
    SampleSource* source = sourceOver(new VectorStream(1, 22050, constant(1000, 1000)));
    s32 read = 0;
    std::vector<s16> frames = readFrom(source, 4000, &read);
    EXPECT_GE(read, 1996);
    EXPECT_LE(read, 2000);
    for (s32 i = 0; i < read; ++i)
        ASSERT_EQ(frames[2 * i], frames[2 * i + 1]) << "frame " << i;
    for (s32 i = 8; i < read - 8; ++i)
        ASSERT_NEAR(frames[2 * i], 1000, 4) << "frame " << i;
    EXPECT_EQ(readFrom(source, 10).size(), 0u);
    source->decRef();
}

TEST(SampleSource, StereoChannelsStayAlikeAcrossBlockBoundaries) {
    // 5000 frames span three blocks; identical channels must come out identical everywhere,
    // including where a read ends a block and the next one starts the next block.
    std::vector<s16> mono = dravon_test::patternSamples(5000);
    std::vector<s16> stereo;
    for (s16 s : mono) {
        stereo.push_back(static_cast<s16>(s / 2));
        stereo.push_back(static_cast<s16>(s / 2));
    }
    SampleSource* source = sourceOver(new VectorStream(2, 22050, stereo));
    s32 total = 0;
    for (s32 request : {700, 4096, 1, 2048, 3000, 4096}) {
        s32 read = 0;
        std::vector<s16> frames = readFrom(source, request, &read);
        for (s32 i = 0; i < read; ++i)
            ASSERT_EQ(frames[2 * i], frames[2 * i + 1]) << "frame " << total + i;
        total += read;
    }
    EXPECT_GE(total, 9990);
    EXPECT_LE(total, 10000);
    source->decRef();
}

TEST(SampleSource, AfterTheLastFramesAReadIsShortAndTheNextOneEmpty) {
    SampleSource* direct = sourceOver(new VectorStream(2, 44100, constant(2 * 300, 7)));
    SampleSource* resampled = sourceOver(new VectorStream(2, 48000, constant(2 * 3000, 7)));
    s32 read = 0;
    readFrom(direct, 256, &read);
    EXPECT_EQ(read, 256);
    readFrom(direct, 256, &read);
    EXPECT_EQ(read, 44);
    readFrom(direct, 256, &read);
    EXPECT_EQ(read, 0);
    // 3000 frames at 48000 Hz are about 2756 at 44100.
    s32 total = 0;
    do {
        readFrom(resampled, 1000, &read);
        total += read;
    } while (read == 1000);
    EXPECT_GT(read, 0);
    EXPECT_NEAR(total, 2756, 3);
    readFrom(resampled, 1000, &read);
    EXPECT_EQ(read, 0);
    direct->decRef();
    resampled->decRef();
}

TEST(SampleSource, ARestartPlaysLikeANewSourceAndARefusedPositionChangesNothing) {
    std::vector<s16> samples = dravon_test::patternSamples(3000);
    VectorStream* stream = new VectorStream(1, 32000, samples);
    stream->incRef();
    SampleSource* source = sourceOver(stream);
    SampleSource* fresh = sourceOver(new VectorStream(1, 32000, samples));
    std::vector<s16> first = readFrom(fresh, 3000);
    readFrom(source, 2500);
    EXPECT_TRUE(source->setPosition(0));
    EXPECT_EQ(readFrom(source, 3000), first);

    SampleSource* twin = sourceOver(new VectorStream(1, 32000, samples));
    readFrom(source, 100);
    EXPECT_TRUE(source->setPosition(0));
    readFrom(source, 100);
    readFrom(twin, 100);
    stream->refusesPositions = true;
    EXPECT_FALSE(source->setPosition(0));
    EXPECT_EQ(readFrom(source, 2000), readFrom(twin, 2000));
    source->decRef();
    fresh->decRef();
    twin->decRef();
    stream->decRef();
}

TEST(SampleSource, FormatsTheMixerCannotPlayMakeNoSourceAndSayWhy) {
    // The logger lives while an engine does.
    dravon_test::TestMixingEngine* engine = dravon_test::makeTestMixingEngine();
    for (const AudioStreamFormat& format :
         {formatOf(3, 44100, ESF_S16, 10), formatOf(2, 0, ESF_S16, 10),
          formatOf(2, 44100, static_cast<E_SAMPLE_FORMAT>(7), 10)}) {
        dravon_test::StdoutCapture out;
        VectorStream* stream = new VectorStream(format, Bytes(120, 0));
        EXPECT_EQ(createSampleSource(mixingRate, stream), nullptr);
        EXPECT_EQ(out.takeLines(), (std::vector<std::string>{
                                       "The software mixer plays only mono and stereo 8-bit or "
                                       "16-bit sounds of up to 768000 Hz."}));
        stream->decRef();
    }
    engine->decRef();
}

TEST(MemoryAudioStream, DeliversItsFramesOnceAndAgainAfterARestart) {
    AudioStreamFormat format = formatOf(2, 44100, ESF_S16, 1000);
    std::vector<s16> samples = dravon_test::patternSamples(2000);
    SampleBuffer* buffer = new SampleBuffer(format, samples.data());
    MemoryAudioStream* stream = new MemoryAudioStream(buffer);
    buffer->decRef(); // the stream holds it
    std::vector<s16> target(2 * 600);
    EXPECT_EQ(stream->readFrames(target.data(), 600), 600);
    EXPECT_EQ(stream->readFrames(target.data(), 600), 400);
    EXPECT_EQ(std::vector<s16>(target.begin(), target.begin() + 800),
              std::vector<s16>(samples.begin() + 1200, samples.end()));
    EXPECT_EQ(stream->readFrames(target.data(), 600), 0);
    EXPECT_TRUE(stream->setPosition(0));
    EXPECT_EQ(stream->readFrames(target.data(), 600), 600);
    EXPECT_EQ(std::vector<s16>(target.begin(), target.begin() + 4),
              (std::vector<s16>{11, 48, 85, 122}));
    EXPECT_FALSE(stream->setPosition(1001));
    EXPECT_TRUE(stream->setPosition(1000));
    EXPECT_EQ(stream->readFrames(target.data(), 1), 0);
    stream->decRef();
}

} // namespace

// The optimised mixer kernels against their scalar twins, bit for bit.
#include "dsp/MixKernels.h"

#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <vector>

using namespace nox::audio;

namespace {

// Lengths around every vector width, and one long run; each also from an odd start address.
const s32 lengths[] = {0, 1, 3, 4, 5, 7, 8, 9, 15, 16, 17, 31, 33, 64, 255, 4096};

std::mt19937 randomness(1234);

std::vector<s16> randomSamples(size_t count) {
    // Mostly random, with the extremes mixed in.
    std::uniform_int_distribution<int> value(-32768, 32767), pick(0, 9);
    std::vector<s16> samples(count);
    for (s16& s : samples) {
        int p = pick(randomness);
        s = static_cast<s16>(p == 0 ? -32768 : p == 1 ? 32767 : value(randomness));
    }
    return samples;
}

std::vector<s32> randomSums(size_t count) {
    std::uniform_int_distribution<s32> wide(-200000, 200000), pick(0, 5);
    std::vector<s32> values(count);
    for (s32& v : values) {
        int p = pick(randomness);
        v = p == 0   ? std::numeric_limits<s32>::min()
            : p == 1 ? std::numeric_limits<s32>::max()
                     : wide(randomness);
    }
    return values;
}

} // namespace

TEST(MixKernels, AddAndClampMatchTheirScalarTwins) {
    for (s32 length : lengths) {
        for (s32 start : {0, 1}) {
            std::vector<s16> samples = randomSamples(length + start);
            std::vector<s32> fast = randomSums(length + start);
            for (s32& v : fast) // room for the additions, so that no sum overflows
                v /= 2;
            std::vector<s32> plain = fast;
            addSamples(fast.data() + start, samples.data() + start, length);
            addSamplesScalar(plain.data() + start, samples.data() + start, length);
            ASSERT_EQ(fast, plain) << "add, length " << length << ", start " << start;

            std::vector<s32> sums = randomSums(length + start);
            std::vector<s16> clampedFast(length + start, 99), clampedPlain(length + start, 99);
            clampToS16(clampedFast.data() + start, sums.data() + start, length);
            clampToS16Scalar(clampedPlain.data() + start, sums.data() + start, length);
            ASSERT_EQ(clampedFast, clampedPlain) << "clamp, length " << length;
        }
    }
}

TEST(MixKernels, ScaleMatchesItsScalarTwinForEveryKindOfGain) {
    const f32 gains[] = {0.0f,
                         -0.0f,
                         0.5f,
                         0.99f,
                         1.0f,
                         1.5f,
                         -0.7f,
                         3.0e-5f,
                         40000.0f,
                         limitGain(std::numeric_limits<f32>::infinity()),
                         limitGain(-std::numeric_limits<f32>::infinity()),
                         limitGain(std::numeric_limits<f32>::quiet_NaN())};
    for (s32 length : lengths) {
        for (f32 left : gains) {
            f32 right = gains[(length + 3) % (sizeof(gains) / sizeof(gains[0]))];
            std::vector<s16> fast = randomSamples(2 * length + 2);
            std::vector<s16> plain = fast;
            scaleStereo(fast.data() + 1, length, left, right);
            scaleStereoScalar(plain.data() + 1, length, left, right);
            ASSERT_EQ(fast, plain) << "length " << length << ", gains " << left << " " << right;
        }
    }
}

TEST(MixKernels, ScalingTruncatesTowardZeroAndSaturates) {
    s16 frames[] = {3, -3, 32767, -32768, 101, -101};
    scaleStereoScalar(frames, 3, 0.5f, 2.0f);
    EXPECT_EQ(frames[0], 1);      // 1.5 → 1
    EXPECT_EQ(frames[1], -6);     // -6
    EXPECT_EQ(frames[2], 16383);  // 16383.5 → 16383
    EXPECT_EQ(frames[3], -32768); // -65536 saturates
    EXPECT_EQ(frames[4], 50);     // 50.5 → 50
    EXPECT_EQ(frames[5], -202);
    EXPECT_EQ(limitGain(std::numeric_limits<f32>::quiet_NaN()), 0.0f);
    EXPECT_EQ(limitGain(1e30f), maxKernelGain);
}

TEST(MixKernels, ChannelConversionsMatchTheirScalarTwins) {
    for (s32 length : lengths) {
        std::vector<s32> left = randomSums(length + 1), right = randomSums(length + 1);
        std::vector<s16> fast(2 * length + 2, 5), plain(2 * length + 2, 5);
        monoToStereo(fast.data() + 1, left.data() + 1, length);
        monoToStereoScalar(plain.data() + 1, left.data() + 1, length);
        ASSERT_EQ(fast, plain) << "mono, length " << length;
        interleaveStereo(fast.data() + 1, left.data() + 1, right.data() + 1, length);
        interleaveStereoScalar(plain.data() + 1, left.data() + 1, right.data() + 1, length);
        ASSERT_EQ(fast, plain) << "stereo, length " << length;
    }
    s32 mono[] = {40000, -40000, 12};
    s16 frames[6];
    monoToStereoScalar(frames, mono, 3);
    EXPECT_EQ(std::vector<s16>(frames, frames + 6),
              (std::vector<s16>{32767, 32767, -32768, -32768, 12, 12}));
}

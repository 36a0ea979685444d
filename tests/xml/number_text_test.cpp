// The float parser and the integer reading of attribute texts.
#include "xml/NumberText.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

using namespace nox::audio;

namespace {

f32 floatOf(const char* text, std::string* rest = nullptr) {
    f32 value = -999.f;
    const char* end = parseFloat(text, value);
    if (rest)
        *rest = end;
    return value;
}

} // namespace

TEST(NumberTextTest, FloatParser) {
    std::string rest;
    EXPECT_FLOAT_EQ(floatOf("12.5, 3", &rest), 12.5f);
    EXPECT_EQ(rest, ", 3");
    EXPECT_FLOAT_EQ(floatOf("-0.25"), -0.25f);
    EXPECT_FLOAT_EQ(floatOf("1.5e2"), 150.f);
    EXPECT_FLOAT_EQ(floatOf("2.5e-1"), 0.25f);
    // An exponent counts only after a fraction.
    EXPECT_FLOAT_EQ(floatOf("3e2", &rest), 3.f);
    EXPECT_EQ(rest, "e2");
    EXPECT_FLOAT_EQ(floatOf("7."), 7.f);
    EXPECT_FLOAT_EQ(floatOf("  8"), 8.f);
    EXPECT_FLOAT_EQ(floatOf("x", &rest), 0.f);
    EXPECT_EQ(rest, "x");
    EXPECT_FLOAT_EQ(floatOf(""), 0.f);
    // Beyond 15 fraction digits only the first 15 count.
    EXPECT_FLOAT_EQ(floatOf("0.50000000000000000000000001", &rest), 0.5f);
    EXPECT_EQ(rest, "");
    EXPECT_FLOAT_EQ(floatOf("0.000000000000001"), 1e-15f);
    EXPECT_EQ(floatOf("1.0e999"), std::numeric_limits<f32>::infinity());
}

TEST(NumberTextTest, IntegersSaturateAndTruncate) {
    EXPECT_EQ(parseInt("42"), 42);
    EXPECT_EQ(parseInt(" -17x"), -17);
    EXPECT_EQ(parseInt("+5"), 5);
    EXPECT_EQ(parseInt("abc"), 0);
    EXPECT_EQ(parseInt("99999999999"), 2147483647);
    EXPECT_EQ(parseInt("-99999999999999999999999"), -2147483647 - 1);
    s64 value;
    parseLong("-9223372036854775808", value);
    EXPECT_EQ(value, -9223372036854775807LL - 1);
    parseLong("9223372036854775808", value);
    EXPECT_EQ(value, 9223372036854775807LL);
    EXPECT_EQ(truncateToS32(-2.9f), -2);
    EXPECT_EQ(truncateToS32(3e10f), 2147483647);
    EXPECT_EQ(truncateToS32(-3e10f), -2147483647 - 1);
    EXPECT_EQ(truncateToS32(std::numeric_limits<f32>::quiet_NaN()), 0);
}

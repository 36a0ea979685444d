// The vector math of software 3D.
#include "dsp/Spatial.h"

#include <gtest/gtest.h>

using namespace nox::audio;

TEST(AngleOf, ClockwiseDegreesFromTheFirstAxis) {
    EXPECT_EQ(angleOf(0, 0), 0.0);
    EXPECT_EQ(angleOf(3, 0), 0.0);
    EXPECT_EQ(angleOf(-3, 0), 180.0);
    EXPECT_EQ(angleOf(0, 2), 270.0);
    EXPECT_EQ(angleOf(0, -2), 90.0);
    EXPECT_DOUBLE_EQ(angleOf(1, 1), 315.0);
    EXPECT_DOUBLE_EQ(angleOf(1, -1), 45.0);
    EXPECT_DOUBLE_EQ(angleOf(-1, -1), 135.0);
    EXPECT_DOUBLE_EQ(angleOf(-1, 1), 225.0);
    EXPECT_NEAR(angleOf(1, 0.001f), 359.94270422, 1e-6);
}

#include "core/String.h"

#include <gtest/gtest.h>

using namespace nox::audio;

TEST(CharString, NewStringHoldsOnlyTheTerminator) {
    CharString s;
    EXPECT_EQ(s.allocated(), 1);
    EXPECT_EQ(s.size(), 0);
    EXPECT_STREQ(s.c_str(), "");
}

TEST(CharString, AssignmentAllocatesExactlyTheLengthPlusOne) {
    CharString s("abc");
    EXPECT_EQ(s.allocated(), 4);
    s = "longer text";
    EXPECT_EQ(s.allocated(), 12);
    s = static_cast<const char*>(nullptr);
    EXPECT_TRUE(s.empty());
}

TEST(CharString, AssigningItsOwnDataChangesNothing) {
    CharString s("same");
    const char* before = s.c_str();
    s = s.c_str();
    EXPECT_EQ(s.c_str(), before);
    EXPECT_STREQ(s.c_str(), "same");
}

TEST(CharString, AppendGrowsToExactlyTheSizeNeeded) {
    CharString s("ab");
    s.append("cde");
    EXPECT_STREQ(s.c_str(), "abcde");
    EXPECT_EQ(s.allocated(), 6);
    s.append('f');
    EXPECT_EQ(s.allocated(), 7);
    s.append(s);
    EXPECT_STREQ(s.c_str(), "abcdefabcdef");
}

TEST(CharString, WideTextKeepsTheLowByteOfEachUnit) {
    CharString s;
    static const char16_t wide[] = {u'A', 0x0142, 0x20AC, 0};
    s.assignConverted(wide);
    ASSERT_EQ(s.size(), 3);
    EXPECT_EQ(s[0], 'A');
    EXPECT_EQ(static_cast<unsigned char>(s[1]), 0x42);
    EXPECT_EQ(static_cast<unsigned char>(s[2]), 0xAC);
}

TEST(CharString, NumbersInDecimal) {
    EXPECT_STREQ(CharString(0).c_str(), "0");
    EXPECT_STREQ(CharString(-42).c_str(), "-42");
    EXPECT_STREQ(CharString(2147483647).c_str(), "2147483647");
    EXPECT_STREQ(CharString(-2147483647 - 1).c_str(), "-2147483648");
}

TEST(CharString, LowerCasingTouchesOnlyAToZ) {
    CharString s("Boom.WAV\xC9[@");
    s.makeLower();
    EXPECT_STREQ(s.c_str(), "boom.wav\xC9[@");
}

TEST(CharString, FindReturnsFirstPositionOrMinusOne) {
    CharString s("loop.it.wav");
    EXPECT_EQ(s.find(".it"), 4);
    EXPECT_EQ(s.find(".wav"), 7);
    EXPECT_EQ(s.find(".mod"), -1);
    EXPECT_EQ(s.find(""), -1);
    EXPECT_EQ(s.find(nullptr), -1);
    EXPECT_EQ(s.find("loop.it.wav!"), -1);
}

TEST(CharString, OrderComparesSignedBytesThenLength) {
    EXPECT_TRUE(CharString("\xE9") < CharString("a"));
    EXPECT_FALSE(CharString("a") < CharString("\xE9"));
    EXPECT_TRUE(CharString("a") < CharString("ab"));
    EXPECT_FALSE(CharString("ab") < CharString("a"));
    EXPECT_TRUE(CharString("B") < CharString("a"));
    EXPECT_FALSE(CharString("a") < CharString("a"));
}

TEST(CharString, EqualityNeedsSameBytesAndLength) {
    EXPECT_TRUE(CharString("abc") == CharString("abc"));
    EXPECT_FALSE(CharString("abc") == CharString("ab"));
    EXPECT_TRUE(CharString("abc") == "abc");
    EXPECT_FALSE(CharString("abc") == "abcd");
}

TEST(CharString, SubStringIsClipped) {
    CharString s("dir/name.ext");
    EXPECT_STREQ(s.subString(4, 4).c_str(), "name");
    EXPECT_STREQ(s.subString(9, 100).c_str(), "ext");
    EXPECT_STREQ(s.subString(20, 3).c_str(), "");
    EXPECT_EQ(s.findLast('/'), 3);
    EXPECT_EQ(s.findLast('#'), -1);
}

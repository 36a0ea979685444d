#include "platform/system/FileSystem.h"

#include <gtest/gtest.h>
#include <string>

using namespace nox::audio;

TEST(SplitPath, DirectoryKeepsItsSeparatorAndExtensionItsDot) {
    SplitPath parts = splitPath("/usr/share/sounds/alsa/Front_Center.wav");
    EXPECT_STREQ(parts.drive.c_str(), "");
    EXPECT_STREQ(parts.directory.c_str(), "/usr/share/sounds/alsa/");
    EXPECT_STREQ(parts.name.c_str(), "Front_Center");
    EXPECT_STREQ(parts.extension.c_str(), ".wav");
}

TEST(SplitPath, EdgeShapes) {
    SplitPath bare = splitPath("noext");
    EXPECT_STREQ(bare.directory.c_str(), "");
    EXPECT_STREQ(bare.name.c_str(), "noext");
    EXPECT_STREQ(bare.extension.c_str(), "");
    SplitPath dotted = splitPath("dir.d/archive.tar.gz");
    EXPECT_STREQ(dotted.directory.c_str(), "dir.d/");
    EXPECT_STREQ(dotted.name.c_str(), "archive.tar");
    EXPECT_STREQ(dotted.extension.c_str(), ".gz");
    SplitPath directoryOnly = splitPath("some/dir/");
    EXPECT_STREQ(directoryOnly.directory.c_str(), "some/dir/");
    EXPECT_STREQ(directoryOnly.name.c_str(), "");
    SplitPath null = splitPath(nullptr);
    EXPECT_STREQ(null.name.c_str(), "");
}

TEST(CurrentDirectory, TooSmallBufferGivesEmptyText) {
    char small[2] = {'x', 'x'};
    EXPECT_FALSE(getCurrentDirectory(small, sizeof small));
    EXPECT_STREQ(small, "");
    char big[4096];
    EXPECT_TRUE(getCurrentDirectory(big, sizeof big));
    EXPECT_EQ(big[0], '/');
}

TEST(ExecutablePath, NamesThisTestProgram) {
    char path[4096];
    ASSERT_TRUE(getExecutablePath(path, sizeof path));
    EXPECT_NE(std::string(path).find("platform_file_system_test"), std::string::npos);
    char tiny[4];
    ASSERT_TRUE(getExecutablePath(tiny, sizeof tiny));
    EXPECT_EQ(std::string(tiny).size(), 3u);
}

// dravon-play's command line.
#include "PlayOptions.h"

#include <gtest/gtest.h>

using namespace nox::audio;

namespace {

// Parses `arguments` (without the program name); the error text, or "" when they parse.
std::string parse(std::vector<std::string> arguments, PlayOptions& options) {
    arguments.insert(arguments.begin(), "dravon-play");
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(&argument[0]);
    std::string error;
    bool ok = parsePlayOptions(static_cast<int>(argv.size()), argv.data(), options, error);
    return ok ? "" : (error.empty() ? "help" : error);
}

TEST(PlayOptions, DefaultsToAutomaticDetectionOnTheDefaultOutput) {
    PlayOptions options;
    EXPECT_EQ(parse({"a.wav", "b.ogg"}, options), "");
    EXPECT_EQ(options.driver, OUTPUT_DRIVER_AUTO_DETECT);
    EXPECT_EQ(options.output, "");
    EXPECT_FALSE(options.loop);
    EXPECT_FALSE(options.is3D);
    EXPECT_EQ(options.volume, 1.0f);
    EXPECT_EQ(options.pan, 0.0f);
    EXPECT_EQ(options.files, (std::vector<std::string>{"a.wav", "b.ogg"}));
}

TEST(PlayOptions, DriversGoByNameOrByNumber) {
    const std::pair<const char*, int> drivers[] = {{"auto", 0}, {"directsound", 1}, {"winmm", 2},
                                                   {"alsa", 3}, {"null", 4},        {"2", 2},
                                                   {"0", 0},    {"17", 17}};
    for (const auto& driver : drivers) {
        PlayOptions options;
        EXPECT_EQ(parse({"--driver", driver.first, "a.wav"}, options), "") << driver.first;
        EXPECT_EQ(options.driver, driver.second) << driver.first;
    }
    for (const char* bad : {"WinMM", "-1", "2x", ""}) {
        PlayOptions options;
        EXPECT_EQ(parse({"--driver", bad, "a.wav"}, options),
                  "--driver needs auto, directsound, winmm, alsa, null or a number")
            << bad;
    }
}

TEST(PlayOptions, PlayingOptionsTakeTheirValues) {
    PlayOptions options;
    EXPECT_EQ(parse({"--loop", "--volume", "0.25", "--pan", "-0.5", "--output", "wav:out.wav",
                     "--position", "1.5,-2,3", "--zip", "x.zip", "a.wav"},
                    options),
              "");
    EXPECT_TRUE(options.loop);
    EXPECT_EQ(options.volume, 0.25f);
    EXPECT_EQ(options.pan, -0.5f);
    EXPECT_EQ(options.output, "wav:out.wav");
    EXPECT_TRUE(options.is3D);
    EXPECT_EQ(options.position.x, 1.5f);
    EXPECT_EQ(options.position.y, -2.0f);
    EXPECT_EQ(options.position.z, 3.0f);
    EXPECT_EQ(options.archives, (std::vector<std::string>{"x.zip"}));
}

TEST(PlayOptions, BadOrMissingValuesAreRefusedWithAReason) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--position", "1,2", "a.wav"}, "--position needs X,Y,Z"},
        {{"--position", "1,2,3,4", "a.wav"}, "--position needs X,Y,Z"},
        {{"--position", "1,,3", "a.wav"}, "--position needs X,Y,Z"},
        {{"--volume", "loud", "a.wav"}, "--volume needs a number"},
        {{"a.wav", "--pan"}, "--pan needs a number"},
        {{"a.wav", "--output"}, "--output needs an output name"},
        {{"--fast", "a.wav"}, "unknown option --fast"},
        {{"--loop"}, "no sound file given"},
        {{"--help", "a.wav"}, "help"},
    };
    for (const auto& c : cases) {
        PlayOptions options;
        EXPECT_EQ(parse(c.first, options), c.second) << c.second;
    }
    PlayOptions listing;
    EXPECT_EQ(parse({"--list-outputs"}, listing), "");
    EXPECT_TRUE(listing.listOutputs);
}

} // namespace

#include "dravon/dravon.h"

#include "api/DeviceCreation.h"
#include "engine/SoundEngine.h"
#include "platform/system/Logger.h"

#include "LogCapture.h"

#include <gtest/gtest.h>
#include <string>

using namespace nox::audio;
using dravon_test::StdoutCapture;

namespace {

const std::string banner = "Dravon 3D Sound Engine version 0.8.1";

std::string warningFor(const std::string& version) {
    return "Warning: The library version of Dravon (0.8.1) does not match the version the "
           "application was compiled with (" +
           version + "). This may cause problems.";
}

// Runs `create` with standard output captured and returns the engine and the lines.
template <typename Create> ISoundEngine* capture(Create create, std::vector<std::string>& lines) {
    StdoutCapture out;
    ISoundEngine* engine = create();
    lines = out.takeLines();
    return engine;
}

} // namespace

TEST(DeviceCreation, NullDriverLogsBannerThenDriver) {
    std::vector<std::string> lines;
    ISoundEngine* engine =
        capture([] { return createDravonDevice(OUTPUT_DRIVER_NULL, 0, "0.8.1"); }, lines);
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(lines, (std::vector<std::string>{banner, "Using NULL driver"}));
    EXPECT_EQ(engine->getReferenceCount(), 1);
    engine->decRef();
}

TEST(DeviceCreation, VersionMismatchWarnsAndGoesOn) {
    for (const char* version : {"0.8.10", "0.8", "", "1.0.0"}) {
        std::vector<std::string> lines;
        ISoundEngine* engine =
            capture([&] { return createDravonDevice(OUTPUT_DRIVER_NULL, 0, version); }, lines);
        ASSERT_NE(engine, nullptr);
        ASSERT_EQ(lines.size(), 3u) << version;
        EXPECT_EQ(lines[0], warningFor(version));
        EXPECT_EQ(lines[1], banner);
        engine->decRef();
    }
}

TEST(DeviceCreation, NullVersionLeavesTheParenthesesEmpty) {
    std::vector<std::string> lines;
    ISoundEngine* engine =
        capture([] { return createDravonDevice(OUTPUT_DRIVER_NULL, 0, nullptr); }, lines);
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(lines.front(), warningFor(""));
    engine->decRef();
}

TEST(DeviceCreation, WithoutAnyEngineBadDriversPrintNothing) {
    // No engine exists in this process between tests, so there is no logger.
    std::vector<std::string> lines;
    // Drivers 0 and 2 create an engine before they reach the device, so they are left out.
    for (int driver : {3, 5, -1, 1}) {
        ISoundEngine* engine = capture(
            [&] {
                return createDravonDevice(static_cast<E_SOUND_OUTPUT_DRIVER>(driver), 0, "0.8.1");
            },
            lines);
        EXPECT_EQ(engine, nullptr) << driver;
        EXPECT_TRUE(lines.empty()) << driver;
    }
}

TEST(DeviceCreation, BadDriversExplainThemselvesWhileAnEngineExists) {
    ISoundEngine* keeper = createDravonDevice(OUTPUT_DRIVER_NULL, 0, "0.8.1");
    std::vector<std::string> lines;
    EXPECT_EQ(capture([] { return createDravonDevice(OUTPUT_DRIVER_ALSA, 0, "0.8.1"); }, lines),
              nullptr);
    EXPECT_EQ(lines, (std::vector<std::string>{"ALSA is not supported on this system.",
                                               "Invalid sound driver specified."}));
    EXPECT_EQ(
        capture(
            [] { return createDravonDevice(static_cast<E_SOUND_OUTPUT_DRIVER>(77), 0, "0.8.1"); },
            lines),
        nullptr);
    EXPECT_EQ(lines, (std::vector<std::string>{"Invalid sound driver specified."}));
    keeper->decRef();
}

TEST(DeviceCreation, DirectSoundIsNotAvailable) {
    ISoundEngine* keeper = createDravonDevice(OUTPUT_DRIVER_NULL, 0, "0.8.1");
    std::vector<std::string> lines;
    EXPECT_EQ(
        capture([] { return createDravonDevice(OUTPUT_DRIVER_DIRECTSOUND, 0, "0.8.1"); }, lines),
        nullptr);
    EXPECT_EQ(lines, (std::vector<std::string>{"Invalid sound driver specified."}));
    keeper->decRef();
}

TEST(DeviceCreation, TwoCallsMakeTwoEnginesWithTheirOwnFileManagers) {
    ISoundEngine* first = createDravonDevice(OUTPUT_DRIVER_NULL, 0, "0.8.1");
    ISoundEngine* second = createDravonDevice(OUTPUT_DRIVER_NULL, 0, "0.8.1");
    ASSERT_NE(first, second);
    IFileManager* firstManager = static_cast<SoundEngine*>(first)->getFileManager();
    IFileManager* secondManager = static_cast<SoundEngine*>(second)->getFileManager();
    EXPECT_NE(firstManager, secondManager);
    first->getSoundSource("only-in-first.wav");
    EXPECT_EQ(first->getSoundSourceCount(), 1);
    EXPECT_EQ(second->getSoundSourceCount(), 0);
    first->decRef();
    second->decRef();
}

TEST(DeviceCreation, DriverEngineUsesAGivenFileManager) {
    IFileManager* manager = createFileManager();
    ISoundEngine* engine = createDriverEngine(OUTPUT_DRIVER_NULL, 0, manager);
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(static_cast<SoundEngine*>(engine)->getFileManager(), manager);
    EXPECT_GT(manager->getReferenceCount(), 1) << "the engine and its loaders hold it";
    engine->decRef();
    EXPECT_EQ(manager->getReferenceCount(), 1);
    manager->decRef();
}

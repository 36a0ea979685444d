#include "platform/system/Logger.h"

#include "LogCapture.h"

#include <gtest/gtest.h>

using namespace nox::audio;
using dravon_test::StdoutCapture;

namespace {

// Holds the process-wide logger for one test.
class LoggerTest : public testing::Test {
protected:
    void SetUp() override { logger = acquireProcessLogger(); }
    void TearDown() override { releaseProcessLogger(logger); }
    ILogger* logger = nullptr;
};

} // namespace

TEST_F(LoggerTest, TextWithHintIsOneLineJoinedByColonSpace) {
    StdoutCapture out;
    logText("Could not open sound file", "boom.wav", LOG_LEVEL_INFO);
    EXPECT_EQ(out.take(), "Could not open sound file: boom.wav\n");
}

TEST_F(LoggerTest, NullHintLeavesTheColonSpace) {
    StdoutCapture out;
    logText("Cannot add sound source from empty memory", nullptr, LOG_LEVEL_INFO);
    EXPECT_EQ(out.take(), "Cannot add sound source from empty memory: \n");
}

TEST_F(LoggerTest, ThresholdDropsLowerLevels) {
    logger->setLogLevel(1);
    StdoutCapture out;
    logText("info", LOG_LEVEL_INFO);
    logText("warning", LOG_LEVEL_WARNING);
    logText("error", "hint", LOG_LEVEL_ERROR);
    logText("info with hint", "hint", LOG_LEVEL_INFO);
    EXPECT_EQ(out.take(), "warning\nerror: hint\n");
    logger->setLogLevel(0);
}

TEST_F(LoggerTest, PercentSignsAreWrittenUnchanged) {
    StdoutCapture out;
    logText("100% %s %d", LOG_LEVEL_INFO);
    logText("50%", LOG_LEVEL_INFO, false);
    debugPrint("%n", false);
    EXPECT_EQ(out.take(), "100% %s %d\n50%%n");
}

TEST_F(LoggerTest, WideTextKeepsTheLowByteOfEachUnit) {
    StdoutCapture out;
    const wchar_t text[] = {L'A', static_cast<wchar_t>(0x142), L'b', 0};
    const wchar_t hint[] = {static_cast<wchar_t>(0x263), 0};
    logger->log(text, LOG_LEVEL_INFO, true);
    logger->log(text, hint, LOG_LEVEL_INFO, true);
    logger->log(static_cast<const wchar_t*>(nullptr), LOG_LEVEL_INFO, true);
    EXPECT_EQ(out.take(), "ABb\nABb: c\n\n");
}

TEST_F(LoggerTest, WideTextRespectsTheThreshold) {
    logger->setLogLevel(2);
    StdoutCapture out;
    logger->log(L"quiet", LOG_LEVEL_WARNING, true);
    logger->log(L"quiet", L"hint", LOG_LEVEL_WARNING, true);
    EXPECT_EQ(out.take(), "");
    logger->setLogLevel(0);
}

TEST(LoggerLifetime, NothingIsWrittenWithoutALoggerButDebugPrintStillWrites) {
    StdoutCapture out;
    logText("lost", LOG_LEVEL_ERROR);
    debugPrint("direct", true);
    ILogger* first = acquireProcessLogger();
    ILogger* second = acquireProcessLogger();
    EXPECT_EQ(first, second);
    releaseProcessLogger(first);
    logText("still one holder", LOG_LEVEL_INFO);
    releaseProcessLogger(second);
    logText("lost again", LOG_LEVEL_INFO);
    EXPECT_EQ(out.take(), "direct\nstill one holder\n");
}

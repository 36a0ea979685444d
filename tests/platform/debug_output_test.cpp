#include "platform/system/Logger.h"

#include "LogCapture.h"

#include <gtest/gtest.h>

using namespace nox::audio;

TEST(DebugOutput, LinesGoToStandardErrorAsWellOnceSwitchedOn) {
    ILogger* logger = acquireProcessLogger();
    {
        dravon_test::StdoutCapture out;
        dravon_test::StderrCapture err;
        logText("before", LOG_LEVEL_INFO);
        enableDebugOutput();
        logText("after", "hint", LOG_LEVEL_INFO);
        debugPrint("no newline %s", false);
        EXPECT_EQ(err.take(), "after: hint\nno newline %s");
        EXPECT_EQ(out.take(), "before\nafter: hint\nno newline %s");
    }
    releaseProcessLogger(logger);
    // Debug output stays on for the rest of the process, logger or not.
    dravon_test::StderrCapture err;
    debugPrint("version warning", true);
    EXPECT_EQ(err.take(), "version warning\n");
}

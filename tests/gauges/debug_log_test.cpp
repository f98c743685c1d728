// The debug log's bounds: each line where it starts, its repeats summed where
// they stop and at close.
#include "gauges/debug_log.h"
#include "platform/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

TEST(DebugLog, repeatsAreSummedWhereTheyStopAndAtCloseAndALineThatComesBackIsWrittenAgain) {
    TempFolder folder;
    open_debug_log();
    ASSERT_NE(debug_log, nullptr);
    for (int i = 0; i < 3; ++i)
        debug_log_line("request A\n");
    // "frame" keeps coming; A has stopped once kQuietCalls calls pass without it.
    for (long long i = 0; i < 2 * kQuietCalls; ++i)
        debug_log_line("frame\n");
    debug_log_line("request A\n"); // the second request: a trace of its own
    debug_log_warning("orvex\\navs.txt", "1 of 2 lines could not be used\n(line 2)");
    debug_log_line("frame\n");
    close_debug_log();
    EXPECT_EQ(debug_log, nullptr);
    std::stringstream text;
    text << std::ifstream(folder.path() + "/orvex1.log", std::ios::binary).rdbuf();
    EXPECT_EQ(text.str(), "request A\n"
                          "frame\n"
                          "request A (2 more times)\n"
                          "request A\n"
                          "warning: orvex\\navs.txt: 1 of 2 lines could not be used (line 2)\n"
                          "frame (" +
                              std::to_string(2 * kQuietCalls) + " more times)\n");
}

// quarn-sim scripts with lines no editor shows: white space the line trimming
// and the word splitting must agree on.

#include <gtest/gtest.h>

#include <string>

#include "sim/sim_script.h"

namespace {

TEST(SimScriptHostile, LinesOfOtherWhiteSpaceAreBlank) {
    // Found by the fuzzer: a line holding only a vertical tab or a form feed
    // has no words, yet was not taken as blank.
    for (const char* blank : {"\v", "\f", " \v\t\f ", "\v\r"}) {
        SimScript script;
        std::string error;
        EXPECT_TRUE(
            ParseSimScript(std::string("frames 1\n") + blank + "\nframes 2 20\n", script, error))
            << error;
        ASSERT_EQ(script.commands.size(), 2u);
        EXPECT_EQ(script.commands[1].a, 2);
        EXPECT_EQ(script.commands[1].line, 3);
    }
    SimScript script;
    std::string error;
    EXPECT_TRUE(ParseSimScript("\fkey\v28\f\n", script, error)) << error;
    ASSERT_EQ(script.commands.size(), 1u);
    EXPECT_EQ(script.commands[0].a, 28);
}

}  // namespace

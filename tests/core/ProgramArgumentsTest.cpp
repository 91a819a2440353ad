#include "core/ProgramArguments.hpp"

#include <gtest/gtest.h>

TEST(ProgramArguments, MatchesWholeArgumentsOnlyIncludingTheProgramPath)
{
    char program[] = "/games/quorvane";
    char full[] = "--fullscreen";
    char longer[] = "--windowedX";
    char* argv[] = {program, full, longer};
    setProgramArguments(3, argv);

    EXPECT_TRUE(hasArgument("/games/quorvane"));
    EXPECT_TRUE(hasArgument("--fullscreen"));
    EXPECT_FALSE(hasArgument("--windowed"));
    EXPECT_FALSE(hasArgument("--FULLSCREEN"));
    EXPECT_FALSE(hasArgument("--full"));
    EXPECT_EQ(programArguments().size(), 3u);
    setProgramArguments(0, argv);
}

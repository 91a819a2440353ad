#include "core/CrashHandler.hpp"

#include <gtest/gtest.h>

TEST(CrashHandler, DumpNameAppendsTheUtcTimeToTheProgramPath)
{
    struct Case { std::time_t when; const char* program; const char* dump; };
    const Case cases[] = {
        {1709647629, "/games/x/quorvane", "/games/x/quorvane_20240305_140709.dmp"},
        {0, "/opt/my games/q v", "/opt/my games/q v_19700101_000000.dmp"},
        {951782400, "a", "a_20000229_000000.dmp"},     // leap day
        {4102444799, "b", "b_20991231_235959.dmp"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(crashDumpPathFor(c.program, c.when), c.dump);
}

// libFuzzer entry for the conversion of Lua values into bound function arguments (see
// tests/support/LuaArgumentCheck.hpp): scripts are files players make and share, and every
// value they pass reaches the game through these conversions. The unit tests run a bounded
// random version of the same checks.

#include "support/LuaArgumentCheck.hpp"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static LuaArgumentCheck check;
    const std::string broken = check.check(data, size);
    if (!broken.empty()) {
        std::fprintf(stderr, "%s\n", broken.c_str());
        std::abort();
    }
    return 0;
}

// libFuzzer entry for the conversion of Lua values into bound function arguments (see
// tests/support/LuaArgumentCheck.hpp). Not part of the normal build (the unit tests run a
// bounded random version of the same checks). To fuzz, from the project folder, with clang:
//
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -Isrc -Itests -I/usr/include/lua5.3 \
//       tests/fuzz/LuaArgumentFuzz.cpp src/missions/LuaConvert.cpp src/missions/LuaBinding.cpp \
//       src/missions/ScriptState.cpp src/core/NumberConversions.cpp src/core/Logger.cpp \
//       src/core/FileUtils.cpp -llua5.3-c++ -o build/lua_argument_fuzz
//   XDG_DATA_HOME=/tmp/qv-fuzz build/lua_argument_fuzz -max_len=64

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

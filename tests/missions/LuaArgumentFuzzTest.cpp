#include "support/LogCapture.hpp"
#include "support/LuaArgumentCheck.hpp"

#include <gtest/gtest.h>

#include <random>
#include <vector>

// A bounded, deterministic run of the Lua argument fuzz checks: random bytes, with the numbers
// that matter (halves, the int32 limits, NaN, infinities, the largest floats) mixed in.
TEST(LuaArgumentFuzz, EveryValueConvertsAsLuaReadsIt)
{
    LogCapture log;
    LuaArgumentCheck check;
    std::mt19937 random(20261210);
    const double edges[] = { 0.5, -0.5, 1.5, -2.5, 2147483647.5, -2147483648.5, 2147483646.5, 1e300, -1e300,
                             3.4028235e38, 3.5e38, std::nan(""), INFINITY, -INFINITY, -0.0, 4.9e-324 };
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    const int inputs = 5000;
#else
    const int inputs = 100000;
#endif
    for (int n = 0; n < inputs; ++n) {
        std::vector<std::uint8_t> bytes(std::uniform_int_distribution<int>(0, 40)(random));
        for (auto& byte : bytes)
            byte = static_cast<std::uint8_t>(random());
        if (n % 3 == 0 && !bytes.empty()) {
            // A float from the edge list as the first value.
            const double edge = edges[random() % std::size(edges)];
            std::uint64_t bits;
            std::memcpy(&bits, &edge, sizeof bits);
            bytes.assign(9, 0);
            bytes[0] = 3;
            for (int k = 0; k < 8; ++k)
                bytes[1 + k] = static_cast<std::uint8_t>(bits >> (56 - 8 * k));
        }
        const std::string broken = check.check(bytes.data(), bytes.size());
        ASSERT_EQ(broken, "") << "input " << n;
    }
}

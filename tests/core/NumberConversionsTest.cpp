#include "core/NumberConversions.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr std::int32_t int32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t int32Min = std::numeric_limits<std::int32_t>::min();

TEST(NumberConversions, NumbersOutsideInt32OrNotFiniteHaveAFixedMeaning)
{
    const double nan = std::nan("");
    const double inf = std::numeric_limits<double>::infinity();
    // value, rounded, truncated
    const std::tuple<double, std::int32_t, std::int32_t> cases[] = {
        {1.5, 2, 1}, {-2.5, -3, -2}, {-0.4, 0, 0}, {nan, 0, 0}, {inf, int32Max, int32Max},
        {-inf, int32Min, int32Min}, {3e9, int32Max, int32Max}, {-3e9, int32Min, int32Min},
        {2147483646.6, int32Max, 2147483646}, {-2147483648.4, int32Min, int32Min}};
    for (const auto& [value, rounded, truncated] : cases) {
        EXPECT_EQ(roundToInt32(value), rounded) << value;
        EXPECT_EQ(truncateToInt32(value), truncated) << value;
    }
    EXPECT_EQ(saturatingAdd(int32Max, 1), int32Max);
    EXPECT_EQ(saturatingAdd(int32Min, -1), int32Min);
    EXPECT_EQ(saturatingAdd(int32Max, int32Min), -1);
    EXPECT_EQ(nanToZero(std::nanf("")), 0.f);
    EXPECT_EQ(nanToZero(-std::numeric_limits<float>::infinity()), -std::numeric_limits<float>::infinity());
}

} // namespace

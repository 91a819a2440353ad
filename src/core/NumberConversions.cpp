#include "core/NumberConversions.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double lowest = static_cast<double>(std::numeric_limits<std::int32_t>::min());
constexpr double highest = static_cast<double>(std::numeric_limits<std::int32_t>::max());

} // namespace

std::int32_t saturatingAdd(std::int32_t total, std::int32_t amount)
{
    std::int64_t sum = static_cast<std::int64_t>(total) + amount;
    sum = std::clamp<std::int64_t>(sum, std::numeric_limits<std::int32_t>::min(),
                                   std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(sum);
}

namespace {

// NaN and values beyond the range are settled before converting: a double outside the range
// has no defined conversion to an integer.
template <class Convert>
std::int32_t toInt32(double value, Convert convert)
{
    if (std::isnan(value))
        return 0;
    if (value >= highest)
        return std::numeric_limits<std::int32_t>::max();
    if (value <= lowest)
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(convert(value));
}

} // namespace

std::int32_t roundToInt32(double value)
{
    return toInt32(value, [](double v) { return std::lround(v); });
}

std::int32_t truncateToInt32(double value)
{
    return toInt32(value, [](double v) { return static_cast<long>(v); });
}

float nanToZero(float value)
{
    return std::isnan(value) ? 0.f : value;
}

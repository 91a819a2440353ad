#include "core/TimeSource.hpp"

#include <chrono>

namespace {

class SteadyTimeSource : public TimeSource {
public:
    sf::Time now() const override
    {
        auto since = std::chrono::steady_clock::now() - origin_;
        return sf::microseconds(std::chrono::duration_cast<std::chrono::microseconds>(since).count());
    }

private:
    std::chrono::steady_clock::time_point origin_ = std::chrono::steady_clock::now();
};

} // namespace

TimeSource& systemTime()
{
    static SteadyTimeSource source;
    return source;
}

std::uint32_t clockSeed()
{
    auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::steady_clock::now().time_since_epoch()).count();
    return static_cast<std::uint32_t>(nanoseconds);
}

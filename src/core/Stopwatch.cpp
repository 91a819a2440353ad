#include "core/Stopwatch.hpp"

Stopwatch::Stopwatch(const TimeSource& source)
    : source_(&source)
    , start_(source.now())
{
}

sf::Time Stopwatch::elapsed() const
{
    return source_->now() - start_;
}

sf::Time Stopwatch::restart()
{
    sf::Time now = source_->now();
    sf::Time shown = now - start_;
    start_ = now;
    return shown;
}

#include "screens/EndingFade.hpp"

#include <algorithm>

namespace {

constexpr float fadeSeconds = 1.5f;
constexpr float holdSeconds = 0.5f;
// Grey levels a second: 255 in 1.5 s.
constexpr float fadeRate = 170.f;

sf::Uint8 level(float grey)
{
    return static_cast<sf::Uint8>(std::clamp(grey, 0.f, 255.f));
}

} // namespace

EndingFade::EndingFade(const TimeSource& time)
    : clock_(time)
{
}

void EndingFade::start()
{
    leaving_ = false;
    clock_.restart();
}

bool EndingFade::leave()
{
    if (leaving_)
        return false;
    leaving_ = true;
    clock_.restart();
    return true;
}

sf::Uint8 EndingFade::grey() const
{
    const float t = clock_.elapsed().asSeconds();
    if (!leaving_)
        return t < fadeSeconds ? level(t * fadeRate) : 255;
    if (t < holdSeconds)
        return 255;
    return level(255.f - (t - holdSeconds) * fadeRate);
}

bool EndingFade::done() const
{
    return leaving_ && clock_.elapsed().asSeconds() >= holdSeconds + fadeSeconds;
}

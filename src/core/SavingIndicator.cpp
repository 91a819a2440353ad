#include "core/SavingIndicator.hpp"

void SavingIndicator::advance(sf::Time owed)
{
    frameTime_ += owed;
    if (frameTime_ > frameLength_) {
        frameTime_ -= frameLength_;
        if (currentFrame_ < frameCount)
            ++currentFrame_;
    }
}

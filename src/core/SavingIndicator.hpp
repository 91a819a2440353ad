#pragma once

#include <SFML/System/Time.hpp>

// The timing of the "saving" animation in the corner: a completed save starts it at frame
// 0, each loop pass may advance it by one frame once at least a frame length has been
// owed, and it is hidden again after the last of its frames. Drawing is the Game's job.
class SavingIndicator {
public:
    static constexpr int frameCount = 25;

    // A completed save shows the animation from its first frame.
    void start() { currentFrame_ = 0; }
    // One loop pass: `owed` is the loop's time owed to fixed steps after this frame's time was added.
    void advance(sf::Time owed);

    bool isShowing() const { return currentFrame_ < frameCount; }
    int currentFrame() const { return currentFrame_; }

private:
    sf::Time frameLength_ = sf::milliseconds(100);
    sf::Time frameTime_;
    int currentFrame_ = frameCount;
};

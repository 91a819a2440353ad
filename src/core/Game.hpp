#pragma once

#include <SFML/Graphics/RenderWindow.hpp>

class AchievementManager;

// The game object: owns the main window, the screens that are not process-wide and the
// main loop. Constructing it loads everything; run() plays until the player quits and then
// tears down in order what the loop used.
class Game {
public:
    explicit Game(AchievementManager& achievements);
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // The main loop and the shutdown of everything it used.
    void run();

private:
    AchievementManager& achievements_;
    sf::RenderWindow window_;
};

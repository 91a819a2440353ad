#pragma once

#include "missions/MissionManager.hpp"
#include "persistence/PlayerStats.hpp"

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

    // The player statistics in saved/"playerSave.json". Saving is refused (false) while a
    // mission script runs.
    bool savePlayer();
    void loadPlayer();

private:
    AchievementManager& achievements_;
    MissionManager missionManager_;
    // Held here until the map screen, which owns them in the full game, exists.
    PlayerStats playerStats_;
    sf::RenderWindow window_;
};

#include "core/Game.hpp"

#include "achievements/AchievementManager.hpp"
#include "core/Emblem.hpp"
#include "core/FileUtils.hpp"
#include "core/Logger.hpp"

Game::Game(AchievementManager& achievements)
    : achievements_(achievements)
    , missionManager_(&achievements_)
{
    achievements_.buildCatalogue();
    playerStats_.setAchievementManager(&achievements_);
}

Game::~Game() = default;

void Game::run()
{
    playerStats_.applyAchievementSwitch(PlayerStats::switchFromArguments());
    for (const char* line : emblemLines())
        QV_LOG << line << std::endl;
    loadPlayer();
    achievements_.refreshUnlocked();
    savePlayer();
}

bool Game::savePlayer()
{
    if (missionManager_.running)
        return false;
    // The saving indicator starts here once the loop has it.
    return playerStats_.saveFile(savedPath() + "playerSave.json");
}

void Game::loadPlayer()
{
    playerStats_.loadFile(savedPath() + "playerSave.json", PlayerStats::switchFromArguments());
}

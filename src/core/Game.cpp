#include "core/Game.hpp"

#include "achievements/AchievementManager.hpp"
#include "core/Emblem.hpp"
#include "core/Logger.hpp"

Game::Game(AchievementManager& achievements)
    : achievements_(achievements)
{
}

Game::~Game() = default;

void Game::run()
{
    for (const char* line : emblemLines())
        QV_LOG << line << std::endl;
}

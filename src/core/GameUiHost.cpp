#include "core/GameUiHost.hpp"

#include "audio/AudioManager.hpp"
#include "core/FileUtils.hpp"
#include "core/StateManager.hpp"
#include "persistence/FontStore.hpp"
#include "persistence/Options.hpp"

const sf::Font& GameUiHost::gameFont()
{
    return FontStore::get().gameFont;
}

float GameUiHost::defaultTextSize()
{
    return FontStore::get().defaultTextSize;
}

const sf::View& GameUiHost::interfaceView()
{
    return Options::get().pixelView;
}

void GameUiHost::playSound(const std::string& fileName)
{
    AudioManager::get().playSound(fileName);
}

void GameUiHost::openInShell(const std::string& target)
{
    ::openInShell(target);
}

void GameUiHost::requestTitle()
{
    StateManager::get().changeState(GameState::Title, true, false);
}

void GameUiHost::refreshOptionsScreen()
{
    // The options screen re-reads its controls here once it exists.
}

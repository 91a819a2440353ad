#include "core/GameUiHost.hpp"

#include "audio/AudioManager.hpp"
#include "core/FileUtils.hpp"
#include "core/StateManager.hpp"
#include "crew/CrewColours.hpp"
#include "persistence/FontStore.hpp"
#include "persistence/Options.hpp"
#include "persistence/OptionsScreen.hpp"

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
    if (OptionsScreen::exists())
        OptionsScreen::get().refresh();
}

// A typed name gets the colour the roster would give a crew member of that name.
sf::Color GameUiHost::nameColour(const std::string& name)
{
    return CrewColours::get().forName(name);
}

const sf::Font* GameUiHost::previewFont(const std::string& name)
{
    return FontStore::get().loadPreviewFont(name);
}

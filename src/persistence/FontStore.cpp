#include "persistence/FontStore.hpp"

#include "core/FileUtils.hpp"
#include "core/Logger.hpp"
#include "core/ProcessWide.hpp"

FontStore& FontStore::get()
{
    return ProcessWide<FontStore>::get();
}

bool FontStore::exists()
{
    return ProcessWide<FontStore>::exists();
}

void FontStore::destroy()
{
    ProcessWide<FontStore>::destroy();
}

FontStore::FontStore()
{
    gameFont.loadFromFile(assetsPath() + "fonts/monofur.ttf");
}

void FontStore::loadGameFont(const std::string& name)
{
    if (!gameFont.loadFromFile(assetsPath() + "fonts/" + name + ".ttf")) {
        QV_LOG << "using default font" << std::endl;
        gameFont.loadFromFile(assetsPath() + "fonts/monofur.ttf");
    }
}

void FontStore::loadCreditsFont()
{
    if (!creditsFont.loadFromFile(assetsPath() + "fonts/gtfo.ttf")) {
        QV_LOG << "using default font for credits" << std::endl;
        creditsFont.loadFromFile(assetsPath() + "fonts/monofur.ttf");
    }
}

#include "persistence/FontStore.hpp"

#include "core/FileUtils.hpp"
#include "core/Logger.hpp"

namespace {
std::unique_ptr<FontStore>& instance()
{
    static std::unique_ptr<FontStore> store;
    return store;
}
} // namespace

FontStore& FontStore::get()
{
    if (!instance())
        instance() = std::make_unique<FontStore>();
    return *instance();
}

bool FontStore::exists()
{
    return instance() != nullptr;
}

void FontStore::destroy()
{
    instance().reset();
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

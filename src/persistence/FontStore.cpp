#include "persistence/FontStore.hpp"

#include "core/FileUtils.hpp"
#include "core/Logger.hpp"
#include "core/ProcessWide.hpp"

namespace {

// Replaces `font` with the file at `path` only when the file can be read.
bool loadInto(sf::Font& font, const std::string& path)
{
    sf::Font spare;
    if (!spare.loadFromFile(path))
        return false;
    font = spare;
    return true;
}

} // namespace

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

void FontStore::install(std::unique_ptr<FontStore> store)
{
    ProcessWide<FontStore>::install(std::move(store));
}

std::string FontStore::fontPath(const std::string& name) const
{
    return fontsFolder_ + name + ".ttf";
}

FontStore::FontStore()
    : FontStore(assetsPath() + "fonts/")
{
}

FontStore::FontStore(std::string fontsFolder)
    : fontsFolder_(std::move(fontsFolder))
{
    gameFont.loadFromFile(fontPath("monofur"));
}

void FontStore::loadGameFont(const std::string& name)
{
    if (!loadInto(gameFont, fontPath(name))) {
        QV_LOG << "using default font" << std::endl;
        loadInto(gameFont, fontPath("monofur"));
    }
}

void FontStore::loadCreditsFont()
{
    if (!loadInto(creditsFont, fontPath("gtfo"))) {
        QV_LOG << "using default font for credits" << std::endl;
        loadInto(creditsFont, fontPath("monofur"));
    }
}

bool FontStore::switchGameFont(const std::string& name)
{
    if (loadInto(gameFont, fontPath(name)))
        return true;
    QV_LOG << "Warning: FontStore::switchGameFont, could not read the font " << fontPath(name)
           << "; the game font stays as it was" << std::endl;
    return false;
}

const sf::Font* FontStore::loadPreviewFont(const std::string& name)
{
    sf::Font& preview = previewFonts[name];
    if (loadInto(preview, fontPath(name)))
        return &preview;
    QV_LOG << "Warning: FontStore::loadPreviewFont, could not read the font " << fontPath(name) << std::endl;
    // An entry that was never read stays out of the store.
    if (preview.getInfo().family.empty())
        previewFonts.erase(name);
    return nullptr;
}

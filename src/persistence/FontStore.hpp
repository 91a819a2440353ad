#pragma once

#include <SFML/Graphics/Font.hpp>

#include <map>
#include <memory>
#include <string>

// The fonts every text of the game uses. The game and credits fonts are replaced in place
// when the player picks another font, so texts that refer to them change with them. A font
// file is always read into a spare font first: loading into the font in use would empty it
// (and blank every text) before finding out that the file is no good.
class FontStore {
public:
    static FontStore& get();
    static bool exists();
    static void destroy();
    // Replaces the instance, e.g. with one over a folder of test fonts.
    static void install(std::unique_ptr<FontStore> store);

    // Loads the default game font, monofur, from the assets folder's fonts.
    FontStore();
    // The same over another folder of fonts (a path ending in '/').
    explicit FontStore(std::string fontsFolder);

    // Start-up: loads `name` (a file of "fonts/" without ".ttf") into the game font, falling
    // back to monofur with a log line when it is missing. The credits font likewise from gtfo.
    void loadGameFont(const std::string& name);
    void loadCreditsFont();
    // The player's choice: the game font becomes `name`; false (logged) when that font cannot
    // be read, and the game font stays as it was.
    bool switchGameFont(const std::string& name);
    // The font the font list shows `name` in, read afresh; nullptr when it cannot be read.
    const sf::Font* loadPreviewFont(const std::string& name);

    // The file of the font called `name`.
    std::string fontPath(const std::string& name) const;
    // Where the fonts are: every file there is one the player can pick.
    const std::string& fontsFolder() const { return fontsFolder_; }

    sf::Font gameFont;
    sf::Font creditsFont;
    float defaultTextSize = 7.5f;
    std::map<std::string, sf::Font> previewFonts;

private:
    std::string fontsFolder_;
};

#pragma once

#include <SFML/Graphics/Font.hpp>

#include <map>
#include <memory>
#include <string>

// The fonts every text of the game uses. The game and credits fonts are replaced in place
// when the player picks another font, so texts that refer to them change with them.
class FontStore {
public:
    static FontStore& get();
    static bool exists();
    static void destroy();

    // Loads the default game font, "fonts/monofur.ttf" of the assets folder.
    FontStore();

    // Loads `name` (a file of "fonts/" without ".ttf") into the game font, falling back to
    // monofur with a log line when it is missing. The credits font likewise from gtfo.
    void loadGameFont(const std::string& name);
    void loadCreditsFont();

    sf::Font gameFont;
    sf::Font creditsFont;
    float defaultTextSize = 7.5f;
    std::map<std::string, sf::Font> previewFonts;
};

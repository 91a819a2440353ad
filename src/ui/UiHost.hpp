#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/View.hpp>

#include <string>

// What the interface toolkit needs from the rest of the game: the game font and its default
// size, the view texts are drawn through, sounds, the desktop, and the two requests a modal
// window makes of the game. The game installs its own host at start-up; until then (and in
// tests that install nothing) a built-in fallback answers with quiet defaults.
class UiHost {
public:
    virtual ~UiHost() = default;

    // The font of every label; it must outlive every text (it is reloaded in place, never moved).
    virtual const sf::Font& gameFont() = 0;
    // Character size, before the interface scale, of texts created with size -1.
    virtual float defaultTextSize() = 0;
    // The pixel view texts are drawn through when a draw call names no view.
    virtual const sf::View& interfaceView() = 0;
    virtual void playSound(const std::string& fileName) = 0;
    virtual void openInShell(const std::string& target) = 0;
    // The error window's way back to the title menu (with its enter step, without hold).
    virtual void requestTitle() = 0;
    // The options screen re-reads the current options into its controls.
    virtual void refreshOptionsScreen() = 0;
    // The font a font list shows the entry `name` in, loaded afresh from the game's fonts on
    // every call; nullptr when there is none (the entry then shows in the game font).
    virtual const sf::Font* previewFont(const std::string& name);
    // The colour a crew member called `name` would get (a name typed into a name field).
    virtual sf::Color nameColour(const std::string& name);

    // The installed host, or the fallback.
    static UiHost& get();
    // Not owned; the host must outlive every use. nullptr goes back to the fallback.
    static void install(UiHost* host);
};

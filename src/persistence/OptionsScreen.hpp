#pragma once

#include "ui/Button.hpp"
#include "ui/Dropdown.hpp"
#include "ui/Tooltip.hpp"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace sf {
class RenderTarget;
}

// The options screen (GameState::Options): window mode and size, the sprite cursor, the game
// font, the mission text's colours and pace and whether it starts fast-forwarded or paused,
// music and sound volume, two cheats, the mission text log, and the log and user folders. It shows and changes the process-wide Options;
// every change is saved at once.
//
// Opening and leaving: whoever opens it requests GameState::Options through
// StateManager::changeState (with the enter step, which refreshes it); that records the state
// being left as Options::returnState, and the leave button goes back there — to the title
// with its enter step, to any other state (the map, a mission, from the pause menu) without,
// so nothing there starts again.
//
// The game hands it the window's events with the pointer already in the 640 x 360 view and
// re-creates the window when asked (onWindowModeChanged, onPointerChanged). The font choice
// is switched off while a mission runs (setFontChoiceEnabled). Process-wide, built once over
// the Options; main thread only.
class OptionsScreen {
public:
    static OptionsScreen& get();
    static bool exists();
    static void destroy();
    static void install(std::unique_ptr<OptionsScreen> screen);

    // Builds the screen over Options::get(); the font list is the files of the FontStore's folder.
    OptionsScreen();
    ~OptionsScreen();
    OptionsScreen(const OptionsScreen&) = delete;
    OptionsScreen& operator=(const OptionsScreen&) = delete;

    // Brings every control in line with the options (entering the screen, Alt+Enter, ...).
    void refresh();
    // Off while a mission runs: the font list then ignores clicks and explains why.
    void setFontChoiceEnabled(bool enabled);
    // A window event; `pointer` is the cursor's place in the 640 x 360 view.
    void handleEvent(const sf::Event& event, sf::Vector2f pointer);
    void draw(sf::RenderTarget& target);

    // "Fullscreen" was flipped (and saved): the game re-creates its window.
    std::function<void()> onWindowModeChanged;
    // "SpriteCursor" was flipped: the game shows or hides the system pointer.
    std::function<void()> onPointerChanged;

    // The controls, as the player sees them (tests).
    enum class Slider { TextSpeed, Music, Sound };
    const sf::Sprite& knob(Slider slider) const;
    sf::FloatRect bar(Slider slider);
    Dropdown& fontList() { return fontList_; }
    Dropdown& resolutionList() { return resolutionList_; }
    Dropdown& textModeList() { return textModeList_; }
    const Tooltip& fontTip() const { return fontTip_; }
    bool isDragging() const { return dragging_ != nullptr; }

private:
    struct SliderControl {
        Button bar;
        sf::Sprite knob;
        float knobY = 0.f;
    };

    void mousePressed(float x, float y);
    bool pressDropdowns(float x, float y);
    void pressButtons(float x, float y);
    void dragTo(float x);
    void setSliderFrom(SliderControl& slider, float x);
    void placeKnob(SliderControl& slider, float fraction);
    SliderControl& sliderFor(Slider which);
    void leave();
    void toggle(bool& setting);
    void fontPicked(const std::string& name);
    void showToggle(Button& toggle, bool on);
    static void drawSlider(SliderControl& slider, sf::RenderTarget& target);

    sf::Sprite background_, title_, subtitle_, optionsPanel_, cheatsPanel_, leavePanel_;
    Button leaveButton_;
    // Every label, the version's included.
    std::vector<int> labels_;
    Button fullscreenToggle_, spriteCursorToggle_, missionPrintToggle_, foodToggle_, planetToggle_;
    Button fastForwardToggle_, pauseToggle_;
    Button openLogButton_, openLogFolderButton_, openUserFolderButton_;
    SliderControl textSpeed_, music_, sound_;
    Dropdown fontList_, resolutionList_, textModeList_;
    Tooltip fontTip_;

    // The slider whose knob is held, if any; the left button as the events tell it.
    SliderControl* dragging_ = nullptr;
    bool leftDown_ = false;
};

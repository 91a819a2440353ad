#pragma once

#include "core/GameState.hpp"
#include "persistence/DisplayModes.hpp"

#include <SFML/Graphics/View.hpp>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// The player's settings, read once from "options.json" in the user folder and written back
// whole after every change, plus the views every screen shares. The saved window size is
// checked against what the display supports; the first start goes full screen at the
// desktop size when the display lists it. The two volumes live in the AudioManager and are
// handed to it on loading. The options screen (OptionsScreen) draws these settings and
// changes them through the operations below; they work without any screen.
class Options {
public:
    static Options& get();
    static bool exists();
    static void destroy();
    // Replaces the instance, e.g. with one built for a made-up display (tests).
    static void install(std::unique_ptr<Options> options);

    // Defaults, the resolution list of `display`, then options.json; writes the file at the end.
    explicit Options(const DisplayModes& display);

    // A missing options.json is a first start; one that exists but cannot be read leaves the
    // defaults in place and is never saved over in this run.
    void loadOptions();
    // The settings of an options.json text (nullptr: none) over the current ones, with the
    // resolution checked against the display (also the fuzz entry).
    void applySettings(const std::string* text);
    void saveOptions();
    // Flips "Fullscreen" and saves; the caller re-creates the window.
    void toggleFullscreen();

    // The choices of the options screen's drop-downs, each saved at once.
    // The game font becomes `name`; false (the font and "FontName" unchanged) when that
    // font cannot be read.
    bool onFontPicked(const std::string& name);
    // The entry at `index` of resolutionList, showing `text`, becomes the window size (from
    // the next fixed step on: resolutionChanged); the same one again only saves.
    void onResolutionPicked(int index, const std::string& text);
    // 0 green, 1 amber, 2 inverted; textModeChanged when it differs.
    void onTextModePicked(int mode);

    // The sliders. A volume grows with the knob's place along its bar as f^2.71 (fine steps
    // at the quiet end); the text pace takes 3 + one word per tenth of the bar, up to 10.
    // `fraction` is the knob's place, 0 at the left end and 1 at the right.
    static unsigned volumeAt(float fraction);
    static float volumeKnobAt(unsigned volume);
    std::uint8_t wordsPerSecondAt(float fraction) const;
    float textSpeedKnobAt(std::uint8_t wordsPerSecond) const;

    // Saved settings.
    bool consoleVisibility = false;
    bool fullscreen = false;
    bool fastForwardText = false;
    bool pauseText = false;
    bool missionPrint = true;
    int textMode = 0; // 0 green, 1 amber, 2 inverted
    bool spriteCursor = true;
    bool foodCheat = false;
    bool planetCheat = false;
    std::string fontName;
    int resolutionX = 1280;
    int resolutionY = 720;
    std::uint8_t wordsPerSecond = 6;
    // Character id and time stamp pairs, kept in file order and written back unchanged.
    std::vector<std::pair<unsigned, unsigned>> trackedSubbedCharacters;

    // Not saved.
    GameState returnState = GameState::Title;
    int defaultWidth = 1280;
    int defaultHeight = 720;
    int windowWidth = 1280;
    int windowHeight = 720;
    std::vector<std::string> resolutionList;
    int resolutionIndex = 0;
    int defaultResolutionIndex = -1;
    std::uint8_t minWordsPerSecond = 3;
    std::uint8_t maxWordsPerSecond = 10;
    bool resolutionChanged = false;
    bool textModeChanged = false;
    sf::View gameView;
    sf::View pixelView;

private:
    void readSettings(const std::string& text);
    bool acceptSavedResolution();
    void chooseFallbackResolution();

    DisplayModes display_;
    bool keepFileAsItIs_ = false;
};

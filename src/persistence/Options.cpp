#include "persistence/Options.hpp"

#include "audio/AudioManager.hpp"
#include "core/FileUtils.hpp"
#include "core/JsonRead.hpp"
#include "core/Logger.hpp"
#include "core/ProcessWide.hpp"
#include "persistence/AtomicFile.hpp"
#include "persistence/FontStore.hpp"

#include <json/json.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

namespace {

std::string resolutionText(long long width, long long height)
{
    return std::to_string(width) + " x " + std::to_string(height);
}

template <typename T>
T clamped(const Json::Value& value, long long low, long long high)
{
    return static_cast<T>(std::clamp(static_cast<long long>(value.asLargestInt()), low, high));
}

// The smallest window the game lays itself out for.
constexpr int minimumWidth = 640;
constexpr int minimumHeight = 360;

} // namespace

Options& Options::get()
{
    return ProcessWide<Options>::get([] { return std::make_unique<Options>(DisplayModes::fromSystem()); });
}

bool Options::exists()
{
    return ProcessWide<Options>::exists();
}

void Options::destroy()
{
    ProcessWide<Options>::destroy();
}

void Options::install(std::unique_ptr<Options> options)
{
    ProcessWide<Options>::install(std::move(options));
}

Options::Options(const DisplayModes& display)
    : gameView(sf::Vector2f(320.f, 180.f), sf::Vector2f(640.f, 360.f))
    , pixelView(sf::Vector2f(640.f, 360.f), sf::Vector2f(1280.f, 720.f))
    , display_(display)
{
    std::string defaultText = resolutionText(defaultWidth, defaultHeight);
    for (const sf::VideoMode& mode : display_.fullscreenModes) {
        std::string text = resolutionText(mode.width, mode.height);
        if (std::find(resolutionList.begin(), resolutionList.end(), text) != resolutionList.end())
            continue;
        if (text == defaultText)
            defaultResolutionIndex = static_cast<int>(resolutionList.size());
        resolutionList.push_back(text);
    }
    if (defaultResolutionIndex < 0) {
        defaultResolutionIndex = static_cast<int>(resolutionList.size());
        resolutionList.push_back(defaultText);
    }

    loadOptions();

    if (fontName.empty())
        fontName = "monofur";
    FontStore& fonts = FontStore::get();
    fonts.loadGameFont(fontName);
    fonts.loadCreditsFont();

    // The options screen is built here once it exists; its resolution drop-down then selects
    // the current resolution, which writes the file. Until then the file is written directly,
    // so every start leaves a complete options file behind.
    saveOptions();
}

void Options::readSettings(const std::string& text)
{
    Json::Value root;
    std::string errors;
    if (!parseJsonText(text, root, errors)) {
        // Nothing is taken from a damaged file: the settings stay at their defaults rather
        // than reading as zeros (silent music, a text speed of nothing).
        QV_LOG << errors << "could not parse options!" << std::endl;
        return;
    }
    if (!root.isObject()) {
        QV_LOG << "Failed to load options!" << std::endl;
        return;
    }

    // A key of the wrong type ends the reading there; what was read before it stays.
    // Keys that are absent keep their defaults; numbers are held to their ranges.
    try {
        const Json::Value& o = root["Options"];
        auto has = [&o](const char* key) { return o.isObject() && o.isMember(key); };
        if (!o.isNull() && !o.isObject())
            throw Json::LogicError("\"Options\" is not an object");
        if (has("ConsoleVisibility"))
            consoleVisibility = o["ConsoleVisibility"].asBool();
        if (has("Fullscreen"))
            fullscreen = o["Fullscreen"].asBool();
        if (has("MissionPrint"))
            missionPrint = o["MissionPrint"].asBool();
        if (has("TextMode"))
            textMode = clamped<int>(o["TextMode"], 0, 2);
        if (has("FontName"))
            fontName = o["FontName"].asString();
        if (has("ResolutionX"))
            resolutionX = o["ResolutionX"].asInt();
        if (has("ResolutionY"))
            resolutionY = o["ResolutionY"].asInt();
        if (has("MusicVol"))
            AudioManager::get().setMusicVolume(clamped<unsigned>(o["MusicVol"], 0, 100));
        if (has("FXVol"))
            AudioManager::get().setEffectsVolume(clamped<unsigned>(o["FXVol"], 0, 100));
        if (has("WordsPerSecond"))
            wordsPerSecond = clamped<std::uint8_t>(o["WordsPerSecond"], minWordsPerSecond, maxWordsPerSecond);
        for (const Json::Value& entry : root["trackedSubbedCharacters"]) {
            unsigned id = entry["charID"].asUInt();
            unsigned stamp = entry["updatedLast"].asUInt();
            auto same = std::find_if(trackedSubbedCharacters.begin(), trackedSubbedCharacters.end(),
                                     [id](const auto& tracked) { return tracked.first == id; });
            if (same != trackedSubbedCharacters.end())
                same->second = stamp;
            else
                trackedSubbedCharacters.emplace_back(id, stamp);
        }
        if (has("FastForwardText"))
            fastForwardText = o["FastForwardText"].asBool();
        if (has("PauseText"))
            pauseText = o["PauseText"].asBool();
        if (has("SpriteCursor"))
            spriteCursor = o["SpriteCursor"].asBool();
        if (has("PlanetCheat"))
            planetCheat = o["PlanetCheat"].asBool();
        if (has("FoodCheat"))
            foodCheat = o["FoodCheat"].asBool();
    } catch (const Json::Exception&) {
        QV_LOG << "Failed to load options!" << std::endl;
    }
}

bool Options::acceptSavedResolution()
{
    // A window smaller than the game's layout is never accepted, whatever the display says.
    if (resolutionX < minimumWidth || resolutionY < minimumHeight)
        return false;
    std::string text = resolutionText(resolutionX, resolutionY);
    auto listed = std::find(resolutionList.begin(), resolutionList.end(), text);
    if (listed != resolutionList.end()) {
        resolutionIndex = static_cast<int>(listed - resolutionList.begin());
        return true;
    }
    bool usable = fullscreen
        ? display_.validForFullscreen(static_cast<unsigned>(resolutionX), static_cast<unsigned>(resolutionY))
        : display_.desktop.width >= static_cast<unsigned>(resolutionX)
            && display_.desktop.height >= static_cast<unsigned>(resolutionY);
    if (!usable)
        return false;
    resolutionIndex = static_cast<int>(resolutionList.size());
    resolutionList.push_back(text);
    return true;
}

void Options::chooseFallbackResolution()
{
    std::string desktopText = resolutionText(display_.desktop.width, display_.desktop.height);
    auto listed = std::find(resolutionList.begin(), resolutionList.end(), desktopText);
    if (listed != resolutionList.end()) {
        resolutionX = static_cast<int>(display_.desktop.width);
        resolutionY = static_cast<int>(display_.desktop.height);
        resolutionIndex = static_cast<int>(listed - resolutionList.begin());
        fullscreen = true;
        return;
    }
    QV_LOG << "Saved resolution is not valid! Defaulting to windowed mode at " << defaultWidth << "x"
           << defaultHeight << std::endl;
    resolutionX = defaultWidth;
    resolutionY = defaultHeight;
    resolutionIndex = defaultResolutionIndex;
    fullscreen = false;
}

void Options::loadOptions()
{
    const std::string path = userPath() + "options.json";
    std::string text;
    std::string error;
    const FileRead read = readWholeFile(path, text, error);
    if (read == FileRead::Unreadable) {
        // The player's settings exist but are out of reach: the game plays with defaults and
        // leaves the file as it is.
        QV_LOG << "Error: Options::loadOptions, could not read " << path << ": " << error
               << "; playing with the default settings, and the file is not saved over in this run" << std::endl;
        keepFileAsItIs_ = true;
    }
    applySettings(read == FileRead::Read ? &text : nullptr);
}

void Options::applySettings(const std::string* text)
{
    bool accepted = false;
    if (text) {
        readSettings(*text);
        accepted = acceptSavedResolution();
    }
    if (!accepted)
        chooseFallbackResolution();
}

void Options::saveOptions()
{
    Json::Value root;
    Json::Value& o = root["Options"];
    o["ConsoleVisibility"] = consoleVisibility;
    o["Fullscreen"] = fullscreen;
    o["MissionPrint"] = missionPrint;
    o["SpriteCursor"] = spriteCursor;
    o["FoodCheat"] = foodCheat;
    o["PlanetCheat"] = planetCheat;
    o["FastForwardText"] = fastForwardText;
    o["PauseText"] = pauseText;
    o["TextMode"] = textMode;
    o["ResolutionX"] = resolutionX;
    o["ResolutionY"] = resolutionY;
    AudioManager& audio = AudioManager::get();
    o["MusicVol"] = audio.getMusicVolume();
    o["FXVol"] = audio.getEffectsVolume();
    o["FontName"] = fontName;
    o["WordsPerSecond"] = static_cast<unsigned>(wordsPerSecond);
    Json::Value& tracked = root["trackedSubbedCharacters"];
    tracked = Json::Value(Json::arrayValue);
    for (const auto& [id, stamp] : trackedSubbedCharacters) {
        Json::Value entry;
        entry["charID"] = id;
        entry["updatedLast"] = stamp;
        tracked.append(entry);
    }

    if (keepFileAsItIs_) {
        QV_LOG << "Warning: Options::saveOptions, not saving over " << userPath() << "options.json"
               << ", which could not be read" << std::endl;
        return;
    }
    std::ostringstream text;
    Json::StyledStreamWriter("\t").write(text, root);
    writeFileAtomically(userPath() + "options.json", text.str());
}

void Options::toggleFullscreen()
{
    fullscreen = !fullscreen;
    saveOptions();
}

bool Options::onFontPicked(const std::string& name)
{
    if (!FontStore::get().switchGameFont(name))
        return false;
    fontName = name;
    saveOptions();
    return true;
}

void Options::onResolutionPicked(int index, const std::string& text)
{
    // The list always holds the default resolution (see the constructor), so it is never empty.
    if (resolutionIndex < 0 || static_cast<std::size_t>(resolutionIndex) >= resolutionList.size()) {
        QV_LOG << "Warning: Invalid saved resolution detected." << std::endl;
        resolutionIndex = defaultResolutionIndex;
        fullscreen = false;
    }
    if (index != resolutionIndex) {
        resolutionIndex = index;
        std::istringstream fields(text);
        long long width = 0, height = 0;
        std::string by;
        if (fields >> width >> by >> height && by == "x" && width >= minimumWidth && height >= minimumHeight
            && width <= 65535 && height <= 65535) {
            resolutionX = static_cast<int>(width);
            resolutionY = static_cast<int>(height);
        } else {
            QV_LOG << "Error: Couldn't apply resolution. Falling back to " << defaultWidth << "x" << defaultHeight
                   << std::endl;
            resolutionX = defaultWidth;
            resolutionY = defaultHeight;
            fullscreen = false;
        }
        resolutionChanged = true;
    }
    saveOptions();
}

void Options::onTextModePicked(int mode)
{
    if (mode != textMode)
        textModeChanged = true;
    textMode = std::clamp(mode, 0, 2);
    saveOptions();
}

unsigned Options::volumeAt(float fraction)
{
    const float f = std::clamp(fraction, 0.f, 1.f);
    return static_cast<unsigned>(std::pow(f, 2.71f) * 100.f);
}

float Options::volumeKnobAt(unsigned volume)
{
    return std::pow(static_cast<float>(std::min(volume, 100u)) / 100.f, 0.369f);
}

std::uint8_t Options::wordsPerSecondAt(float fraction) const
{
    const int words = minWordsPerSecond + static_cast<int>(std::clamp(fraction, 0.f, 1.f) * 10.f);
    return static_cast<std::uint8_t>(std::clamp<int>(words, minWordsPerSecond, maxWordsPerSecond));
}

float Options::textSpeedKnobAt(std::uint8_t words) const
{
    return static_cast<float>(words - minWordsPerSecond) / 10.f;
}

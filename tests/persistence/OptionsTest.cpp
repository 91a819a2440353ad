#include "persistence/Options.hpp"

#include "audio/AudioManager.hpp"
#include "core/Logger.hpp"
#include "persistence/FontStore.hpp"
#include "support/FakeAudio.hpp"
#include "support/LogCapture.hpp"
#include "support/TempUserHome.hpp"
#include "support/TextFiles.hpp"
#include "support/UnreadableFiles.hpp"

#include <json/json.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

DisplayModes display(unsigned desktopWidth, unsigned desktopHeight,
                     std::vector<std::pair<unsigned, unsigned>> modes)
{
    DisplayModes d;
    d.desktop = sf::VideoMode(desktopWidth, desktopHeight, 24);
    for (auto [w, h] : modes)
        d.fullscreenModes.emplace_back(w, h, 32);
    return d;
}

DisplayModes fullHd()
{
    return display(1920, 1080, {{1920, 1080}, {1680, 1050}, {1280, 720}, {1280, 720}, {1024, 768}});
}

class OptionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Logger::resetForTests();
        AudioManager::install(std::make_unique<AudioManager>(
            std::make_unique<FakeAudioBackend>(std::make_shared<FakeAudioBackend::Books>()), home.root() + "/none/"));
    }
    void TearDown() override
    {
        AudioManager::destroy();
        FontStore::destroy();
        Logger::resetForTests();
    }

    std::string file() const { return home.userFolder() + "options.json"; }
    void writeFile(const std::string& text) const
    {
        std::filesystem::create_directories(home.userFolder());
        std::ofstream(home.userFolder() + "options.json") << text;
    }
    static std::string logText() { return loggedText(); }
    Json::Value savedJson() const
    {
        Json::Value root;
        std::ifstream in(file());
        in >> root;
        return root;
    }

    TempUserHome home;
};

} // namespace

TEST_F(OptionsTest, ResolutionListHoldsEachModeOnceAndAlwaysTheDefault)
{
    Options withDefault(fullHd());
    EXPECT_EQ(withDefault.resolutionList,
              (std::vector<std::string>{"1920 x 1080", "1680 x 1050", "1280 x 720", "1024 x 768"}));
    EXPECT_EQ(withDefault.defaultResolutionIndex, 2);

    Options withoutDefault(display(1024, 768, {{1024, 768}, {800, 600}}));
    EXPECT_EQ(withoutDefault.resolutionList, (std::vector<std::string>{"1024 x 768", "800 x 600", "1280 x 720"}));
    EXPECT_EQ(withoutDefault.defaultResolutionIndex, 2);
}

TEST_F(OptionsTest, FirstStartGoesFullScreenAtTheDesktopSizeAndWritesTheFile)
{
    Options options(fullHd());
    EXPECT_TRUE(options.fullscreen);
    EXPECT_EQ(options.resolutionX, 1920);
    EXPECT_EQ(options.resolutionY, 1080);
    Json::Value saved = savedJson();
    EXPECT_TRUE(saved["Options"]["Fullscreen"].asBool());
    EXPECT_EQ(saved["Options"]["ResolutionX"].asInt(), 1920);
    EXPECT_EQ(saved["Options"]["ResolutionY"].asInt(), 1080);
    EXPECT_EQ(logText().find("Saved resolution is not valid!"), std::string::npos);
}

TEST_F(OptionsTest, SavedResolutionIsValidatedAgainstTheDisplay)
{
    struct Case {
        const char* what;
        int savedX, savedY;
        bool savedFullscreen;
        DisplayModes display;
        int x, y;
        bool fullscreen;
        bool appended;
        bool warned;
    };
    DisplayModes laptop = display(1366, 768, {{1366, 768}, {1280, 720}});
    DisplayModes oddDesktop = display(1000, 700, {{1280, 720}});
    std::vector<Case> cases = {
        {"listed size, windowed", 1280, 720, false, fullHd(), 1280, 720, false, false, false},
        {"listed size, full screen", 1680, 1050, true, fullHd(), 1680, 1050, true, false, false},
        {"unlisted windowed size that fits the desktop", 1600, 900, false, fullHd(), 1600, 900, false, true, false},
        {"unlisted windowed size larger than the desktop", 1600, 900, false, laptop, 1366, 768, true, false, false},
        {"unlisted full-screen size", 1600, 900, true, fullHd(), 1920, 1080, true, false, false},
        {"nothing usable and desktop unlisted", 2560, 1440, false, oddDesktop, 1280, 720, false, false, true},
        {"smaller than the game's layout", 320, 200, false, fullHd(), 1920, 1080, true, false, false},
        {"negative size", -5, 720, false, fullHd(), 1920, 1080, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Logger::resetForTests();
        writeFile("{\"Options\": {\"Fullscreen\": " + std::string(c.savedFullscreen ? "true" : "false")
                  + ", \"ResolutionX\": " + std::to_string(c.savedX) + ", \"ResolutionY\": "
                  + std::to_string(c.savedY) + "}}");
        Options options(c.display);
        EXPECT_EQ(options.resolutionX, c.x);
        EXPECT_EQ(options.resolutionY, c.y);
        EXPECT_EQ(options.fullscreen, c.fullscreen);
        EXPECT_EQ(options.resolutionList[static_cast<std::size_t>(options.resolutionIndex)],
                  std::to_string(c.x) + " x " + std::to_string(c.y));
        bool hasSaved = std::find(options.resolutionList.begin(), options.resolutionList.end(),
                                  std::to_string(c.savedX) + " x " + std::to_string(c.savedY))
            != options.resolutionList.end();
        if (c.appended) {
            EXPECT_TRUE(hasSaved);
        }
        EXPECT_EQ(logText().find("Saved resolution is not valid! Defaulting to windowed mode at 1280x720")
                      != std::string::npos,
                  c.warned);
    }
}

TEST_F(OptionsTest, MissingKeysKeepTheirDefaults)
{
    writeFile("{\"Options\": {\"Fullscreen\": false}}");
    Options options(fullHd());
    EXPECT_FALSE(options.fullscreen);
    EXPECT_EQ(options.resolutionX, 1280);
    EXPECT_EQ(options.resolutionY, 720);
    EXPECT_TRUE(options.spriteCursor);
    EXPECT_TRUE(options.missionPrint);
    EXPECT_FALSE(options.foodCheat);
    EXPECT_FALSE(options.planetCheat);
    EXPECT_FALSE(options.fastForwardText);
    EXPECT_FALSE(options.pauseText);
    EXPECT_EQ(options.textMode, 0);
    EXPECT_EQ(options.wordsPerSecond, 6);
    EXPECT_EQ(options.fontName, "monofur");
    EXPECT_EQ(AudioManager::get().getMusicVolume(), 10u);
    EXPECT_EQ(AudioManager::get().getEffectsVolume(), 25u);
}

TEST_F(OptionsTest, AnUnparsableFileKeepsTheDefaultsInsteadOfZeros)
{
    writeFile("{\"Options\": {\"MusicVol\": 80, \"WordsPerSecond\": 9,");
    Options options(fullHd());
    std::string log = logText();
    EXPECT_NE(log.find("could not parse options!"), std::string::npos);
    EXPECT_NE(log.find("* Line 1"), std::string::npos); // the parser's own message comes first
    EXPECT_EQ(options.wordsPerSecond, 6);
    EXPECT_TRUE(options.missionPrint);
    EXPECT_EQ(AudioManager::get().getMusicVolume(), 10u);
    EXPECT_EQ(AudioManager::get().getEffectsVolume(), 25u);
    // The rewritten file holds the defaults, not zeros.
    Json::Value saved = savedJson();
    EXPECT_EQ(saved["Options"]["MusicVol"].asUInt(), 10u);
    EXPECT_EQ(saved["Options"]["WordsPerSecond"].asUInt(), 6u);
}

TEST_F(OptionsTest, AFileNestedPastTheReadersLimitIsUnparsableNotFatal)
{
    writeFile("{\"Options\": " + std::string(5000, '[') + std::string(5000, ']') + "}");
    Options options(fullHd());
    EXPECT_NE(logText().find("could not parse options!"), std::string::npos);
    EXPECT_EQ(options.wordsPerSecond, 6);
}

TEST_F(OptionsTest, AKeyOfTheWrongTypeEndsReadingThere)
{
    writeFile("{\"Options\": {\"Fullscreen\": false, \"MissionPrint\": false, \"TextMode\": \"amber\","
              " \"FontName\": \"other\", \"FoodCheat\": true}}");
    Options options(fullHd());
    EXPECT_NE(logText().find("Failed to load options!"), std::string::npos);
    EXPECT_FALSE(options.missionPrint); // read before the bad key
    EXPECT_EQ(options.textMode, 0);
    EXPECT_EQ(options.fontName, "monofur"); // after it: default
    EXPECT_FALSE(options.foodCheat);
}

TEST_F(OptionsTest, ReadValuesAreHeldToTheirRanges)
{
    struct Case {
        const char* json;
        int textMode;
        unsigned words, music, effects;
    };
    for (const Case& c : std::vector<Case>{
             {"\"TextMode\": 7, \"WordsPerSecond\": 0, \"MusicVol\": 250, \"FXVol\": -3", 2, 3, 100, 0},
             {"\"TextMode\": -1, \"WordsPerSecond\": 300, \"MusicVol\": 0, \"FXVol\": 100", 0, 10, 0, 100},
             {"\"TextMode\": 1, \"WordsPerSecond\": 8, \"MusicVol\": 55, \"FXVol\": 45", 1, 8, 55, 45},
         }) {
        SCOPED_TRACE(c.json);
        writeFile(std::string("{\"Options\": {") + c.json + "}}");
        Options options(fullHd());
        EXPECT_EQ(options.textMode, c.textMode);
        EXPECT_EQ(options.wordsPerSecond, c.words);
        EXPECT_EQ(AudioManager::get().getMusicVolume(), c.music);
        EXPECT_EQ(AudioManager::get().getEffectsVolume(), c.effects);
    }
}

TEST_F(OptionsTest, SavedSettingsRoundTripInATabIndentedKeySortedFile)
{
    writeFile(R"({"Options": {"Fullscreen": true, "ResolutionX": 1680, "ResolutionY": 1050,
        "ConsoleVisibility": true, "MissionPrint": false, "TextMode": 2, "FontName": "monofur",
        "MusicVol": 33, "FXVol": 66, "WordsPerSecond": 9, "FastForwardText": true, "PauseText": true,
        "SpriteCursor": false, "PlanetCheat": true, "FoodCheat": true},
        "trackedSubbedCharacters": [{"charID": 9, "updatedLast": 100}, {"charID": 4, "updatedLast": 200},
                                    {"charID": 9, "updatedLast": 300}]})");
    std::string first;
    {
        Options options(fullHd());
        EXPECT_EQ(options.trackedSubbedCharacters,
                  (std::vector<std::pair<unsigned, unsigned>>{{9, 300}, {4, 200}}));
        first = readAll(file());
    }
    Options again(fullHd());
    EXPECT_EQ(readAll(file()), first);
    EXPECT_TRUE(again.fullscreen && again.consoleVisibility && again.fastForwardText && again.pauseText);
    EXPECT_TRUE(again.planetCheat && again.foodCheat);
    EXPECT_FALSE(again.missionPrint || again.spriteCursor);
    EXPECT_EQ(again.textMode, 2);
    EXPECT_EQ(again.wordsPerSecond, 9);
    EXPECT_EQ(AudioManager::get().getMusicVolume(), 33u);
    EXPECT_EQ(AudioManager::get().getEffectsVolume(), 66u);

    EXPECT_EQ(first.rfind("{\n\t\"Options\" : \n\t{\n\t\t\"ConsoleVisibility\" : true,\n\t\t\"FXVol\" : 66,", 0), 0u)
        << first;
    EXPECT_LT(first.find("\"WordsPerSecond\""), first.find("\"trackedSubbedCharacters\""));
    EXPECT_LT(first.find("\"charID\" : 9"), first.find("\"charID\" : 4"));
}

TEST_F(OptionsTest, ToggleFullscreenSavesAtOnce)
{
    writeFile("{\"Options\": {\"Fullscreen\": false}}");
    Options options(fullHd());
    options.toggleFullscreen();
    EXPECT_TRUE(savedJson()["Options"]["Fullscreen"].asBool());
}

// An options file that is there but cannot be read keeps the player's settings: the game
// plays with the defaults and leaves the file as it is, also after a change.
TEST_F(OptionsTest, AFileThatCannotBeReadIsNeverSavedOver)
{
    for (const UnreadableFile& kind : unreadableFiles()) {
        std::filesystem::remove_all(home.userFolder());
        std::filesystem::create_directories(home.userFolder());
        Logger::resetForTests();
        kind.make(file());
        const auto before = std::filesystem::symlink_status(file()).type();
        Options options(fullHd());
        EXPECT_EQ(AudioManager::get().getMusicVolume(), 10u) << kind.what;
        options.toggleFullscreen();
        EXPECT_EQ(std::filesystem::symlink_status(file()).type(), before) << kind.what;
        EXPECT_NE(logText().find("Error: Options::loadOptions, could not read " + file()), std::string::npos)
            << kind.what;
        EXPECT_NE(logText().find("not saving over " + file()), std::string::npos) << kind.what;
    }
}

TEST_F(OptionsTest, SlidersFollowTheirCurves)
{
    Options options(fullHd());
    // Volume = f^2.71 x 100, truncated; the knob goes back the other way.
    const std::vector<std::pair<float, unsigned>> volumes = {{0.f, 0}, {0.5f, 15}, {1.f, 100}, {-1.f, 0}, {2.f, 100}};
    for (auto [fraction, volume] : volumes)
        EXPECT_EQ(Options::volumeAt(fraction), volume) << fraction;
    EXPECT_NEAR(Options::volumeKnobAt(15), 0.497f, 0.001f);
    EXPECT_EQ(Options::volumeKnobAt(0), 0.f);
    EXPECT_EQ(Options::volumeKnobAt(100), 1.f);

    // The pace: 3 at the left end, one word more per tenth, 10 from 70% on.
    const std::vector<std::pair<float, int>> paces = {{0.f, 3}, {0.35f, 6}, {0.7f, 10}, {0.8f, 10}, {1.f, 10}};
    for (auto [fraction, words] : paces)
        EXPECT_EQ(options.wordsPerSecondAt(fraction), words) << fraction;
    EXPECT_FLOAT_EQ(options.textSpeedKnobAt(6), 0.3f);
}

TEST_F(OptionsTest, PickingAResolutionTakesEffectAtTheNextStepAndAlwaysSaves)
{
    writeFile(R"({"Options": {"Fullscreen": false, "ResolutionX": 1280, "ResolutionY": 720}})");
    Options options(fullHd());
    ASSERT_EQ(options.resolutionList[static_cast<std::size_t>(options.resolutionIndex)], "1280 x 720");
    const int current = options.resolutionIndex;

    std::filesystem::remove(file());
    options.onResolutionPicked(current, "1280 x 720");
    EXPECT_FALSE(options.resolutionChanged);
    EXPECT_TRUE(std::filesystem::exists(file())); // the same one again: only saved

    options.onResolutionPicked(0, "1920 x 1080");
    EXPECT_TRUE(options.resolutionChanged);
    EXPECT_EQ(options.resolutionIndex, 0);
    EXPECT_EQ(savedJson()["Options"]["ResolutionX"].asInt(), 1920);
    EXPECT_EQ(savedJson()["Options"]["ResolutionY"].asInt(), 1080);

    options.fullscreen = true;
    options.onResolutionPicked(1, "wide");
    EXPECT_TRUE(logText().find("Error: Couldn't apply resolution. Falling back to 1280x720") != std::string::npos);
    EXPECT_EQ(options.resolutionX, 1280);
    EXPECT_EQ(options.resolutionY, 720);
    EXPECT_FALSE(options.fullscreen);

    options.resolutionIndex = 99;
    options.fullscreen = true;
    options.onResolutionPicked(2, "1280 x 720");
    EXPECT_TRUE(logText().find("Warning: Invalid saved resolution detected.") != std::string::npos);
    EXPECT_EQ(options.resolutionIndex, 2);
    EXPECT_FALSE(options.fullscreen);
}

TEST_F(OptionsTest, OnlyAnotherTextModeAsksTheMissionScreenToRecolour)
{
    Options options(fullHd());
    options.onTextModePicked(0);
    EXPECT_FALSE(options.textModeChanged);
    options.onTextModePicked(2);
    EXPECT_TRUE(options.textModeChanged);
    EXPECT_EQ(savedJson()["Options"]["TextMode"].asInt(), 2);
}

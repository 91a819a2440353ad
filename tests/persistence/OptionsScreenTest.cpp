#include "persistence/OptionsScreen.hpp"

#include "audio/AudioManager.hpp"
#include "core/FileUtils.hpp"
#include "core/StateManager.hpp"
#include "persistence/FontStore.hpp"
#include "persistence/Options.hpp"
#include "support/FakeAudio.hpp"
#include "support/ShippedAssets.hpp"
#include "support/UiTestSupport.hpp"

#include <json/json.h>

namespace {

class OptionsScreenTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        // The screen's pictures at their real sizes, plain colours.
        for (const auto& [path, size] : manifestSizes())
            if (path.rfind("options_screen/", 0) == 0 || path.rfind("title_screen/", 0) == 0
                || path == "crew_creator/dropdown.png" || path == "general/small_panel.png"
                || path == "general/button_leave.png")
                writeImage(assets + path, size.first, size.second, sf::Color(30, 60, 30));
        TextureManager::resetForTests(assets, true);

        const std::string fonts = home.root() + "/fonts/";
        std::filesystem::create_directories(fonts);
        std::filesystem::copy_file(testFontPath(), fonts + "monofur.ttf");
        std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", fonts + "dejavu.ttf");
        std::ofstream(fonts + "broken.ttf") << "not a font";
        FontStore::install(std::make_unique<FontStore>(fonts));
        AudioManager::install(std::make_unique<AudioManager>(
            std::make_unique<FakeAudioBackend>(std::make_shared<FakeAudioBackend::Books>()), home.root() + "/none/"));
        StateManager::destroy();
        std::filesystem::create_directories(home.userFolder());
        std::ofstream(home.userFolder() + "options.json")
            << R"({"Options": {"Fullscreen": false, "ResolutionX": 1280, "ResolutionY": 720, "MusicVol": 10}})";
        DisplayModes display;
        display.desktop = sf::VideoMode(1920, 1080, 24);
        for (auto [w, h] : {std::pair{1920u, 1080u}, {1280u, 720u}})
            display.fullscreenModes.emplace_back(w, h, 32);
        Options::install(std::make_unique<Options>(display));
    }
    void TearDown() override
    {
        OptionsScreen::destroy();
        Options::destroy();
        StateManager::destroy();
        AudioManager::destroy();
        FontStore::destroy();
        UiTest::TearDown();
    }

    static sf::Event mouse(sf::Event::EventType type)
    {
        sf::Event event;
        event.type = type;
        event.mouseButton.button = sf::Mouse::Left;
        event.mouseButton.x = 0;
        event.mouseButton.y = 0;
        return event;
    }
    static void press(OptionsScreen& screen, float x, float y)
    {
        screen.handleEvent(mouse(sf::Event::MouseButtonPressed), {x, y});
    }
    static void release(OptionsScreen& screen, float x, float y)
    {
        screen.handleEvent(mouse(sf::Event::MouseButtonReleased), {x, y});
    }
    static void move(OptionsScreen& screen, float x, float y)
    {
        sf::Event event;
        event.type = sf::Event::MouseMoved;
        event.mouseMove.x = 0;
        event.mouseMove.y = 0;
        screen.handleEvent(event, {x, y});
    }
    Json::Value saved() const
    {
        Json::Value root;
        std::ifstream(home.userFolder() + "options.json") >> root;
        return root["Options"];
    }
};

} // namespace

TEST_F(OptionsScreenTest, AVolumeBarTakesTheClickAndADragIsSavedOnceWhenLetGo)
{
    OptionsScreen screen;
    AudioManager& audio = AudioManager::get();
    const sf::FloatRect bar = screen.bar(OptionsScreen::Slider::Music);
    ASSERT_GT(bar.width, 0.f);
    EXPECT_NEAR(screen.knob(OptionsScreen::Slider::Music).getPosition().x,
                bar.left + Options::volumeKnobAt(10) * bar.width, 0.01f);

    const float middle = bar.left + bar.width / 2.f;
    press(screen, middle, bar.top + 2.f);
    EXPECT_EQ(audio.getMusicVolume(), 15u);
    EXPECT_EQ(saved()["MusicVol"].asUInt(), 15u);
    EXPECT_FLOAT_EQ(screen.knob(OptionsScreen::Slider::Music).getPosition().x, middle);

    // While held, every move sets the volume; nothing is written until the button is let go.
    move(screen, bar.left + bar.width + 40.f, 300.f);
    EXPECT_EQ(audio.getMusicVolume(), 100u);
    EXPECT_FLOAT_EQ(screen.knob(OptionsScreen::Slider::Music).getPosition().x, bar.left + bar.width);
    move(screen, bar.left + 0.75f * bar.width, bar.top);
    EXPECT_EQ(audio.getMusicVolume(), 45u);
    EXPECT_EQ(saved()["MusicVol"].asUInt(), 15u);
    EXPECT_TRUE(screen.isDragging());

    release(screen, 0.f, 0.f);
    EXPECT_FALSE(screen.isDragging());
    EXPECT_EQ(saved()["MusicVol"].asUInt(), 45u);
    move(screen, bar.left, bar.top);
    EXPECT_EQ(audio.getMusicVolume(), 45u);
    EXPECT_EQ(audio.getEffectsVolume(), saved()["FXVol"].asUInt());
}

TEST_F(OptionsScreenTest, TheTextSpeedBarReachesTenWordsAtSeventyPercent)
{
    OptionsScreen screen;
    Options& options = Options::get();
    const sf::FloatRect bar = screen.bar(OptionsScreen::Slider::TextSpeed);
    press(screen, bar.left + 0.8f * bar.width, bar.top + 1.f);
    release(screen, 0.f, 0.f);
    EXPECT_EQ(options.wordsPerSecond, 10);
    EXPECT_EQ(saved()["WordsPerSecond"].asUInt(), 10u);
    EXPECT_FLOAT_EQ(screen.knob(OptionsScreen::Slider::TextSpeed).getPosition().x, bar.left + 0.8f * bar.width);
    press(screen, bar.left, bar.top + 1.f);
    release(screen, 0.f, 0.f);
    EXPECT_EQ(options.wordsPerSecond, 3);
}

TEST_F(OptionsScreenTest, AFontThatCannotBeReadLeavesTheGameFontAsItWas)
{
    OptionsScreen screen;
    Dropdown& fonts = screen.fontList();
    EXPECT_EQ(fonts.getItems(), (std::vector<std::string>{"broken", "dejavu", "monofur"}));
    EXPECT_EQ(fonts.getSelected(), "monofur");
    sf::Font& game = FontStore::get().gameFont;
    const std::string before = game.getInfo().family;
    ASSERT_FALSE(before.empty());

    fonts.selectByName("broken");
    EXPECT_EQ(game.getInfo().family, before);
    EXPECT_EQ(Options::get().fontName, "monofur");
    EXPECT_EQ(fonts.getSelected(), "monofur");
    EXPECT_NE(logText().find("could not read the font"), std::string::npos);

    fonts.selectByName("dejavu");
    EXPECT_EQ(game.getInfo().family, "DejaVu Sans");
    EXPECT_EQ(saved()["FontName"].asString(), "dejavu");
}

TEST_F(OptionsScreenTest, AClickBesideAnOpenListOnlyClosesIt)
{
    OptionsScreen screen;
    const sf::FloatRect toggle = screen.resolutionList().getToggle().getSprite().getGlobalBounds();
    press(screen, toggle.left + 2.f, toggle.top + 2.f);
    release(screen, 0.f, 0.f);
    ASSERT_TRUE(screen.resolutionList().isOpen());
    EXPECT_EQ(host.sounds.back(), "button_click.wav");

    const sf::FloatRect bar = screen.bar(OptionsScreen::Slider::Music);
    press(screen, bar.left + bar.width / 2.f, bar.top + 2.f);
    release(screen, 0.f, 0.f);
    EXPECT_FALSE(screen.resolutionList().isOpen());
    EXPECT_EQ(host.sounds.back(), "character_interact_3.wav");
    EXPECT_EQ(AudioManager::get().getMusicVolume(), 10u);
}

TEST_F(OptionsScreenTest, TogglesAndFolderButtonsActAndSave)
{
    OptionsScreen screen;
    Options& options = Options::get();
    int windowChanges = 0, pointerChanges = 0;
    screen.onWindowModeChanged = [&] { ++windowChanges; };
    screen.onPointerChanged = [&] { ++pointerChanges; };

    struct Toggle {
        sf::Vector2f at;
        const char* key;
        bool* setting;
    };
    for (const Toggle& t : {Toggle{{224, 132}, "Fullscreen", &options.fullscreen},
                            {{224, 172}, "SpriteCursor", &options.spriteCursor},
                            {{374, 273}, "FoodCheat", &options.foodCheat},
                            {{374, 289}, "PlanetCheat", &options.planetCheat},
                            {{524, 132}, "MissionPrint", &options.missionPrint},
                            {{524, 212}, "FastForwardText", &options.fastForwardText},
                            {{524, 228}, "PauseText", &options.pauseText}}) {
        const bool before = *t.setting;
        press(screen, t.at.x, t.at.y);
        EXPECT_NE(*t.setting, before) << t.key;
        EXPECT_EQ(saved()[t.key].asBool(), *t.setting) << t.key;
    }
    EXPECT_EQ(windowChanges, 1);
    EXPECT_EQ(pointerChanges, 1);

    for (float y : {188.f, 172.f, 156.f})
        press(screen, 526.f, y);
    EXPECT_EQ(host.opened, (std::vector<std::string>{userPath(), logsPath(), Logger::path()}));
}

TEST_F(OptionsScreenTest, LeavingReturnsToWhereTheScreenWasOpenedFrom)
{
    OptionsScreen screen;
    StateManager& states = StateManager::get();
    struct Case {
        GameState from;
        GameState to;
        bool setup;
    };
    for (const Case& c : {Case{GameState::Title, GameState::Title, true}, {GameState::Options, GameState::Title, true},
                          {GameState::Mission, GameState::Mission, false}, {GameState::Map, GameState::Map, false}}) {
        Options::get().returnState = c.from;
        press(screen, 30.f, 320.f);
        EXPECT_EQ(states.requested, c.to);
        EXPECT_EQ(states.switchPending, c.setup);
        EXPECT_TRUE(states.holdDrawOnSwitch);
        EXPECT_EQ(host.sounds.back(), "deploy_leave_1.wav");
    }
}

TEST_F(OptionsScreenTest, DuringAMissionTheFontListExplainsWhyItIsOff)
{
    OptionsScreen screen;
    screen.setFontChoiceEnabled(false);
    const sf::FloatRect toggle = screen.fontList().getToggle().getSprite().getGlobalBounds();
    press(screen, toggle.left + 2.f, toggle.top + 2.f);
    EXPECT_FALSE(screen.fontList().isOpen());
    move(screen, toggle.left + 2.f, toggle.top + 2.f);
    EXPECT_TRUE(screen.fontTip().isVisible());
    move(screen, 10.f, 10.f);
    EXPECT_FALSE(screen.fontTip().isVisible());
    screen.setFontChoiceEnabled(true);
    press(screen, toggle.left + 2.f, toggle.top + 2.f);
    EXPECT_TRUE(screen.fontList().isOpen());
}

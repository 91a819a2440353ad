#include "core/TimedActions.hpp"
#include "support/FakeShipContext.hpp"
#include "support/ManualTimeSource.hpp"
#include "support/ShippedAssets.hpp"
#include "support/TextFiles.hpp"
#include "support/UiTestSupport.hpp"
#include "ui/Utf8.hpp"
#include "world/Ship.hpp"
#include "world/ShipWindowScreen.hpp"

#include <SFML/Graphics/RenderTexture.hpp>

namespace {

// The window over pictures of the real sizes, three systems, and a ship whose log the test fills.
class ShipWindowScreenTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        for (const auto& [path, size] : manifestSizes())
            if (path.rfind("ship_systems/", 0) == 0 || path.rfind("menu_popup/", 0) == 0)
                writeImage(assets + path, size.first, size.second, sf::Color(30, 30, 60));
        TextureManager::resetForTests(assets, true);
        TimedActions::install(std::make_unique<TimedActions>(time));
        systems = home.root() + "/systems.json";
        writeText(systems, R"({"Systems": [
            {"Sprite": "ship_systems/button_overview.png", "Details": "The whole ship."},
            {"Sprite": "ship_systems/button_engines.png", "Details": "Two drives."},
            {"Sprite": "ship_systems/button_sensors.png", "Details": "The array."}]})");
        ASSERT_TRUE(target.create(640, 360));
    }
    void TearDown() override
    {
        WindowManager::destroy();
        TimedActions::destroy();
        UiTest::TearDown();
    }

    std::unique_ptr<ShipWindowScreen> open()
    {
        auto window = std::make_unique<ShipWindowScreen>(ship, systems);
        window->onShipButtonReleased = [this] { ++releases; };
        return window;
    }
    void key(ShipWindowScreen& window, sf::Keyboard::Key code)
    {
        sf::Event event;
        event.type = sf::Event::KeyPressed;
        event.key = {code, false, false, false, false};
        window.handleEvent(event, target, view);
    }
    void click(ShipWindowScreen& window, float x, float y)
    {
        sf::Event event;
        event.type = sf::Event::MouseButtonPressed;
        event.mouseButton = {sf::Mouse::Left, static_cast<int>(x), static_cast<int>(y)};
        window.handleEvent(event, target, view);
    }
    std::string details(const ShipWindowScreen& window)
    {
        std::string text;
        for (const auto& line : TextManager::get().getRichText(window.detailsTextId()).getLines())
            for (const sf::Text& part : line.getTexts())
                text += Utf8::fromLabel(part.getString());
        return text;
    }
    std::vector<std::string> listed(const ShipWindowScreen& window)
    {
        std::vector<std::string> lines;
        for (int id : window.logTextIds())
            lines.push_back(Utf8::fromLabel(TextManager::get().getText(id).getString()));
        return lines;
    }
    void fillLog(int entries)
    {
        for (int i = 1; i <= entries; ++i)
            ship.adjustSensors(i % 2 ? 0.25f : -0.25f, "entry " + std::to_string(i));
    }

    ManualTimeSource time;
    FakeShipContext context;
    Ship ship{context};
    std::string systems;
    int releases = 0;
    sf::RenderTexture target;
    sf::View view{sf::FloatRect(0.f, 0.f, 640.f, 360.f)};
};

} // namespace

TEST_F(ShipWindowScreenTest, SystemsComeFromTheFileAndTheLogButtonComesLast)
{
    auto window = open();
    ASSERT_EQ(window->buttonCount(), 4u);
    EXPECT_EQ(window->logButtonIndex(), 3u);
    EXPECT_EQ(details(*window), "The whole ship.");
    EXPECT_EQ(window->systemButton(0).getSprite().getTexture(),
              &TextureManager::get().getTexture("ship_systems/button_overview.png_DOWN"));

    // An empty log says so, with no arrows.
    key(*window, sf::Keyboard::Left);
    EXPECT_EQ(window->selected(), 3u);
    EXPECT_EQ(details(*window), "No ship systems have been upgraded or downgraded.");
    EXPECT_TRUE(window->logTextIds().empty());

    // Without a usable file only the log is offered.
    writeText(systems, "{\"Systems\": 3}");
    auto bare = open();
    EXPECT_EQ(bare->buttonCount(), 1u);
}

TEST_F(ShipWindowScreenTest, SelectionWrapsAndOnlyTheCloseButtonCloses)
{
    auto window = open();
    key(*window, sf::Keyboard::A);
    EXPECT_EQ(window->selected(), 3u);
    key(*window, sf::Keyboard::D);
    EXPECT_EQ(window->selected(), 0u);
    key(*window, sf::Keyboard::Right);
    EXPECT_EQ(details(*window), "Two drives.");

    // Clicking the selected button changes nothing and makes no sound of its own.
    host.sounds.clear();
    const sf::Vector2f engines = window->systemButton(1).getSprite().getPosition() + sf::Vector2f(10.f, 10.f);
    click(*window, engines.x, engines.y);
    EXPECT_TRUE(host.sounds.empty());
    const sf::Vector2f sensors = window->systemButton(2).getSprite().getPosition() + sf::Vector2f(10.f, 10.f);
    click(*window, sensors.x, sensors.y);
    EXPECT_EQ(window->selected(), 2u);
    EXPECT_EQ(host.sounds, std::vector<std::string>{"button_click.wav"});

    key(*window, sf::Keyboard::Escape);
    EXPECT_EQ(releases, 1);
    EXPECT_FALSE(window->closed);
    click(*window, 60.f, 335.f);
    EXPECT_EQ(releases, 2);
    EXPECT_TRUE(window->closed);
}

TEST_F(ShipWindowScreenTest, TheLogPagesNewestFirstAndLookingAtItStopsTheGlow)
{
    fillLog(5);
    ASSERT_TRUE(ship.hasUnseenUpgrades());
    auto window = open();
    // The glow follows the map's blinking while there are unseen lines.
    bool glowed = false;
    for (int step = 0; step < 30; ++step) {
        window->update();
        glowed = glowed || window->systemButton(3).attention;
    }
    EXPECT_TRUE(glowed);

    key(*window, sf::Keyboard::Left);
    EXPECT_FALSE(ship.hasUnseenUpgrades());
    EXPECT_FALSE(window->systemButton(3).attention);
    const std::vector<std::string> page = listed(*window);
    ASSERT_EQ(page.size(), 5u);
    EXPECT_EQ(page.front().rfind("> Sensor upgrade - Jump 1: entry 5", 0), 0u);
    EXPECT_EQ(page.back().rfind("> Sensor upgrade - Jump 1: entry 1", 0), 0u);
    EXPECT_FALSE(window->upArrow().enabled);
    EXPECT_TRUE(window->downArrow().enabled);

    for (int press = 0; press < 6; ++press)
        key(*window, sf::Keyboard::S);
    EXPECT_EQ(window->logPage(), 4);
    EXPECT_EQ(listed(*window).size(), 1u); // only the oldest is left
    EXPECT_FALSE(window->downArrow().enabled);
    EXPECT_TRUE(window->upArrow().enabled);

    key(*window, sf::Keyboard::W);
    EXPECT_EQ(window->logPage(), 3);
    EXPECT_EQ(listed(*window).front().rfind("> Sensor downgrade - Jump 1: entry 2", 0), 0u);
}

TEST_F(ShipWindowScreenTest, AnEntryThatDoesNotFitIsNeverMade)
{
    fillLog(3);
    // A reason of many lines: the newest entry alone is taller than the page.
    ship.adjustEngineSpeed(0.001f, std::string(40, 'x') + std::string(30, '\n') + "end");
    auto window = open();
    const int before = TextManager::get().addText(0, 0, "");
    key(*window, sf::Keyboard::Left);
    const int after = TextManager::get().addText(0, 0, "");
    EXPECT_TRUE(window->logTextIds().empty());
    EXPECT_EQ(after, before + 1); // nothing was made for the page
    key(*window, sf::Keyboard::S);
    EXPECT_EQ(listed(*window).size(), 3u);
}

TEST_F(ShipWindowScreenTest, AWindowClosedBeforeItsArrowsSpringBackLeavesNothingBehind)
{
    fillLog(5);
    WindowManager& windows = WindowManager::get();
    auto window = open();
    ShipWindowScreen* shown = window.get();
    windows.open(std::move(window));
    key(*shown, sf::Keyboard::Left);
    key(*shown, sf::Keyboard::S);
    key(*shown, sf::Keyboard::S);
    key(*shown, sf::Keyboard::W);
    EXPECT_GT(TimedActions::get().size(), 0u);

    windows.close();
    EXPECT_EQ(TimedActions::get().size(), 0u);
    time.advance(sf::seconds(1));
    TimedActions::get().fire(); // under AddressSanitizer a late restore would be a use after free
    EXPECT_FALSE(windows.isOpen());

    // Left open, the window's restores run after half a second and are gone.
    auto open = this->open();
    key(*open, sf::Keyboard::Left);
    key(*open, sf::Keyboard::S);
    EXPECT_EQ(TimedActions::get().size(), 1u);
    time.advance(sf::milliseconds(501));
    TimedActions::get().fire();
    EXPECT_EQ(TimedActions::get().size(), 0u);
    EXPECT_EQ(open->downArrow().getSprite().getTexture(),
              &TextureManager::get().getTexture("ship_systems/button_arrow_down.png_UP"));
}

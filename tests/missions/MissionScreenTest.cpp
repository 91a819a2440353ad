#include "missions/MissionScreen.hpp"

#include "missions/MissionManager.hpp"
#include "support/FakeShipContext.hpp"
#include "support/UiTestSupport.hpp"
#include "world/Ship.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

namespace {

// The screen over a live mission whose script side the test plays; time is handed in.
class Screen : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        const sf::Color grey(90, 90, 90);
        for (const auto& [file, w, h] : { std::tuple{ "general/button_leave.png", 50u, 24u },
                                          std::tuple{ "general/button_menu.png", 38u, 16u },
                                          std::tuple{ "ingamescreen/button_play.png", 33u, 11u },
                                          std::tuple{ "ingamescreen/button_pause.png", 33u, 11u },
                                          std::tuple{ "ingamescreen/button_fastforward.png", 33u, 11u } })
            writeButtonSheet(assets + file, w, h, grey, sf::Color(40, 40, 40), sf::Color(20, 20, 20));
        TextureManager::resetForTests(assets, true);
        missions = std::make_unique<MissionManager>(nullptr, assets);
        missions->resetForMission();
        screen = std::make_unique<MissionScreen>(*missions);
        screen->settingsSource = [this] { return settings; };
    }
    void TearDown() override
    {
        screen.reset();
        missions.reset();
        UiTest::TearDown();
    }
    // A message of `words` spaces.
    static std::string words(int count)
    {
        std::string text = "w";
        for (int i = 0; i < count; ++i)
            text += " w";
        return text;
    }
    // Frames of 1/30 s from `from` to `to`; the time of the first frame after which
    // `revealed` messages are out, or -1.
    double runUntil(double from, double to, std::size_t revealed)
    {
        for (double now = from; now <= to; now += 1.0 / 30.0) {
            screen->update(now);
            if (screen->revealedCount() >= revealed)
                return now;
        }
        return -1.0;
    }
    std::size_t shownSets() const
    {
        std::size_t shown = 0;
        for (const auto& set : missions->offeredChoiceSets())
            shown += set.shown ? 1 : 0;
        return shown;
    }

    MissionScreen::TextSettings settings;
    std::unique_ptr<MissionManager> missions;
    std::unique_ptr<MissionScreen> screen;
};

} // namespace

TEST_F(Screen, MessagesFollowAfterWholeSecondsOfTheirWords)
{
    settings.wordsPerSecond = 6;
    missions->addMessage(words(5));
    missions->addMessage(words(12));
    missions->addMessage("last");
    screen->open(0.0);
    const double first = runUntil(0.0, 1.0, 1);
    ASSERT_GE(first, 0.0);
    // 5 / 6 = 0 s: the next frame.
    screen->update(first + 1.0 / 30.0);
    EXPECT_EQ(screen->revealedCount(), 2u);
    // 12 / 6 = 2 s after the second.
    const double second = first + 1.0 / 30.0;
    screen->update(second + 1.99);
    EXPECT_EQ(screen->revealedCount(), 2u);
    screen->update(second + 2.01);
    EXPECT_EQ(screen->revealedCount(), 3u);
}

TEST_F(Screen, ZeroWordsPerSecondCountsAsThreeAndFastForwardCapsTheWait)
{
    settings.wordsPerSecond = 0;
    missions->addMessage(words(6));
    missions->addMessage("next");
    screen->open(0.0);
    const double first = runUntil(0.0, 1.0, 1);
    screen->update(first + 1.9);
    EXPECT_EQ(screen->revealedCount(), 1u) << "6 / 3 = 2 s";
    screen->update(first + 2.05);
    EXPECT_EQ(screen->revealedCount(), 2u);

    missions->resetForMission();
    settings.fastForward = true;
    missions->addMessage(words(60));
    missions->addMessage("next");
    screen->open(10.0);
    const double again = runUntil(10.0, 11.0, 1);
    EXPECT_EQ(runUntil(again, again + 0.2, 2) >= 0.0, true) << "at most 100 ms apart";
}

TEST_F(Screen, PausedTextAdvancesOnlyOnRequestAndOneMessagePerFrame)
{
    settings.paused = true;
    missions->addMessage("one two");
    missions->addMessage("");
    missions->addMessage("three four");
    screen->open(0.0);
    screen->update(5.0);
    EXPECT_EQ(screen->revealedCount(), 0u);
    screen->handleKey(sf::Keyboard::Space, 5.0); // Space clicks the text area
    screen->update(5.2);
    EXPECT_EQ(screen->revealedCount(), 1u);
    screen->update(5.4);
    EXPECT_EQ(screen->revealedCount(), 1u) << "the request was used up";
    screen->handleClick(100.f, 100.f, 5.4);
    screen->update(5.6);
    EXPECT_EQ(screen->revealedCount(), 2u) << "the empty message";
    screen->update(5.8);
    EXPECT_EQ(screen->revealedCount(), 3u) << "an empty message does not use up the request";
}

TEST_F(Screen, AChoiceSetShowsWithTheLastMessageBeforeIt)
{
    settings.wordsPerSecond = 1;
    missions->buildChoice("At once");
    missions->finalizeChoice();
    missions->addMessage(words(3));
    missions->addMessage("The door is sealed.");
    missions->buildChoice("Open it");
    missions->finalizeChoice();
    screen->open(0.0);
    const double first = runUntil(0.0, 1.0, 1);
    ASSERT_GE(first, 0.0);
    EXPECT_EQ(shownSets(), 1u) << "a set with no text before it shows with the first step";
    screen->update(first + 2.9);
    EXPECT_EQ(screen->revealedCount(), 1u);
    EXPECT_EQ(shownSets(), 1u) << "the set waits for the message still to come above it";
    const double second = runUntil(first + 3.0, first + 4.0, 2);
    ASSERT_GE(second, 0.0);
    EXPECT_EQ(shownSets(), 2u) << "and shows in the frame that reveals it";
}

TEST_F(Screen, DigitsPickInTheNewestOpenSetOnly)
{
    missions->addMessage("Choose.");
    missions->buildChoice("Left");
    missions->buildLockedChoice("Right");
    missions->finalizeChoice();
    screen->open(0.0);
    runUntil(0.0, 1.0, 1);
    screen->update(2.0);
    ASSERT_EQ(shownSets(), 1u);
    screen->handleKey(sf::Keyboard::Num3, 2.0);
    screen->handleKey(sf::Keyboard::Numpad2, 2.0); // locked
    EXPECT_EQ(missions->getChoiceResponse(0), -1);
    screen->handleKey(sf::Keyboard::Numpad1, 2.0);
    EXPECT_EQ(missions->getChoiceResponse(0), 0);

    missions->addMessage("Again.");
    missions->buildChoice("A");
    missions->buildChoice("B");
    missions->finalizeChoice();
    runUntil(2.1, 4.0, 2);
    screen->update(5.0);
    ASSERT_EQ(shownSets(), 2u);
    // A click on the second button of the new set.
    const sf::FloatRect b = screen->page().choiceSets().at(1).buttons.at(1).getBounds();
    screen->handleClick(b.left + 2.f, b.top + 2.f, 5.0);
    EXPECT_EQ(missions->getChoiceResponse(1), 1);
}

TEST_F(Screen, LeaveOpensAtTheEndAndHoldsBeforeItIsReported)
{
    int menus = 0;
    bool saveOffered = true;
    screen->onMenu = [&](bool allowed) {
        ++menus;
        saveOffered = allowed;
    };
    missions->addMessage("Story.");
    screen->open(0.0);
    screen->handleClick(590.f, 335.f, 0.0);
    screen->update(1.0);
    EXPECT_FALSE(screen->leaveActive());
    screen->handleClick(525.f, 332.f, 1.0);
    EXPECT_EQ(menus, 1);
    EXPECT_FALSE(saveOffered) << "no save while the script runs";

    missions->endMission(true);
    runUntil(1.0, 3.0, 3);
    EXPECT_TRUE(screen->leaveActive());
    EXPECT_TRUE(screen->saveRequested());
    screen->handleClick(590.f, 335.f, 3.0);
    screen->update(3.1);
    EXPECT_FALSE(screen->leaveRequested()) << "the hold";
    screen->update(3.3);
    EXPECT_TRUE(screen->leaveRequested());
    screen->handleClick(525.f, 332.f, 3.3);
    EXPECT_TRUE(saveOffered);

    // The next mission opens with LEAVE dark, even under a pointer left lighting it.
    screen->handleMouseMove(590.f, 335.f);
    ASSERT_TRUE(screen->leaveButton().isFocused());
    missions->resetForMission();
    screen->open(4.0);
    EXPECT_FALSE(screen->leaveButton().isFocused());
}

TEST_F(Screen, TheFoodIconShowsTheCannibalStarvation)
{
    FakeShipContext context;
    Ship ship(context);
    screen->setShip(&ship);
    EXPECT_EQ(screen->foodIconName(), "ingamescreen/food_icon_small.png");
    missions->addQuestItem("cannibal");
    missions->addQuestItem("cannibal_fuel");
    EXPECT_EQ(screen->foodIconName(), "ingamescreen/food_icon_small_cannibal.png");
    ship.adjustFood(-ship.getFood());
    EXPECT_EQ(screen->foodIconName(), "ingamescreen/starvation_icon_small_cannibal.png");
    EXPECT_EQ(screen->fuelIconName(), "ingamescreen/fuel_icon_small_cannibal.png");
    missions->removeQuestItem("cannibal");
    EXPECT_EQ(screen->foodIconName(), "ingamescreen/starvation_icon_small.png");
    screen->setShip(nullptr);
}

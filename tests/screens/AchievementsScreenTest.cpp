#include "screens/AchievementsScreen.hpp"

#include "achievements/VoidAchievementManager.hpp"
#include "core/StateManager.hpp"
#include "creator/CreatorFixture.hpp"

namespace {

// The deeds screen over the real catalogue (21 entries), with the pictures of the creator's fixture.
class DeedsTest : public CreatorTest {
protected:
    void SetUp() override
    {
        CreatorTest::SetUp();
        StateManager::destroy();
        achievements.buildCatalogue();
        screen = std::make_unique<AchievementsScreen>(achievements);
        screen->reset();
    }
    void TearDown() override
    {
        screen.reset();
        StateManager::destroy();
        CreatorTest::TearDown();
    }
    void click(Button& button)
    {
        const sf::FloatRect box = button.getBounds();
        sf::Event event;
        event.type = sf::Event::MouseButtonPressed;
        event.mouseButton.button = sf::Mouse::Left;
        screen->handleEvent(event, { box.left + 1.f, box.top + 1.f });
        event.type = sf::Event::MouseButtonReleased;
        screen->handleEvent(event, { box.left + 1.f, box.top + 1.f });
    }
    int shownOnPage() const
    {
        int shown = 0;
        const auto& entries = screen->entries();
        for (std::size_t i = screen->page(); i < entries.size() && i < screen->page() + 6u; ++i)
            ++shown;
        return shown;
    }

    VoidAchievementManager achievements;
    std::unique_ptr<AchievementsScreen> screen;
};

} // namespace

TEST_F(DeedsTest, PagesOfSixTurnBothWays)
{
    ASSERT_EQ(screen->entries().size(), 21u);
    EXPECT_FALSE(screen->previousArrow().enabled);
    click(screen->previousArrow());
    EXPECT_EQ(screen->page(), 0u);
    for (unsigned expected : { 6u, 12u, 18u }) {
        click(screen->nextArrow());
        EXPECT_EQ(screen->page(), expected);
    }
    EXPECT_FALSE(screen->nextArrow().enabled);
    EXPECT_EQ(shownOnPage(), 3);
    // The last page is one column: entries 18, 19, 20 one under another.
    EXPECT_EQ(screen->entries()[20].x, 37.f);
    EXPECT_EQ(screen->entries()[20].y, 33.f + 2 * 69.f);
    click(screen->previousArrow());
    EXPECT_EQ(screen->page(), 12u);
    EXPECT_EQ(screen->entries()[15].x, 37.f + 290.f);
    EXPECT_EQ(screen->entries()[15].y, 33.f);
}

TEST_F(DeedsTest, ProgressBarsFollowTheCounters)
{
    const std::size_t jumper = 10, traveller = 11;
    const auto& entries = screen->entries();
    achievements.setJumpCount(0);
    achievements.setDistanceTravelled(125.9f);
    click(screen->nextArrow()); // page 6: both are on it
    EXPECT_EQ(entries[jumper].barBack.getSize(), sf::Vector2f(186.f, 1.f));
    EXPECT_EQ(entries[jumper].barFill.getSize().x, 0.f);
    EXPECT_EQ(entries[traveller].barFill.getSize().x, 46.f) << "125 of 500, truncated";
    EXPECT_EQ(entries[traveller].barBack.getPosition(), sf::Vector2f(entries[traveller].x + 80.f,
                                                                      entries[traveller].y + 46.f));
    achievements.setJumpCount(80);
    screen->update();
    EXPECT_EQ(entries[jumper].barFill.getSize().x, 186.f);
    EXPECT_TRUE(entries[jumper].unlocked);
}

TEST_F(DeedsTest, AnUnlockWhileOpenShowsAtTheNextStep)
{
    EXPECT_EQ(screen->unlockedText(), "Unlocked: 0 / 21");
    EXPECT_EQ(screen->recentIndex(), -1);
    EXPECT_FALSE(screen->recentSlot().enabled);
    achievements.unlockAchievement("out_of_gas");
    achievements.unlockAchievement("eat_crew");
    achievements.unlockAchievement("add_dorov");
    EXPECT_FALSE(screen->entries()[3].unlocked);
    screen->update();
    EXPECT_TRUE(screen->entries()[3].unlocked);
    EXPECT_EQ(screen->unlockedText(), "Unlocked: 3 / 21");
    EXPECT_EQ(screen->recentIndex(), 20);
    // Over the recent slot its deed is told; away from it the text goes.
    const sf::FloatRect recent = screen->recentSlot().getBounds();
    sf::Event move;
    move.type = sf::Event::MouseMoved;
    screen->handleEvent(move, { recent.left + 2.f, recent.top + 2.f });
    EXPECT_TRUE(screen->slotTip().isVisible());
    EXPECT_EQ(TextManager::get().getText(screen->slotTip().getTextId()).getString(), "Add a lost soul to your crew");
    screen->handleEvent(move, { 5.f, 5.f });
    EXPECT_FALSE(screen->slotTip().isVisible());
    // The recent slot turns to the page that holds it.
    click(screen->recentSlot());
    EXPECT_EQ(screen->page(), 18u);
}

TEST_F(DeedsTest, TheUpcomingSlotTurnsToThePageThatHoldsIt)
{
    // Of the counted deeds the one nearest its goal comes next.
    achievements.setFoodCount(300);
    achievements.setMementoCount(4);
    screen->update();
    EXPECT_EQ(screen->upcomingIndex(), 14) << "4 of 5 mementos beats 300 of 600 food";
    click(screen->nextArrow());
    click(screen->nextArrow());
    click(screen->upcomingSlot());
    EXPECT_EQ(screen->page(), 12u) << "entry 14 is on page 12";
    achievements.setMementoCount(0);
    achievements.setFoodCount(0);
    achievements.unlockAchievement("add_alien");
    achievements.unlockAchievement("eat_crew");
    achievements.unlockAchievement("crew_starves");
    achievements.unlockAchievement("out_of_gas");
    for (const auto& entry : achievements.getCatalogue())
        if (entry.getThreshold() > 0)
            achievements.unlockAchievement(entry.getId());
    screen->update();
    EXPECT_EQ(screen->upcomingIndex(), 4);
    click(screen->upcomingSlot());
    EXPECT_EQ(screen->page(), 0u) << "entry 4 is on page 0";
}

TEST_F(DeedsTest, EverythingUnlockedLeavesTheUpcomingSlotEmpty)
{
    achievements.unlockAll();
    screen->reset();
    EXPECT_EQ(screen->unlockedText(), "Unlocked: 21 / 21");
    EXPECT_EQ(screen->upcomingIndex(), -1);
    EXPECT_FALSE(screen->upcomingShown());
    click(screen->upcomingSlot());
    EXPECT_EQ(screen->page(), 0u);
}

#include "achievements/VoidAchievementManager.hpp"

#include "support/LogCapture.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class Achievements : public ::testing::Test {
protected:
    void SetUp() override { manager.buildCatalogue(); }

    const Achievement& entry(const std::string& id) const
    {
        const auto& catalogue = manager.getCatalogue();
        auto found = std::find_if(catalogue.begin(), catalogue.end(),
                                  [&](const Achievement& a) { return a.getId() == id; });
        EXPECT_NE(found, catalogue.end()) << id;
        return *found;
    }
    int unlockedShown() const
    {
        const auto& catalogue = manager.getCatalogue();
        return static_cast<int>(std::count_if(catalogue.begin(), catalogue.end(),
                                              [](const Achievement& a) { return a.isUnlocked(); }));
    }

    LogCapture log;
    VoidAchievementManager manager;
};

} // namespace

TEST_F(Achievements, CatalogueHoldsTheTwentyOneEntriesInOrder)
{
    const auto& catalogue = manager.getCatalogue();
    ASSERT_EQ(catalogue.size(), 21u);
    EXPECT_EQ(catalogue.front().getId(), "add_alien");
    EXPECT_EQ(catalogue[10].getId(), "space_jumper");
    EXPECT_EQ(catalogue.back().getId(), "add_dorov");
    for (const Achievement& a : catalogue) {
        EXPECT_EQ(a.getFlavour().substr(a.getFlavour().size() - 3), "...") << a.getId();
        EXPECT_EQ(a.getStatName().empty(), a.getThreshold() == 0) << a.getId();
        EXPECT_FALSE(a.isUnlocked());
    }
    manager.buildCatalogue(); // building again does not double it
    EXPECT_EQ(manager.getCatalogue().size(), 21u);
}

TEST_F(Achievements, ThresholdsByIdAndMinusOneForUnknownIds)
{
    EXPECT_EQ(manager.getThreshold("crew_killer"), 12);
    EXPECT_EQ(manager.getThreshold("memento_collector2"), 51);
    EXPECT_EQ(manager.getThreshold("party_wipe"), 0);
    EXPECT_EQ(manager.getThreshold("no_such_thing"), -1);
}

TEST_F(Achievements, CounterProgressIsCappedAndLocksAgainWhenItFalls)
{
    manager.setJumpCount(75);
    EXPECT_EQ(entry("space_jumper").getProgress(), 50);
    EXPECT_TRUE(entry("space_jumper").isUnlocked());
    manager.setJumpCount(10);
    EXPECT_EQ(entry("space_jumper").getProgress(), 10);
    EXPECT_FALSE(entry("space_jumper").isUnlocked());

    manager.setMementoCount(7);
    EXPECT_EQ(entry("memento_collector1").getProgress(), 5);
    EXPECT_TRUE(entry("memento_collector1").isUnlocked());
    EXPECT_EQ(entry("memento_collector2").getProgress(), 7);
    EXPECT_FALSE(entry("memento_collector2").isUnlocked());

    manager.setDistanceTravelled(499.9f); // truncated, not rounded up to the threshold
    EXPECT_EQ(entry("space_traveller").getProgress(), 499);
    EXPECT_FALSE(entry("space_traveller").isUnlocked());
    manager.setDistanceTravelled(1e30f);
    EXPECT_EQ(entry("space_traveller").getProgress(), 500);
    manager.setDistanceTravelled(-1e30f); // a broken counter never overflows the progress
    EXPECT_FALSE(entry("space_traveller").isUnlocked());
}

TEST_F(Achievements, ListsCountEveryKnownEntryIncludingRepeats)
{
    manager.setResearched({ "argon_blackhole_research_0", "argon_blackhole_research_0", "not_research" });
    EXPECT_EQ(entry("researcher2").getProgress(), 2);
    EXPECT_TRUE(entry("researcher1").isUnlocked()) << "any research unlocks the first researcher";
    EXPECT_EQ(manager.unlockedList(), std::vector<std::string>{ "researcher1" });

    manager.setCrewSaved({ "Somebody Else", "Nobody" });
    EXPECT_EQ(entry("crew_saviour").getProgress(), 0);
    manager.setCrewKilled(AchievementManager::characterNames());
    EXPECT_EQ(entry("crew_killer").getProgress(), 12);
    EXPECT_TRUE(entry("crew_killer").isUnlocked());
}

TEST_F(Achievements, EmptyResearchUnlocksNothing)
{
    manager.setResearched({});
    EXPECT_FALSE(entry("researcher1").isUnlocked());
    EXPECT_TRUE(manager.unlockedList().empty());
}

TEST_F(Achievements, SingleUnlockRecordsOnceShowsAndLogs)
{
    EXPECT_TRUE(manager.unlockAchievement("party_wipe"));
    EXPECT_TRUE(manager.unlockAchievement("party_wipe"));
    EXPECT_EQ(manager.unlockedList(), std::vector<std::string>{ "party_wipe" });
    EXPECT_TRUE(entry("party_wipe").isUnlocked());
    std::string text = log.text();
    EXPECT_NE(text.find("Unlocked Achievement: party_wipe\n"), std::string::npos);
    EXPECT_EQ(text.find("Unlocked Achievement: party_wipe"), text.rfind("Unlocked Achievement: party_wipe"));

    EXPECT_TRUE(manager.clearAchievement("party_wipe"));
    EXPECT_TRUE(manager.unlockedList().empty());
    EXPECT_FALSE(entry("party_wipe").isUnlocked());
    EXPECT_TRUE(log.contains("Cleared Achievement: party_wipe\n"));
}

TEST_F(Achievements, UnknownIdsOnlyTouchTheList)
{
    manager.unlockAchievement("made_up");
    EXPECT_EQ(manager.unlockedList(), std::vector<std::string>{ "made_up" });
    EXPECT_EQ(unlockedShown(), 0);
    manager.clearAchievement("made_up");
    manager.clearAchievement("never_there");
    EXPECT_TRUE(manager.unlockedList().empty());
}

TEST_F(Achievements, UnlockAllClearAllAndRefresh)
{
    manager.unlockAchievement("eat_crew");
    EXPECT_TRUE(manager.unlockAll());
    EXPECT_EQ(manager.unlockedList().size(), 21u) << "ids already unlocked are not stored twice";
    EXPECT_EQ(unlockedShown(), 21);
    EXPECT_TRUE(log.contains("All Achievements Unlocked\n"));

    // A fresh catalogue shows everything locked until the list is applied again.
    manager.buildCatalogue();
    EXPECT_EQ(unlockedShown(), 0);
    manager.refreshUnlocked();
    EXPECT_EQ(unlockedShown(), 21);

    EXPECT_TRUE(manager.clearAll());
    EXPECT_TRUE(manager.unlockedList().empty());
    EXPECT_EQ(unlockedShown(), 0);
    EXPECT_TRUE(log.contains("Achievements Cleared\n"));
}

TEST_F(Achievements, RefreshNeverLocksWhatProgressUnlocked)
{
    manager.setFoodCount(600);
    manager.refreshUnlocked();
    EXPECT_TRUE(entry("food_glutton").isUnlocked());
}

TEST_F(Achievements, UnlockedListIsTheOneHandedOver)
{
    auto shared = std::make_shared<std::vector<std::string>>(std::vector<std::string>{ "out_of_gas" });
    manager.useUnlockedList(shared);
    manager.refreshUnlocked();
    EXPECT_TRUE(entry("out_of_gas").isUnlocked());
    manager.unlockAchievement("eat_crew");
    EXPECT_EQ(*shared, (std::vector<std::string>{ "out_of_gas", "eat_crew" }));
}

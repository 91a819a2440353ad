#include "missions/MissionManager.hpp"

#include "support/FakeShipContext.hpp"
#include "support/LogCapture.hpp"
#include "world/Ship.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// The script's side called straight from the test, the screen's side through the hand-over.
class Runtime : public ::testing::Test {
protected:
    void SetUp() override
    {
        missions.resetForMission();
        missions.onDeath = [this](const PendingDeath& death) { deaths.push_back(death); };
    }

    // What the screen has taken so far.
    std::vector<std::string> texts()
    {
        std::vector<std::string> result;
        for (const auto& shown : missions.displayedMessages())
            result.push_back((shown.message->isHeader ? "H:" : "") + shown.message->text);
        return result;
    }
    std::vector<std::string> labels(std::size_t set)
    {
        std::vector<std::string> result;
        for (const MissionChoice& choice : missions.offeredChoiceSets().at(set).set->choices)
            result.push_back(choice.label + (choice.locked ? " (locked)" : ""));
        return result;
    }
    void pick(std::size_t set, std::int32_t index)
    {
        missions.takeQueued();
        missions.showChoiceSet(set);
        ASSERT_TRUE(missions.answerChoice(set, index));
    }
    void revealAll()
    {
        missions.takeQueued();
        for (std::size_t i = 0; i < missions.displayedMessages().size(); ++i)
            missions.revealMessage(i);
    }

    LogCapture log;
    MissionManager missions { nullptr, log.home().root() + "/none/" };
    std::vector<PendingDeath> deaths;
};

} // namespace

TEST_F(Runtime, BlankLinesCollapseExceptRightAfterAChoiceSet)
{
    missions.addMessage("Dust.");
    missions.addMessage(" ");
    missions.addMessage(" ");
    missions.buildChoice("On");
    missions.finalizeChoice();
    missions.addMessage(" ");
    missions.addMessage(" ");
    missions.addMessage(" ");
    missions.addHeader("<c=255,0,0>Alarm</c>");
    missions.takeQueued();
    EXPECT_EQ(texts(), (std::vector<std::string>{ "Dust.", " ", "H: ", "H:<c=255,0,0>Alarm</c>" }));
    EXPECT_EQ(missions.displayedMessages().back().message->plainText, "Alarm");
    EXPECT_TRUE(log.contains("Alarm\n")) << "headers go to the log while MissionPrint is on";
}

TEST_F(Runtime, ChoicesAreNumberedAfreshInEachSetAndAnchoredToTheTextBefore)
{
    missions.buildChoice("Left");
    missions.buildLockedChoice("Right");
    missions.finalizeChoice();
    missions.addMessage("one");
    missions.addMessage("two");
    missions.addMessage("three");
    missions.buildChoice("Wait");
    missions.finalizeChoice();
    missions.takeQueued();
    ASSERT_EQ(missions.offeredChoiceSets().size(), 2u);
    EXPECT_EQ(labels(0), (std::vector<std::string>{ "1. Left", "2. Right (locked)" }));
    EXPECT_EQ(labels(1), (std::vector<std::string>{ "1. Wait" }));
    EXPECT_EQ(missions.offeredChoiceSets()[0].set->anchor, -1);
    EXPECT_EQ(missions.offeredChoiceSets()[1].set->anchor, 2);
}

TEST_F(Runtime, AResponseIsThePickOnceMadeAndOnlyWhileLive)
{
    missions.buildChoice("Left");
    missions.buildLockedChoice("Right");
    missions.buildChoice("Back");
    missions.finalizeChoice();
    EXPECT_EQ(missions.getChoiceResponse(0), -1);
    missions.takeQueued();
    EXPECT_FALSE(missions.answerChoice(0, 0)) << "not shown yet";
    missions.showChoiceSet(0);
    EXPECT_FALSE(missions.answerChoice(0, 1)) << "locked";
    EXPECT_FALSE(missions.answerChoice(0, 3));
    EXPECT_FALSE(missions.answerChoice(0, -1));
    EXPECT_FALSE(missions.answerChoice(1, 0));
    EXPECT_TRUE(missions.answerChoice(0, 2));
    EXPECT_FALSE(missions.answerChoice(0, 0)) << "answered once";
    for (std::int32_t set : { -1, 1, 99 })
        EXPECT_EQ(missions.getChoiceResponse(set), -1) << set;
    EXPECT_EQ(missions.getChoiceResponse(0), 2);
    missions.endMission(true);
    EXPECT_EQ(missions.getChoiceResponse(0), -1);
}

TEST_F(Runtime, RechoiceOffersTheSetAgainWithThePickLocked)
{
    missions.buildChoice("Left");
    missions.buildChoice("Right");
    missions.buildLockedChoice("Up");
    missions.finalizeChoice();
    missions.rechoice(0); // not answered yet: offered again as it was
    pick(0, 1);
    missions.rechoice(0);
    missions.takeQueued();
    ASSERT_EQ(missions.offeredChoiceSets().size(), 3u);
    EXPECT_EQ(labels(1), (std::vector<std::string>{ "1. Left", "2. Right", "3. Up (locked)" }));
    EXPECT_EQ(labels(2), (std::vector<std::string>{ "1. Left", "2. Right (locked)", "3. Up (locked)" }));
    EXPECT_EQ(missions.getChoiceResponse(2), -1) << "the new set gets the next number";
    for (std::int32_t set : { -1, 3 }) {
        try {
            missions.rechoice(set);
            ADD_FAILURE() << set;
        } catch (const std::out_of_range& error) {
            EXPECT_STREQ(error.what(), "invalid vector<T> subscript");
        }
    }
}

TEST_F(Runtime, WhatWaitsBehindABusyLockArrivesInOrder)
{
    {
        auto held = missions.holdMessageLock();
        missions.addMessage("a");
        missions.addMessage("b");
        missions.takeQueued(); // the screen finds the lock busy too and moves on
    }
    EXPECT_TRUE(texts().empty());
    missions.addMessage("c");
    missions.takeQueued();
    EXPECT_EQ(texts(), (std::vector<std::string>{ "a", "b", "c" }));

    {
        auto held = missions.holdMessageLock();
        missions.addMessage("d");
    }
    {
        auto heldChoices = missions.holdChoiceLock();
        missions.buildChoice("x");
        missions.finalizeChoice();
        missions.buildChoice("y");
        missions.finalizeChoice();
    }
    // No more text comes: the script now polls for a pick, which delivers what waited.
    EXPECT_EQ(missions.getChoiceResponse(0), -1);
    missions.takeQueued();
    EXPECT_EQ(texts(), (std::vector<std::string>{ "a", "b", "c", "d" }));
    ASSERT_EQ(missions.offeredChoiceSets().size(), 2u);
    EXPECT_EQ(labels(0), std::vector<std::string>{ "1. x" });
    EXPECT_EQ(labels(1), std::vector<std::string>{ "1. y" });
    EXPECT_LT(missions.displayedMessages().back().message->sequence, missions.offeredChoiceSets()[0].set->sequence);
}

TEST_F(Runtime, AMalformedColourQueuesNothing)
{
    EXPECT_THROW(missions.addMessage("<c=x,0,0>name</c>"), std::invalid_argument);
    missions.addMessage("fine");
    missions.takeQueued();
    ASSERT_EQ(texts(), std::vector<std::string>{ "fine" });
    EXPECT_EQ(missions.displayedMessages()[0].message->id, 1);
}

TEST_F(Runtime, DeathsWaitForTheirTextOrHappenQuietlyAtTheEnd)
{
    missions.queueDeath(0, "first"); // before any text: due with the first message shown
    missions.addMessage("one");
    missions.addMessage("two");
    missions.queueDeath(1, "<charName> fell");
    missions.addMessage("three");
    missions.queueDeath(2, "late");
    missions.takeQueued();
    EXPECT_TRUE(deaths.empty());
    missions.revealMessage(0);
    ASSERT_EQ(deaths.size(), 1u);
    EXPECT_EQ(deaths[0].crewNumber, 0);
    missions.revealMessage(1);
    ASSERT_EQ(deaths.size(), 2u);
    EXPECT_EQ(deaths[1].epitaph, "<charName> fell");
    EXPECT_TRUE(deaths[1].withSound);

    missions.endMission(true);
    missions.takeQueued();
    ASSERT_EQ(deaths.size(), 3u) << "the ending carries out what still waits";
    EXPECT_EQ(deaths[2].crewNumber, 2);
    EXPECT_FALSE(deaths[2].withSound);
}

TEST_F(Runtime, TheEndIsReachedWhenItsLineHasBeenShown)
{
    Mission mission;
    missions.setCurrentMission(&mission);
    missions.addMessage("story");
    missions.endMission(true);
    missions.addMessage("ignored after the end");
    missions.finalizeChoice();
    EXPECT_TRUE(mission.isCompleted);
    EXPECT_EQ(missions.phase(), MissionManager::Phase::Closing);
    EXPECT_TRUE(missions.getDeployStatus());
    missions.takeQueued();
    EXPECT_EQ(texts(), (std::vector<std::string>{ "story", "", "Press LEAVE to exit the terminal - Your game has been saved." }));
    EXPECT_TRUE(missions.offeredChoiceSets().empty());
    missions.revealMessage(1);
    EXPECT_EQ(missions.phase(), MissionManager::Phase::Closing);
    missions.revealMessage(2);
    EXPECT_EQ(missions.phase(), MissionManager::Phase::Closed);
    EXPECT_FALSE(missions.getDeployStatus());
    EXPECT_TRUE(missions.saveRequested());

    missions.resetForMission();
    missions.setCurrentMission(&mission);
    missions.endGame(false);
    revealAll();
    EXPECT_EQ(texts().back(), "Press LEAVE to exit the terminal.");
    EXPECT_EQ(missions.phase(), MissionManager::Phase::Closed);
    EXPECT_FALSE(missions.saveRequested()) << "a lost run is not saved";
    EXPECT_TRUE(missions.gameOver);
}

TEST_F(Runtime, QuestItemsAreHeldOnce)
{
    missions.addQuestItem("cannibal");
    missions.addQuestItem("cannibal");
    missions.addQuestItem("argon_research");
    EXPECT_TRUE(log.contains("We already had the quest item: cannibal\n"));
    EXPECT_TRUE(missions.hasQuestItem("cannibal"));
    EXPECT_FALSE(missions.hasQuestItem("Cannibal"));
    missions.removeQuestItem("cannibal");
    EXPECT_EQ(missions.questItemList(), std::vector<std::string>{ "argon_research" });
}

TEST_F(Runtime, AFedCrewLeavesTheCryoSleepWhenTheNextMissionOpens)
{
    FakeShipContext context;
    Ship ship(context);
    missions.setShip(&ship);
    Mission mission;
    ship.adjustFood(-ship.getFood());
    missions.addQuestItem("starvation_cryo_active");
    missions.setCurrentMission(&mission);
    EXPECT_TRUE(missions.hasQuestItem("starvation_cryo_active")) << "no food yet";
    ship.adjustFood(1);
    missions.setCurrentMission(&mission);
    EXPECT_FALSE(missions.hasQuestItem("starvation_cryo_active"));
}

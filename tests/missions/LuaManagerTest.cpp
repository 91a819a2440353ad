#include "missions/LuaManager.hpp"

#include "missions/Memento.hpp"
#include "support/CrewFixture.hpp"
#include "support/ScriptFixture.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

using namespace std::chrono_literals;

namespace {

class Scripts : public ScriptFixture {
};

// The library every shipped mission runs first.
std::string shippedLibrary()
{
    std::ifstream library(std::string(QV_SOURCE_DIR) + "/assets-src/static/missions/library/library.lua");
    std::stringstream text;
    text << library.rdbuf();
    return text.str();
}

} // namespace

TEST_F(Scripts, WhatTheChunkReturnsDecidesWhetherTheMissionEnds)
{
    const struct {
        const char* script;
        std::int32_t result;
        bool ends;
    } cases[] = {
        { "msnMgr:addMessage('a')", 0, false },
        { "return 1", 1, true },
        { "return true", 0, false },
        { "return 0.5", 1, true },
        { "return 'the end'", 0, false },
    };
    for (const auto& c : cases) {
        runToEnd(c.script);
        EXPECT_EQ(lua.getScriptResult(), c.result) << c.script;
        EXPECT_EQ(missions.phase() == MissionManager::Phase::Closing, c.ends) << c.script;
        EXPECT_EQ(missions.phase() == MissionManager::Phase::Live, !c.ends) << c.script;
    }
    EXPECT_TRUE(log.contains("-- 1\n"));
    EXPECT_TRUE(log.contains("-- 0.5\n"));
    EXPECT_EQ(errorWindows, 0);
}

TEST_F(Scripts, ErrorsAreLoggedExactlyAndOpenOneWindowEach)
{
    const std::string syntax = writeScript("missions/lua/syntax.lua", "msnMgr:addMessage('a'\n");
    lua.runScript(syntax);
    ASSERT_TRUE(lua.waitForScript(5s));
    EXPECT_TRUE(log.contains("Lua Environment Failed in doFile()!: lua: error: " + syntax
                             + ":2: ')' expected (to close '(' at line 1) near <eof>\n"))
        << log.text();
    EXPECT_EQ(errorWindows, 1);
    EXPECT_EQ(lastErrorWindow, std::string("Lua error detected!\n\nClick the button below to open the current game "
                                           "log.\nPlease send logs to support@quorvane.org"));

    runToEnd("msnMgr:addMessage('before')\nmsnMgr:addMessage('<c=,0,0>bad</c>')\nmsnMgr:addMessage('after')");
    EXPECT_TRUE(log.contains("Lua Environment Failed in doFile()!: lua: error: " + assets
                             + "missions/lua/test.lua:2: invalid stoi argument\n"))
        << log.text();
    EXPECT_EQ(errorWindows, 2);
    ASSERT_TRUE(serveUntil([&] { return missions.displayedMessages().size() == 1; }));
    EXPECT_EQ(shownTexts(), std::vector<std::string>{ "before" }) << "what came before the error stays";

    lua.runScript(assets + "null");
    ASSERT_TRUE(lua.waitForScript(5s));
    EXPECT_TRUE(log.contains("Lua Environment Failed in doFile()!: lua: error: cannot open " + assets + "null: No such file"));
    EXPECT_EQ(errorWindows, 3);
}

TEST_F(Scripts, AFailingLibraryIsReportedAndTheMissionStillRuns)
{
    writeScript("missions/library/library.lua", "function greet() msnMgr:addMessage('hi') end\nerror('broken')");
    runToEnd("greet()");
    EXPECT_TRUE(log.contains("Lua Environment Failed in doFile()!: lua: error: " + assets
                             + "missions/library/library.lua:2: broken\n"));
    EXPECT_EQ(errorWindows, 1);
    ASSERT_TRUE(serveUntil([&] { return !missions.displayedMessages().empty(); }));
    EXPECT_EQ(shownTexts(), std::vector<std::string>{ "hi" });
}

TEST_F(Scripts, ANewScriptStopsOneThatIgnoresTheEndOfItsMission)
{
    // The previous mission was left (no longer running) while its script loops on.
    lua.runScript(writeScript("missions/lua/stubborn.lua", "while true do pcall(msnMgr.addMessage, msnMgr, 'x') end"));
    std::this_thread::sleep_for(50ms);
    missions.leaveMission();
    EXPECT_TRUE(lua.isScriptRunning());
    const auto asked = std::chrono::steady_clock::now();
    runToEnd("msnMgr:addMessage('second mission')");
    EXPECT_LT(std::chrono::steady_clock::now() - asked, 1s);
    EXPECT_TRUE(log.contains("Mission script stopped: " + assets + "missions/lua/stubborn.lua\n"));
    EXPECT_EQ(errorWindows, 0) << "a stop is not an error";
    ASSERT_TRUE(serveUntil([&] { return !missions.displayedMessages().empty(); }));
    EXPECT_EQ(shownTexts(), std::vector<std::string>{ "second mission" });
}

TEST_F(Scripts, HostileScriptsEndInOneErrorWindowAndTheGameGoesOn)
{
    const std::size_t small = std::size_t(32) << 20;
    const struct {
        std::size_t memoryCap;
        const char* script;
        const char* logged;
    } cases[] = {
        { small, "local t = {} while true do t[#t + 1] = string.rep('x', 4096) .. #t end", "lua: error: not enough memory\n" },
        { small, "while true do msnMgr:addMessage('spam') end", "went over its limit of 5000 messages\n" },
        { small, "for i = 1, 100 do msnMgr:buildChoice('c') end", "went over its limit of 50 choices in one set\n" },
        { ScriptState::defaultMemoryCap, "local function f() return f() + 1 end f()", "stack overflow" },
    };
    int windows = 0;
    for (const auto& c : cases) {
        lua.memoryCap = c.memoryCap;
        runToEnd(c.script, 10s);
        EXPECT_TRUE(log.contains(c.logged)) << c.script;
        EXPECT_EQ(errorWindows, ++windows) << c.script;
    }
    runToEnd("msnMgr:addMessage('still here')");
    ASSERT_TRUE(serveUntil([&] { return !missions.displayedMessages().empty(); }));
    EXPECT_EQ(shownTexts().back(), "still here");
}

TEST_F(Scripts, WaitingForAPickSleepsInsteadOfSpinning)
{
    lua.runScript(writeScript("missions/lua/wait.lua", R"(
        msnMgr:buildChoice('Wait')
        msnMgr:finalizeChoice()
        local polls = 0
        while msnMgr:getDeployStatus() and msnMgr:getChoiceResponse(0) == -1 do polls = polls + 1 end
        print('polls ' .. polls)
    )"));
    std::this_thread::sleep_for(200ms);
    missions.leaveMission();
    ASSERT_TRUE(lua.waitForScript(2s));
    const std::string text = log.text();
    const auto at = text.find("polls ");
    ASSERT_NE(at, std::string::npos);
    EXPECT_LT(std::stoi(text.substr(at + 6)), 150) << "about one poll per 2 ms";
}

TEST_F(Scripts, AchievementsAreUnlockedOnTheMainThread)
{
    runToEnd("luaMgr:unlockAchievement('first_contact')");
    EXPECT_TRUE(achievements.unlocked.empty());
    lua.runMainThreadWork();
    EXPECT_EQ(achievements.unlocked, std::vector<std::string>{ "first_contact" });
}

TEST_F(Scripts, LeavingTheMissionByAnyPathEndsItEvenAfterAnError)
{
    runToEnd("msnMgr:addMessage('a') error('lost signal')");
    EXPECT_EQ(errorWindows, 1);
    EXPECT_TRUE(missions.getDeployStatus()) << "the failed mission still counts as running";
    lua.leaveMission(); // what the game does on the way to the title menu
    EXPECT_FALSE(missions.getDeployStatus()) << "so saves are allowed again";

    lua.runScript(writeScript("missions/lua/loop.lua", "while true do end"));
    lua.leaveMission();
    EXPECT_FALSE(lua.isScriptRunning());
    EXPECT_EQ(missions.phase(), MissionManager::Phase::Idle);
}

TEST_F(Scripts, TheLibraryAsksWaitsAndCapitalises)
{
    writeScript("missions/library/library.lua", shippedLibrary());
    lua.runScript(writeScript("missions/lua/ask.lua", R"(
        msnMgr:addMessage(capitalize('<c=1,2,3>she</c> waits.') .. ' ' .. capitalize('ok') .. ' ' .. colored('x', 9, 8, 7))
        msnMgr:addMessage(asDeterminer('<c=1,2,3>theirs</c>') .. ' ' .. asDeterminer('Hers') .. ' ' .. asDeterminer('his') .. ' ' .. asDeterminer('xyrs'))
        local first = ask({'Left', {'Right', locked = true}, 'Back'})
        msnMgr:addMessage('picked ' .. first)
        local again = askAgain(0)
        msnMgr:addMessage('then ' .. again .. ' of set ' .. choiceSetsOffered - 1)
        msnMgr:buildChoice('Never answered')
        msnMgr:finalizeChoice()
        print('left with ' .. waitForChoice(2))
    )"));
    ASSERT_TRUE(serveUntil([&] { return missions.offeredChoiceSets().size() == 1; }));
    EXPECT_EQ(shownTexts().at(0), "<c=1,2,3>She</c> waits. Ok <c=9,8,7>x</c>");
    ASSERT_TRUE(missions.answerChoice(0, 2));
    ASSERT_TRUE(serveUntil([&] { return missions.offeredChoiceSets().size() == 2; }));
    EXPECT_FALSE(missions.answerChoice(1, 2)) << "the earlier pick is locked now";
    ASSERT_TRUE(missions.answerChoice(1, 0));
    ASSERT_TRUE(serveUntil([&] { return missions.offeredChoiceSets().size() == 3; }));
    EXPECT_EQ(shownTexts().at(1), "<c=1,2,3>their</c> Her his xyr");
    EXPECT_EQ(shownTexts().at(2), "picked 3");
    EXPECT_EQ(shownTexts().at(3), "then 1 of set 1");
    missions.leaveMission();
    ASSERT_TRUE(lua.waitForScript(2s));
    EXPECT_TRUE(log.contains("left with -1\n"));
    EXPECT_EQ(errorWindows, 0);
}

TEST_F(Scripts, TheShipAnswersScriptsAndItsMarkersAreCounted)
{
    const std::int32_t food = ship.getFood();
    const std::int32_t fuel = ship.getFuel();
    runToEnd(R"(
        assert(math.abs(ship:getEngineSpeed() - 0.05) < 1e-6)
        ship:adjustFood(2.5)
        ship:adjustFuel('-4')
        ship:adjustSensors(0/0, 'a scan that went nowhere')
        ship:addMissionMarker('Wreck of the Ilse')
        local ok, message = pcall(ship.getFuel)
        msnMgr:addMessage(message)
        for i = 1, 300 do ship:addMissionMarker('echo ' .. i) end
    )");
    EXPECT_EQ(ship.getFood(), food + 3);
    EXPECT_EQ(ship.getFuel(), fuel - 4);
    EXPECT_FLOAT_EQ(ship.getSensors(), 4.f);
    EXPECT_EQ(ship.getMissionMarkers().size(), 200u) << "the mission's marker limit";
    EXPECT_EQ(ship.getMissionMarkers().front().name, "Wreck of the Ilse");
    EXPECT_TRUE(log.contains("went over its limit of 200 map markers"));
    ASSERT_TRUE(serveUntil([&] { return !missions.displayedMessages().empty(); }));
    EXPECT_EQ(shownTexts()[0], "Ship.getFuel needs its object: call it with a colon, as in object:method(...)");
}

namespace {

// Scripts with a roster: the fixture crew aboard (Ilka Maren, Osk Tarrow, Quen Abernath, Ilka
// Maren of the mods, Tinker Vass) and the first three deployed.
class CrewScripts : public ScriptFixture {
protected:
    CrewScripts()
    {
        roster->resetCrew();
        roster->setDeployTeam({ 0, 1, 2 });
        lua.setCrew(roster.get());
        missions.setCrew(roster.get());
    }

    CrewFolders crew{ log.home().root() + "/crew" };
    std::unique_ptr<CharacterManager> roster = crew.roster();
};

} // namespace

TEST_F(CrewScripts, TheRosterAnswersWithItsArgumentsConverted)
{
    runToEnd(R"(
        assert(charMgr:getCharName(0.4) == 'Ilka Maren')
        assert(charMgr:getCharName('1') == 'Osk Tarrow')
        assert(charMgr:getCharName() == 'Ilka Maren', 'a missing number is 0')
        assert(CharacterManager.new() == charMgr and CharacterManager:new() == charMgr)
        assert(charMgr.getPossessivePronoun == nil and charMgr.getPossesivePronoun ~= nil)
        assert(charMgr:depCrewTotal() == 3)
        local ok, message = pcall(charMgr.getCharDetail, charMgr, 0, 'no such key')
        assert(not ok and type(message) == 'string')
        return 0
    )");
    EXPECT_EQ(errorWindows, 0) << log.text();
    EXPECT_EQ(roster->getAllCharacters().size(), 6u) << "no second roster was loaded";
}

TEST_F(CrewScripts, AKilledMemberIsDeadAtOnceAndToldWhenItsTextIsShown)
{
    lua.runScript(writeScript("missions/lua/kill.lua", R"(
        msnMgr:addMessage('The ridge gives way.')
        msnMgr:killCrew(1, '<charName> stayed behind.')
        msnMgr:killCrew(7, 'nobody')
        assert(not charMgr:crewIsAlive(1) and charMgr:depCrewLeft() == 2)
        local alive = luaMgr:aliveCrewLeft()
        assert(#alive == 2 and alive[1] == 0 and alive[2] == 2)
        msnMgr:addMessage('Silence.')
    )"));
    ASSERT_TRUE(lua.waitForScript(5s));
    EXPECT_EQ(errorWindows, 0) << log.text();
    EXPECT_TRUE(log.contains("Warning: CharacterManager::killCrew, couldn't find character with id of: 7\n"));
    Character& osk = roster->getCrewOnShip()[1];
    EXPECT_TRUE(osk.isDead);
    EXPECT_FALSE(osk.hasMemento("death")) << "not told before its text is shown";
    missions.takeQueued();
    missions.revealMessage(0);
    EXPECT_TRUE(osk.hasMemento("death"));
    EXPECT_EQ(osk.mementos.back()->getDescription(), "Osk Tarrow stayed behind.");
    EXPECT_EQ(roster->takeQueuedSounds(), std::vector<std::string>{ "death.wav" });
}

TEST_F(CrewScripts, TheLibraryTellsTheLivingRollsOnceADrawAndEndsTheRunWhenNobodyIsAboard)
{
    writeScript("missions/library/library.lua", shippedLibrary());
    // -2 stands for a negative draw: roll still lands in 0 .. n - 1.
    missions.scriptRandomNumbers({ 7, static_cast<std::uint32_t>(-2), 5 });
    runToEnd(R"(
        msnMgr:killCrew(0, '')
        charMgr:giveMemento(2, 'locket')
        assert(not alive(0) and alive(1) and not alive(-1) and not alive(nil), 'alive')
        assert(canGive(1, 'locket') and not canGive(2, 'locket'), 'canGive: held')
        assert(not canGive(0, 'locket') and not canGive(-1, 'locket') and not canGive(nil, 'locket'), 'canGive: nobody')
        assert(anyoneAlive() == 1, 'anyoneAlive')
        assert(roll(4) == 3 and roll(3) == 1, 'roll')
        assert(msnMgr:random() == 5, 'one draw a roll')
        msnMgr:killCrew(1, '')
        msnMgr:killCrew(2, '')
        assert(anyoneAlive() == -1, 'anyoneAlive: the team is gone')
        finish()
    )");
    EXPECT_EQ(errorWindows, 0) << lastErrorWindow;
    EXPECT_EQ(missions.phase(), MissionManager::Phase::Closing) << "the crew at home lives on: the mission ends, not the run";
    EXPECT_FALSE(missions.gameEnded());

    // The whole crew aboard goes down and dies there: the run ends in silence.
    roster->setDeployTeam({ 0, 1, 2, 3, 4 });
    runToEnd(R"(
        for i = 0, charMgr:depCrewTotal() - 1 do msnMgr:killCrew(i, '') end
        assert(not alive(3), 'nobody')
        finish()
    )");
    EXPECT_EQ(errorWindows, 0) << lastErrorWindow;
    EXPECT_TRUE(missions.gameEnded());
    EXPECT_EQ(missions.endScreenName(), "ending_silence.png");
    ASSERT_TRUE(serveUntil([&] { return !missions.displayedMessages().empty(); }));
    EXPECT_EQ(shownTexts().front().rfind("<c=214,48,34>No one is left awake aboard the Ruri.</c>", 0), 0u)
        << shownTexts().front();
}

TEST_F(CrewScripts, EveryoneLivesWhenTheStartingCrewDoes)
{
    missions.difficulty = MissionManager::hard;
    runToEnd("msnMgr:checkEveryoneLives()"); // five aboard: not the four a hard run starts with
    missions.takeQueued();
    EXPECT_TRUE(achievements.unlocked.empty());
    runToEnd("msnMgr:killCrew(0, '') msnMgr:checkEveryoneLives()");
    missions.takeQueued();
    EXPECT_EQ(achievements.unlocked, std::vector<std::string>{ "everyone_lives" });
}

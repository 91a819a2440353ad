#pragma once

#include "achievements/VoidAchievementManager.hpp"
#include "missions/LuaManager.hpp"
#include "missions/MissionManager.hpp"
#include "support/FakeShipContext.hpp"
#include "support/LogCapture.hpp"
#include "world/Ship.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// The achievements a test's scripts unlocked, in order.
struct RecordingAchievements : VoidAchievementManager {
    bool unlockAchievement(const std::string& id) override
    {
        unlocked.push_back(id);
        return true;
    }
    std::vector<std::string> unlocked;
};

// A mission manager over an empty catalogue, a ship, recorded achievements, and a Lua manager
// whose error windows are counted, all over a private assets folder (with an empty "missions/library/library.lua")
// where tests write their scripts.
class ScriptFixture : public ::testing::Test {
protected:
    ScriptFixture()
        : assets(log.home().root() + "/assets/")
        , missions(&achievements, assets)
        , ship(shipContext)
        , lua(&missions, &achievements, assets)
    {
        missions.setShip(&ship);
        lua.setShip(&ship);
        std::filesystem::create_directories(assets + "missions/library");
        writeScript("missions/library/library.lua", "");
        lua.showErrorWindow = [this](const std::string& text) {
            ++errorWindows;
            lastErrorWindow = text;
        };
    }
    ~ScriptFixture() override { lua.stopScript(); }

    // Writes `text` under the assets folder and returns its full path.
    std::string writeScript(const std::string& relative, const std::string& text)
    {
        const std::string path = assets + relative;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path) << text;
        return path;
    }

    // Runs `text` as the mission script and waits for it to end.
    void runToEnd(const std::string& text, std::chrono::milliseconds timeout = std::chrono::seconds(5))
    {
        lua.runScript(writeScript("missions/lua/test.lua", text));
        ASSERT_TRUE(lua.waitForScript(timeout)) << "the script did not end";
    }

    // The main thread's side of a mission until `done` or the timeout: take what is queued,
    // reveal every message, show every set.
    template <class Done>
    bool serveUntil(Done done, std::chrono::milliseconds timeout = std::chrono::seconds(5))
    {
        const auto end = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < end) {
            missions.takeQueued();
            for (std::size_t i = 0; i < missions.displayedMessages().size(); ++i)
                missions.revealMessage(i);
            for (std::size_t i = 0; i < missions.offeredChoiceSets().size(); ++i)
                missions.showChoiceSet(i);
            lua.runMainThreadWork();
            if (done())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return false;
    }

    std::vector<std::string> shownTexts()
    {
        std::vector<std::string> texts;
        for (const auto& shown : missions.displayedMessages())
            texts.push_back(shown.message->text);
        return texts;
    }

    LogCapture log;
    std::string assets;
    RecordingAchievements achievements;
    MissionManager missions;
    FakeShipContext shipContext;
    Ship ship;
    LuaManager lua;
    int errorWindows = 0;
    std::string lastErrorWindow;
};

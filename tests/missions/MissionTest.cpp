#include "missions/Mission.hpp"

#include "support/LogCapture.hpp"

#include <gtest/gtest.h>

#include <fstream>

namespace {

const std::string filesFolder = std::string(QV_FIXTURES_DIR) + "/missions/files/";

Mission load(const std::string& fileName)
{
    Mission mission;
    mission.loadMissionFile(filesFolder + fileName, "missions/json/" + fileName);
    return mission;
}

} // namespace

TEST(Mission, DisplayItemsFollowTheirPrefixesAndLoseThem)
{
    LogCapture log;
    Mission mission = load("display.json");
    EXPECT_EQ(mission.getDisplayKeys(),
              (std::vector<std::string>{ "Name", "Description", "Reward", "Dangerous", "Ratio", "" }));
    EXPECT_EQ(mission.getItem("Name"), "Relay Kappa");
    EXPECT_EQ(mission.getItem("Description"), "A relay drifts in the dark.");
    EXPECT_EQ(mission.getItem(""), "single character") << "a one-character member has the empty label";
    EXPECT_EQ(mission.getItem("Reward"), "5");
    EXPECT_EQ(mission.getItem("Dangerous"), "true");
    EXPECT_EQ(mission.getItem("Ratio"), "1.5");
    EXPECT_EQ(mission.getItem("non Display Items"), "null");
    EXPECT_EQ(mission.getItem("1Name"), "null");
    EXPECT_EQ(mission.loadedFilename, "missions/json/display.json");
    EXPECT_EQ(log.text().find("mission file"), std::string::npos) << log.text();
}

TEST(Mission, HiddenSettingsFillTheirFieldsAndTheRestBecomeItems)
{
    LogCapture log;
    Mission mission = load("display.json");
    EXPECT_EQ(mission.minCrew, 2);
    EXPECT_EQ(mission.maxCrew, 4);
    EXPECT_EQ(mission.storyOrder, 0);
    EXPECT_TRUE(mission.leader);
    EXPECT_FALSE(mission.medic);
    EXPECT_TRUE(mission.engineer);
    EXPECT_TRUE(mission.mandatory);
    EXPECT_FALSE(mission.noDeploy);
    EXPECT_FALSE(mission.isCompleted);
    EXPECT_EQ(mission.getItem("Lua file"), "/missions/lua/relay.lua");
    EXPECT_EQ(mission.getItem("Weight"), "3");
    EXPECT_EQ(mission.getDisplayKeys().size(), 6u) << "hidden settings are never display items";
    EXPECT_FALSE(mission.isDeployMission());
}

TEST(Mission, DeployMissionUnlessAnEventType)
{
    const std::pair<const char*, bool> cases[] = {
        { "food", false }, { "fuel", false }, { "random", false }, { "outofgas", false },
        { "starvation", false }, { "salvage", true }, { nullptr, true },
    };
    LogCapture log;
    for (const auto& [type, deploy] : cases) {
        std::string path = log.home().root() + "/m.json";
        std::ofstream(path) << (type ? std::string(R"({"1Mission Type":")") + type + "\"}" : std::string("{}"));
        Mission mission;
        mission.loadMissionFile(path, "m.json");
        EXPECT_EQ(mission.isDeployMission(), deploy) << (type ? type : "(none)");
    }
}

TEST(Mission, WrongTypesEndTheLoadButKeepWhatWasRead)
{
    LogCapture log;
    Mission setting = load("wrong_setting.json");
    EXPECT_EQ(setting.getItem("Name"), "Half Read");
    EXPECT_TRUE(setting.leader) << "read before the bad key";
    EXPECT_EQ(setting.maxCrew, 0);
    EXPECT_EQ(setting.minCrew, 0) << "after the bad key: not read";
    EXPECT_TRUE(log.contains("Failed to load mission file: " + filesFolder + "wrong_setting.json (key \"Max Crew\""));

    Mission display = load("array_display.json");
    EXPECT_EQ(display.getItem("Name"), "Listed");
    EXPECT_EQ(display.getItem("Steps"), "null");
    EXPECT_EQ(display.getItem("After"), "null");
    EXPECT_TRUE(log.contains("Failed to load mission file: " + filesFolder + "array_display.json (key \"2Steps\""));
}

TEST(Mission, UnreadableFilesHoldNoMissionAndAreLogged)
{
    LogCapture log;
    Mission listed;
    EXPECT_FALSE(listed.loadMissionFile(filesFolder + "not_an_object.json", "missions/json/not_an_object.json"));
    EXPECT_TRUE(log.contains("Failed to load mission file: " + filesFolder + "not_an_object.json"));
    Mission good;
    EXPECT_TRUE(good.loadMissionFile(filesFolder + "wrong_setting.json", "missions/json/wrong_setting.json"))
        << "a value of the wrong type keeps the mission";

    Mission broken;
    EXPECT_FALSE(broken.loadMissionFile(filesFolder + "unparsable.json", "missions/json/unparsable.json"));
    EXPECT_TRUE(broken.getDisplayKeys().empty());
    EXPECT_EQ(broken.getItem("Name"), "null");
    EXPECT_EQ(broken.loadedFilename, "missions/json/unparsable.json");
    EXPECT_TRUE(log.contains("Could not parse mission file: " + filesFolder + "unparsable.json game will now exit!\n"));

    Mission missing = load("no_such_file.json");
    EXPECT_EQ(missing.storyOrder, 0);
    EXPECT_TRUE(log.contains("Could not parse mission file: " + filesFolder + "no_such_file.json"));

    // Nesting past the reader's depth limit makes it throw rather than report.
    std::string deepPath = log.home().root() + "/deep.json";
    std::ofstream(deepPath) << R"({"1Name": )" << std::string(5000, '[');
    Mission deep;
    deep.loadMissionFile(deepPath, "missions/json/deep.json");
    EXPECT_TRUE(deep.getDisplayKeys().empty());
    EXPECT_TRUE(log.contains("Could not parse mission file: " + deepPath + " game will now exit!\n"));
}

// Decimals show in their shortest exact form, and two items whose labels match after the
// prefix are reported instead of one silently replacing the other.
TEST(Mission, ValuesShowAsWrittenAndLabelClashesAreLogged)
{
    LogCapture log;
    Mission mission = load("values.json");
    EXPECT_EQ(mission.getItem("Fuel"), "2.3");
    EXPECT_EQ(mission.getItem("Whole"), "3.0");
    EXPECT_EQ(mission.getItem("Tiny"), "1e-07");
    EXPECT_EQ(mission.getItem("Weight"), "0.1");
    EXPECT_EQ(mission.getItem("Name"), "Drift, again");
    EXPECT_TRUE(log.contains("Warning: Mission::loadMissionFile, " + filesFolder
                             + "values.json: \"1Name\" and \"5Name\" have the same label \"Name\""));
}

// A story position near the int32 limit would overflow the next position (highest + 1).
TEST(Mission, StoryOrdersOutsideTheStoryAreRejected)
{
    LogCapture log;
    Mission mission = load("story_overflow.json");
    EXPECT_EQ(mission.storyOrder, 0);
    EXPECT_TRUE(mission.leader) << "read before the bad key";
    EXPECT_EQ(mission.getItem("Weight"), "null") << "after the bad key: not read";
    EXPECT_TRUE(log.contains("Failed to load mission file: " + filesFolder + "story_overflow.json (key \"Story Order\""));
}

TEST(Mission, SaveEntryNamesTheFileAndItsState)
{
    Mission mission;
    mission.loadedFilename = "missions/json/relay.json";
    mission.isCompleted = true;
    Json::Value entry = mission.toJson();
    EXPECT_EQ(entry["LoadedFilename"].asString(), "missions/json/relay.json");
    EXPECT_TRUE(entry["IsCompleted"].asBool());
    EXPECT_EQ(entry.size(), 2u);
}

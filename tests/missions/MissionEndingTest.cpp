#include "missions/MissionManager.hpp"
#include "missions/Memento.hpp"

#include "support/CrewFixture.hpp"
#include "support/LogCapture.hpp"
#include "support/TextFiles.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class RecordingAchievements : public VoidAchievementManager {
public:
    bool unlockAchievement(const std::string& id) override
    {
        unlocked.push_back(id);
        return true;
    }
    bool has(const std::string& id) const
    {
        return std::find(unlocked.begin(), unlocked.end(), id) != unlocked.end();
    }
    std::vector<std::string> unlocked;
};

// A roster over the crew fixture with the non-secret crew aboard (each with its badges), the
// mission runtime wired to it, and a mission file of the type a test asks for.
class Ending : public ::testing::Test {
protected:
    void SetUp() override
    {
        roster = folders.roster();
        roster->resetCrew();
        {
            auto guard = roster->lock();
            for (Character& member : roster->getCrewOnShip())
                member.addBadges();
        }
        missions.setCrew(roster.get());
        missions.setPlayerStats(&folders.stats);
        missions.resetForMission();
        missions.onDeath = [this](const PendingDeath& death) { deaths.push_back(death); };
    }

    Mission& mission(const std::string& type)
    {
        const std::string path = log.home().root() + "/m_" + type + ".json";
        writeText(path, "{\"1Name\": \"Ketch Relay\", \"non Display Items\": {\"Mission Type\": \"" + type + "\"}}");
        EXPECT_TRUE(current.loadMissionFile(path, "missions/json/m.json"));
        missions.setCurrentMission(&current);
        return current;
    }
    Character& member(std::size_t teamPosition)
    {
        return roster->getCrewOnShip()[roster->getDeployTeam().at(teamPosition)];
    }
    void closeAll()
    {
        missions.takeQueued();
        for (std::size_t i = 0; i < missions.displayedMessages().size(); ++i)
            missions.revealMessage(i);
    }

    LogCapture log;
    CrewFolders folders { log.home().root() + "/crew" };
    std::unique_ptr<CharacterManager> roster;
    RecordingAchievements achievements;
    MissionManager missions { &achievements, log.home().root() + "/none/" };
    Mission current;
    std::vector<PendingDeath> deaths;
};

} // namespace

TEST_F(Ending, APartyWipeNeedsATeamThatIsAllDead)
{
    struct Case {
        std::vector<std::size_t> team;
        std::vector<std::int32_t> killed;
        bool wipe;
    };
    const Case cases[] = {
        { {}, {}, false }, // nobody sent: an event, not a wipe
        { { 0, 1 }, { 0 }, false },
        { { 0, 1 }, { 0, 1 }, true },
    };
    for (const Case& c : cases) {
        achievements.unlocked.clear();
        missions.resetForMission();
        roster->resetCrew();
        roster->setDeployTeam(c.team);
        mission("salvage");
        for (std::int32_t i : c.killed)
            missions.killCrew(i, "gone");
        missions.endMission(true);
        missions.takeQueued();
        EXPECT_EQ(achievements.has("party_wipe"), c.wipe) << "team of " << c.team.size();
    }
}

TEST_F(Ending, TheTeamIsCreditedBeforeTheEndCanBeShown)
{
    roster->setDeployTeam({ 0, 1 });
    roster->setRoles(1, -1, -1);
    Mission& played = mission("salvage");
    missions.endMission(true);
    ASSERT_EQ(missions.phase(), MissionManager::Phase::Closing);
    EXPECT_EQ(missions.endAnchor(), 2) << "set once, to the closing line";
    EXPECT_TRUE(played.isCompleted);
    // The first hand-over gives the credit; only then can the closing line close the mission
    // (and request the save).
    closeAll();
    ASSERT_EQ(missions.phase(), MissionManager::Phase::Closed);
    EXPECT_TRUE(missions.saveRequested());
    EXPECT_EQ(member(0).timesDeployed, 1u);
    EXPECT_EQ(member(1).timesDeployed, 1u);
    EXPECT_EQ(member(1).timesLeader, 1u);
    EXPECT_EQ(member(1).mementos[0]->getName(), "Rank 1");
    EXPECT_EQ(member(1).mementos[1]->getName(), "Level 1 Leader");
    EXPECT_NE(member(0).mementos[0]->getDescription().find("\n - Ketch Relay"), std::string::npos);
    EXPECT_EQ(folders.stats.getVisitedPlanets(), std::vector<std::string>{ "Ketch Relay" });
}

TEST_F(Ending, EventsAndTheDeveloperLoaderGiveNoDeploymentCredit)
{
    roster->setDeployTeam({ 0 });
    mission("food");
    missions.endMission(false);
    missions.takeQueued();
    EXPECT_FALSE(current.isCompleted);
    EXPECT_EQ(member(0).timesDeployed, 0u);
    EXPECT_EQ(member(0).timesLeader, 0u) << "no roles on a mission that sends no team";

    missions.resetForMission();
    missions.setSkipCrewCredit(true);
    mission("salvage");
    missions.endMission(true);
    missions.takeQueued();
    EXPECT_EQ(member(0).timesDeployed, 0u);
    EXPECT_EQ(folders.stats.getVisitedPlanets(), std::vector<std::string>{ "Ketch Relay" })
        << "the place still counts as visited";
}

TEST_F(Ending, AWonRunRecordsEveryoneAliveSecretCharactersIncluded)
{
    {
        auto guard = roster->lock();
        for (const Character& character : roster->getAllCharacters())
            if (character.isSecret)
                roster->getCrewOnShip().push_back(character);
    }
    // A name only one character has (the fixture's mod folder copies another's).
    std::size_t osk = 0;
    while (roster->getCrewOnShip().at(osk).name() != "Osk Tarrow")
        ++osk;
    roster->setDeployTeam({ osk, osk == 0 ? 1u : 0u });
    mission("story");
    missions.killCrew(0, "gone");
    const std::string dead = member(0).name();
    const std::string secret = roster->getCrewOnShip().back().name();
    missions.endGame(true);
    closeAll();
    const auto& alive = folders.stats.getAliveEndingMembers();
    EXPECT_NE(std::find(alive.begin(), alive.end(), secret), alive.end());
    EXPECT_EQ(std::find(alive.begin(), alive.end(), dead), alive.end());
    EXPECT_FALSE(missions.gameOver);
    EXPECT_FALSE(missions.saveRequested());
}

TEST_F(Ending, ALostRunKillsTheTeamAloudAndWipesIt)
{
    roster->setDeployTeam({ 0, 1 });
    mission("story");
    missions.endGame(false);
    closeAll();
    ASSERT_EQ(deaths.size(), 2u);
    for (const PendingDeath& death : deaths) {
        EXPECT_TRUE(death.withSound);
        EXPECT_NE(death.epitaph.find("your memory of <charName> ends along with the mission."), std::string::npos);
    }
    EXPECT_TRUE(achievements.has("party_wipe"));
    EXPECT_TRUE(missions.gameOver);
    EXPECT_EQ(missions.displayedMessages().back().message->text, "Press LEAVE to exit the terminal.");
}

TEST_F(Ending, SavedMissionsComeBackWithoutStaleQuestItems)
{
    const std::string root = log.home().root() + "/cat/";
    std::filesystem::copy(std::string(QV_FIXTURES_DIR) + "/missions/catalogue", root,
                          std::filesystem::copy_options::recursive);
    MissionManager saved(&achievements, root);
    saved.setPlayerStats(&folders.stats);
    saved.resetRunLists(MissionManager::hard);
    ASSERT_FALSE(saved.sideMissions.empty());
    saved.sideMissions.front().isCompleted = true;
    saved.addQuestItem("relay_logs");
    saved.addQuestItem("argon_neutronstar_research_1");
    saved.randomMissions.clear();
    Json::Value object = saved.saveMissions();
    EXPECT_FALSE(object.isMember("RandomMissions")) << "an empty list is left out";
    EXPECT_EQ(object["Difficulty"].asInt(), MissionManager::hard);
    // A mission whose file is gone since the save.
    Json::Value gone(Json::objectValue);
    gone["LoadedFilename"] = "missions/json/removed.json";
    gone["IsCompleted"] = true;
    object["SideMissions"].append(gone);

    MissionManager loaded(&achievements, root);
    loaded.setPlayerStats(&folders.stats);
    loaded.addQuestItem("cannibal"); // the run played before
    loaded.loadMissions(object);
    EXPECT_EQ(loaded.questItemList(), (std::vector<std::string>{ "relay_logs", "argon_neutronstar_research_1" }));
    ASSERT_EQ(loaded.sideMissions.size(), saved.sideMissions.size());
    EXPECT_TRUE(loaded.sideMissions.front().isCompleted);
    EXPECT_EQ(loaded.difficulty, MissionManager::hard);
    EXPECT_EQ(loaded.storyMissions.size(), saved.storyMissions.size());
    EXPECT_EQ(folders.stats.getResearch(), std::vector<std::string>{ "argon_neutronstar_research_1" });
}

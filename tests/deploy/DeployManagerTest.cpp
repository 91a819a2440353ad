#include "deploy/DeployManager.hpp"

#include "missions/Mission.hpp"
#include "support/CrewFixture.hpp"
#include "support/LogCapture.hpp"
#include "support/TextFiles.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The crew fixture aboard and a mission made from the settings a test gives.
class Deploy : public ::testing::Test {
protected:
    void SetUp() override
    {
        roster = folders.roster();
        roster->resetCrew();
        deploy.setCrew(roster.get());
    }
    void open(const std::string& settings)
    {
        const std::string path = log.home().root() + "/mission.json";
        writeText(path, "{\"1Name\": \"Ketch\", \"non Display Items\": {" + settings + "}}");
        ASSERT_TRUE(mission.loadMissionFile(path, "missions/json/m.json"));
        deploy.openForMission(&mission, false, false);
        deploy.showDeploy();
    }
    // Lifts `crew` and drops it with its picture at `at`.
    void drag(std::int32_t crew, sf::Vector2f at, double now = 0.0)
    {
        ASSERT_TRUE(deploy.lift(crew, now));
        deploy.drop(at);
    }
    sf::Vector2f snap(std::size_t slot) const { return deploy.slots().at(slot).snap; }

    LogCapture log;
    CrewFolders folders { log.home().root() + "/crew" };
    std::unique_ptr<CharacterManager> roster;
    DeployManager deploy { 7u };
    Mission mission;
};

} // namespace

TEST_F(Deploy, SlotsFollowMaxCrewWithTheRolesFirst)
{
    open("\"Min Crew\": 1, \"Max Crew\": 4");
    ASSERT_EQ(deploy.slots().size(), 4u);
    const sf::Vector2f platforms[] = { { 483, 84 }, { 545, 84 }, { 483, 142 }, { 545, 142 } };
    for (std::size_t k = 0; k < 4; ++k)
        EXPECT_EQ(deploy.slots()[k].platform, platforms[k]) << k;
    EXPECT_TRUE(deploy.slots()[0].isLeader);
    EXPECT_TRUE(deploy.slots()[1].isMedic);
    EXPECT_TRUE(deploy.slots()[2].isEngineer);
    EXPECT_EQ(deploy.phase(), DeployManager::Phase::Deploying);
}

TEST_F(Deploy, DropsSnapWithinThirtyUnitsSwapBetweenSlotsAndEvictFromTheGrid)
{
    open("\"Min Crew\": 1, \"Max Crew\": 3");
    drag(0, snap(0) + sf::Vector2f(31.f, 0.f));
    EXPECT_EQ(deploy.slotOf(0), -1) << "31 units away: home";
    drag(0, snap(0) + sf::Vector2f(30.f, -30.f));
    EXPECT_EQ(deploy.slotOf(0), 0);
    drag(1, snap(1), 1.0);
    // From a slot onto an occupied slot: the two swap.
    drag(1, snap(0), 2.0);
    EXPECT_EQ(deploy.slotOf(1), 0);
    EXPECT_EQ(deploy.slotOf(0), 1);
    // From the grid onto an occupied slot: the occupant goes home.
    drag(2, snap(0), 3.0);
    EXPECT_EQ(deploy.slotOf(2), 0);
    EXPECT_EQ(deploy.slotOf(1), -1);
    EXPECT_EQ(deploy.teamCount(), 2);
    // A second press within 500 ms sends a placed card home.
    EXPECT_TRUE(deploy.lift(2, 4.0));
    deploy.drop(snap(0));
    EXPECT_FALSE(deploy.lift(2, 4.4));
    EXPECT_EQ(deploy.slotOf(2), -1);
}

TEST_F(Deploy, MissingRolesAreFilledAtRandomFromTheOthers)
{
    open("\"Min Crew\": 1, \"Max Crew\": 4");
    drag(0, snap(2)); // engineer only
    drag(1, snap(3));
    drag(2, snap(1) + sf::Vector2f(200.f, 0.f)); // misses: home
    ASSERT_TRUE(deploy.deploy());
    EXPECT_TRUE(deploy.deployed());
    EXPECT_EQ(roster->getDeployTeam(), (std::vector<std::size_t>{ 0, 1 }));
    EXPECT_EQ(roster->getEngineerIndex(), 0);
    // The medic is the one position the engineer does not hold; the leader, with none left
    // free, any position (seed 7 draws 0).
    EXPECT_EQ(roster->getMedicIndex(), 1);
    EXPECT_EQ(roster->getLeaderIndex(), 0);
    ASSERT_EQ(deploy.fillLog().size(), 2u);
    EXPECT_EQ(deploy.fillLog()[0].rfind("No medic found for deploy, granting role to 1(", 0), 0u);

    // A team of one takes every role.
    open("\"Min Crew\": 1, \"Max Crew\": 3");
    drag(2, snap(2));
    ASSERT_TRUE(deploy.deploy());
    EXPECT_EQ(roster->getLeaderIndex(), 0);
    EXPECT_EQ(roster->getMedicIndex(), 0);
    EXPECT_EQ(roster->getEngineerIndex(), 0);
}

TEST_F(Deploy, AnEmptyTeamIsNeverReadyEvenWhenTheMissionAsksForNobody)
{
    open("\"Min Crew\": 0, \"Max Crew\": 2");
    EXPECT_FALSE(deploy.ready());
    EXPECT_FALSE(deploy.deploy());
    deploy.launchDeploy(); // and if it were sent anyway, nobody holds a role
    EXPECT_EQ(roster->getLeaderIndex(), -1);
    EXPECT_EQ(roster->getEngineerIndex(), -1);
}

TEST_F(Deploy, TheDeadDoNotCountTowardsMinCrew)
{
    open("\"Min Crew\": 2, \"Max Crew\": 3");
    drag(0, snap(0));
    drag(1, snap(1));
    EXPECT_TRUE(deploy.ready());
    roster->getCrewOnShip()[1].isDead = true;
    EXPECT_FALSE(deploy.ready());
}

TEST_F(Deploy, MandatoryMissionsLetTheCrewLeaveOnlyWhenItCannotGo)
{
    open("\"Min Crew\": 1, \"Max Crew\": 2, \"Mandatory\": true");
    EXPECT_FALSE(deploy.leaveEnabled());
    EXPECT_FALSE(deploy.leave());
    open("\"Min Crew\": 50, \"Max Crew\": 2, \"Mandatory\": true");
    EXPECT_FALSE(deploy.enoughCrew());
    EXPECT_TRUE(deploy.leaveEnabled()) << "no way to deploy: leave is the way out";
    EXPECT_TRUE(deploy.leave());
    EXPECT_TRUE(deploy.leftScreen());
}

TEST_F(Deploy, ANoDeployMissionProceedsWithoutATeam)
{
    roster->setDeployTeam({ 0 });
    open("\"Min Crew\": 0, \"Max Crew\": 0, \"NoDeploy\": true");
    EXPECT_TRUE(deploy.deployed()) << "the briefing's proceed button deploys at once";
    EXPECT_TRUE(roster->getDeployTeam().empty());
}

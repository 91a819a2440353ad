#include "crew/CharacterManager.hpp"

#include "core/TextFunctions.hpp"
#include "crew/CrewColours.hpp"
#include "missions/Memento.hpp"
#include "persistence/PlayerStats.hpp"
#include "support/CrewFixture.hpp"
#include "support/LogCapture.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> names(const std::deque<Character>& list)
{
    std::vector<std::string> out;
    for (const Character& c : list)
        out.push_back(c.name());
    return out;
}

class Roster : public ::testing::Test {
protected:
    void SetUp() override { roster = crew.roster(); }

    // The crew aboard after resetCrew: Ilka Maren, Osk Tarrow, Quen Abernath, Tinker Vass,
    // Ilka Maren (the mod one). The team is made of the given crew positions.
    void team(std::vector<std::size_t> positions)
    {
        roster->resetCrew();
        roster->setDeployTeam(std::move(positions));
    }
    Character& aboard(std::size_t position) { return roster->getCrewOnShip()[position]; }

    LogCapture log;
    CrewFolders crew{ log.home().root() + "/crew" };
    std::unique_ptr<CharacterManager> roster;
};

} // namespace

TEST_F(Roster, LoadsShippedThenModCharacters)
{
    std::vector<std::string> loaded;
    for (const Character& c : roster->getAllCharacters())
        loaded.push_back(c.loadedFilename);
    EXPECT_EQ(loaded, (std::vector<std::string>{ "char/1_ilka_maren.json", "char/2_osk_tarrow.json",
                                                 "char/3_quen_abernath.json", "char/4_dorov_zivuv.json",
                                                 "Echo/echo.json", "Tinker/tinker.json" }));
    EXPECT_EQ(roster->getSecretCount(), 1);
    const Character& tinker = roster->getAllCharacters().back();
    EXPECT_TRUE(tinker.isFromMod);
    EXPECT_EQ(tinker.filePath, crew.mods() + "characters/Tinker/tinker.json");
    EXPECT_TRUE(log.contains("Generated Characters ["));
    EXPECT_TRUE(log.contains("Could not parse character file " + crew.assets() + "char/5_broken.json"));
    EXPECT_TRUE(log.contains(crew.assets() + "char/6_no_name.json gives no \"name\"; it is left out"));

    roster->resetCrew();
    EXPECT_EQ(names(roster->getCrewOnShip()),
              (std::vector<std::string>{ "Ilka Maren", "Osk Tarrow", "Quen Abernath", "Ilka Maren", "Tinker Vass" }));
}

// The colours file is found in the assets folder whatever the working folder is.
TEST_F(Roster, ColoursComeFromTheAssetsColoursFile)
{
    const std::vector<sf::Color> expected = { sf::Color(0x11, 0xaa, 0x22), sf::Color(0x33, 0x44, 0xcc),
                                              sf::Color(0xcc, 0x44, 0x33), sf::Color(0xee, 0xee, 0x00) };
    EXPECT_EQ(CrewColours::get().list(), expected);
    EXPECT_NE(fs::current_path().string() + "/", crew.assets());
    const Character& quen = roster->getAllCharacters()[2]; // the one without "color"
    EXPECT_EQ(quen.color, fallbackColor("Quen Abernath", expected));

    // Read once per process: a second roster does not read a changed file.
    writeText(crew.assets() + CharacterManager::coloursFile, R"(["000000"])");
    crew.roster();
    EXPECT_EQ(CrewColours::get().list(), expected);

    // A bad element keeps what was read before it.
    CrewColours::destroy();
    writeText(crew.assets() + CharacterManager::coloursFile, R"(["102030", ["x"], "405060"])");
    crew.roster();
    EXPECT_EQ(CrewColours::get().list(), std::vector<sf::Color>{ sf::Color(0x10, 0x20, 0x30) });
    EXPECT_TRUE(log.contains("Failed to load colours file: " + crew.assets() + CharacterManager::coloursFile
                             + " at: colors\n"));
}

TEST_F(Roster, SecretCharactersJoinOnlyByName)
{
    roster->resetCrew();
    EXPECT_EQ(roster->getCrewOnShip().size(), 5u);
    roster->newCrew("Dorov Zivuv");
    ASSERT_EQ(roster->getCrewOnShip().size(), 6u);
    const Character& dorov = roster->getCrewOnShip().back();
    EXPECT_EQ(dorov.name(), "Dorov Zivuv");
    ASSERT_EQ(dorov.mementos.size(), 5u);
    EXPECT_EQ(dorov.mementos[0]->getName(), "Rank 0");
    EXPECT_TRUE(dorov.hasMemento("dorov_family_photo"));
    EXPECT_EQ(dorov.mementos[4]->getOrigin(), "Family Photo");

    roster->newCrew("Ilka Maren"); // both the shipped and the mod one
    EXPECT_EQ(roster->getCrewOnShip().size(), 8u);
    roster->newCrew("Nobody");
    EXPECT_EQ(roster->getCrewOnShip().size(), 8u);
}

// Every query a script can call, with a good position, -1, one past the team and a dead member.
TEST_F(Roster, EveryQueryAnswersBadPositionsNeutrally)
{
    team({ 0, 1, 2 }); // Ilka, Osk, Quen
    aboard(2).isDead = true;
    struct Case {
        const char* query;
        std::function<std::string(std::int32_t)> call;
        std::string valid, bad, dead;
        const char* warning; // "A", "B" or "" for queries that log nothing
    };
    auto text = [](auto f) { return [f](std::int32_t i) { return f(i); }; };
    auto number = [](auto f) { return [f](std::int32_t i) { return std::to_string(f(i)); }; };
    CharacterManager& r = *roster;
    const std::vector<Case> cases = {
        { "getCharDetail", text([&](int i) { return r.getCharDetail(i, "pronouns"); }), "she/her/hers", "",
          "they/them/theirs", "A" },
        { "getCharAttr", number([&](int i) { return r.getCharAttr(i, "social"); }), "5", "-1", "9", "A" },
        { "getCharName", text([&](int i) { return r.getCharName(i); }), "Ilka Maren", "", "Quen Abernath", "A" },
        { "getCharColoredName", text([&](int i) { return r.getCharColoredName(i); }), "<c=60,143,208>Ilka Maren</c>",
          "", "<c=17,170,34>Quen Abernath</c>", "A" },
        { "getNominativePronoun", text([&](int i) { return r.getNominativePronoun(i); }), "<c=60,143,208>she</c>", "",
          "<c=17,170,34>they</c>", "A" },
        { "getObliquePronoun", text([&](int i) { return r.getObliquePronoun(i); }), "<c=60,143,208>her</c>", "",
          "<c=17,170,34>them</c>", "A" },
        { "getPossesivePronoun", text([&](int i) { return r.getPossesivePronoun(i); }), "<c=60,143,208>hers</c>", "",
          "<c=17,170,34>theirs</c>", "A" },
        { "getGender", text([&](int i) { return r.getGender(i); }), "female", "", "", "B" },
        { "getCharTrait", number([&](int i) { return r.getCharTrait(i, "Observ"); }), "1", "0", "0", "B" },
        { "hasMemento", number([&](int i) { return r.hasMemento(i, "locket"); }), "0", "0", "0", "B" },
        { "giveMemento", text([&](int i) { r.giveMemento(i, "locket"); return std::string(); }), "", "", "", "B" },
        { "crewIsAlive", number([&](int i) { return r.crewIsAlive(i); }), "1", "0", "0", "" },
    };
    const std::int32_t past = 3;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.query);
        EXPECT_EQ(c.call(0), c.valid);
        EXPECT_EQ(c.call(2), c.dead);
        for (std::int32_t bad : { -1, past }) {
            std::string answer = c.call(bad);
            EXPECT_EQ(answer, c.bad) << bad;
            std::string line = "Warning: CharacterManager::" + std::string(c.query);
            if (std::string(c.warning) == "A")
                line += ", couldn't find the charNumber! We had deployCharSizeOf:3 Requested char Number: "
                    + (bad < 0 ? std::string("4294967295") : std::to_string(bad)) + "\n";
            else if (std::string(c.warning) == "B")
                line += ", Couldn't find character with id of: " + std::to_string(bad) + "\n";
            if (*c.warning) {
                EXPECT_TRUE(log.contains(line)) << line;
            }
        }
    }
    for (std::int32_t ignored : { -1, 3 })
        EXPECT_LT(roster->randomCrewIgnoringCrew(ignored), 2) << "anyone living, the dead never";
    EXPECT_TRUE(roster->hasMemento(0, "locket")) << "the memento given through the table";
    EXPECT_TRUE(roster->hasMemento(2, "locket")) << "dead members still receive mementos";
    try {
        roster->getCharDetail(0, "shoe size");
        ADD_FAILURE() << "a missing key fails the script's call";
    } catch (const std::out_of_range& error) {
        EXPECT_STREQ(error.what(), "Character::getProperty, Ilka Maren has no \"shoe size\"");
    }
}

TEST_F(Roster, TeamWideQueriesCountTheLivingAndTheDead)
{
    team({ 0, 1, 2 });
    aboard(1).isDead = true;
    EXPECT_EQ(roster->depCrewLeft(), 2);
    EXPECT_EQ(roster->depCrewTotal(), 3);
    EXPECT_FALSE(roster->crewIsAlive(1));
    for (int draw = 0; draw < 20; ++draw)
        EXPECT_EQ(roster->randomCrewIgnoringCrew(0), 2);
    EXPECT_EQ(roster->mostAttr("physical"), 8) << "the dead count";
    EXPECT_EQ(roster->leastAttr("mental"), 2);
    EXPECT_EQ(roster->totalAttr("social"), 18);
    EXPECT_EQ(roster->mostAttr("luck"), 0);
    EXPECT_EQ(roster->getRandomCrewByPronoun("she"), 0);
    EXPECT_EQ(roster->getRandomCrewByPronoun("he"), -1) << "Osk is dead";
    EXPECT_EQ(roster->getCrewTraits("Empathic"), 2);
    EXPECT_EQ(roster->getCrewTraits("Tough"), -1);
    EXPECT_TRUE(roster->crewOnShipLeft());

    roster->setDeployTeam({});
    EXPECT_EQ(roster->randomCrew(), -1);
    EXPECT_TRUE(log.contains("Warning: CharacterManager::randomCrewIgnoringCrew, Had no crew to randomly return!\n"));
    EXPECT_EQ(roster->mostAttr("social"), 0);
    EXPECT_THROW(roster->leastAttr("social"), std::out_of_range);
    EXPECT_EQ(roster->crewWithMost("social"), -1);
}

// "Among the living" holds even when the first member is dead: the dead never lead, heal or
// mend, and never take a role's credit.
TEST_F(Roster, TheBestOfTheTeamIsAlwaysAlive)
{
    team({ 0, 1, 2 });
    for (Character& c : roster->getCrewOnShip())
        c.attributes["social"] = 0;
    aboard(0).isDead = true;
    EXPECT_EQ(roster->crewWithMost("social"), 1);
    EXPECT_EQ(roster->crewWithLeast("social"), 1);
    aboard(2).attributes["mental"] = -3;
    EXPECT_EQ(roster->crewWithLeast("mental"), 2);
    EXPECT_EQ(roster->crewWithMost("physical"), 1);

    roster->setRoles(0, 0, -1); // assigned to the dead
    aboard(2).attributes["mental"] = 9;
    EXPECT_EQ(roster->getLead(), 1);
    EXPECT_EQ(roster->getMed(), 2) << "the medic falls back to mental";
    EXPECT_EQ(roster->getEng(), 1) << "the engineer falls back to physical";
    roster->setRoles(2, 1, 7);
    EXPECT_EQ(roster->getLead(), 2);
    EXPECT_EQ(roster->getMed(), 1);
    EXPECT_EQ(roster->getEng(), 1) << "a role past the team is no role";

    for (Character& c : roster->getCrewOnShip())
        c.addBadges();
    roster->setRoles(0, -1, -1);
    roster->awardExperience("Relay Kappa", true);
    EXPECT_EQ(aboard(0).timesDeployed, 1u) << "the dead are credited for being there";
    EXPECT_EQ(aboard(0).timesLeader, 0u);
    EXPECT_EQ(aboard(1).timesLeader, 1u);
    EXPECT_EQ(aboard(1).timesEngineer, 1u);
    EXPECT_EQ(aboard(2).timesMedic, 1u);
    EXPECT_EQ(aboard(2).mementos[2]->getDescription().substr(aboard(2).mementos[2]->getDescription().size() - 15),
              "\n - Relay Kappa");
}

TEST_F(Roster, NamesAndPronounsAreMatchedExactly)
{
    team({ 0, 1, 3 });
    aboard(1).properties["pronouns"] = "He/Him/His";
    aboard(3).properties["pronouns"] = "she";
    EXPECT_EQ(roster->getGender(1), "nonbinary");
    aboard(1).properties["pronouns"] = "he/him/his";
    EXPECT_EQ(roster->getGender(1), "male");
    EXPECT_EQ(roster->getGender(2), "female");
    EXPECT_EQ(roster->getObliquePronoun(2), "") << "a pronoun set with one word";
    EXPECT_EQ(roster->getCrewByName("Osk\nTarrow"), 1);
    EXPECT_EQ(roster->getCrewByName("Ilka Maren"), 0);
    aboard(0).isDead = true;
    EXPECT_EQ(roster->getCrewByName("Ilka Maren"), 2) << "the living namesake";
    EXPECT_EQ(roster->getCrewByName("osk tarrow"), -1);
}

TEST_F(Roster, KillingGivesOneDeathMementoAndQueuesTheSound)
{
    team({ 0, 1, 2 });
    roster->setJumpCountSource([] { return 6; });
    roster->setCurrentMissionName("Dust Belt");
    for (Character& c : roster->getCrewOnShip())
        c.addBadges();
    roster->killCrew(1, true, "Here lies <charName>, <charName> the brave.");
    Character& osk = aboard(1);
    EXPECT_TRUE(osk.isDead);
    ASSERT_EQ(osk.mementos.size(), 5u);
    EXPECT_EQ(osk.mementos.back()->getDescription(), "Here lies Osk Tarrow, Osk Tarrow the brave.");
    EXPECT_EQ(osk.mementos.back()->getOrigin(), "Last Words - Jump 6, Dust Belt");
    EXPECT_EQ(roster->takeQueuedSounds(), std::vector<std::string>{ "death.wav" });
    EXPECT_TRUE(roster->takeQueuedSounds().empty());
    roster->flushStatistics();
    EXPECT_EQ(crew.stats.getKilledCrew(), std::vector<std::string>{ "Osk Tarrow" });
    EXPECT_TRUE(crew.stats.getCollectedMementos().empty()) << "death is not a collectible";

    roster->killCrew(1, true, "Another epitaph.");
    EXPECT_EQ(osk.mementos.size(), 5u);
    EXPECT_EQ(osk.mementos.back()->getDescription(), "Here lies Osk Tarrow, Osk Tarrow the brave.");
    EXPECT_EQ(roster->takeQueuedSounds().size(), 1u);

    roster->killCrew(3, true, "x");
    EXPECT_TRUE(log.contains("Warning: CharacterManager::killCrew, couldn't find character with id of: 3\n"));
    roster->killCrew(-1, true, "x");
    EXPECT_TRUE(log.contains("Warning: CharacterManager::killCrew, couldn't find character with id of: -1\n"));
    EXPECT_TRUE(roster->takeQueuedSounds().empty());
}

// Without a "death" memento file the epitaph must not land on the last memento (a badge
// the save would then keep).
TEST_F(Roster, AnEpitaphWithoutADeathMementoChangesNothing)
{
    fs::remove(crew.assets() + "mementos/death.json");
    team({ 0 });
    aboard(0).addBadges();
    const std::string engineerBadge = aboard(0).mementos.back()->getDescription();
    roster->killCrew(0, false, "Here lies <charName>.");
    EXPECT_TRUE(aboard(0).isDead);
    EXPECT_EQ(aboard(0).mementos.size(), 4u);
    EXPECT_EQ(aboard(0).mementos.back()->getDescription(), engineerBadge);
    EXPECT_TRUE(log.contains("Unable to load memento death!"));

    roster->killAllCrew("Lost with the ship, <charName>.");
    EXPECT_EQ(aboard(0).mementos.back()->getDescription(), engineerBadge);
}

TEST_F(Roster, TheDeadLeaveTheCrewAfterTheMission)
{
    team({ 4, 1, 0 }); // Tinker, Osk, Ilka
    roster->setRoles(0, 1, 2);
    roster->killCrew(1, false, "");
    roster->killCrew(2, false, "");
    EXPECT_EQ(roster->getCrewOnShip().size(), 5u) << "the dead stay aboard while the mission runs";
    roster->moveDeadCrew();
    EXPECT_EQ(names(roster->getCrewOnShip()),
              (std::vector<std::string>{ "Quen Abernath", "Ilka Maren", "Tinker Vass" }));
    EXPECT_EQ(names(roster->getDeadCrew()), (std::vector<std::string>{ "Ilka Maren", "Osk Tarrow" }));
    EXPECT_EQ(roster->getDeployTeam(), std::vector<std::size_t>{ 2 }) << "Tinker, at its new position";
    EXPECT_EQ(roster->getLeaderIndex(), 0);
    EXPECT_EQ(roster->getMedicIndex(), -1);
    EXPECT_EQ(roster->getCharName(0), "Tinker Vass");
    EXPECT_TRUE(roster->crewOnShipLeft());

    roster->killAllCrew("The end, <charName>.");
    EXPECT_FALSE(roster->crewOnShipLeft());
    roster->flushStatistics();
    EXPECT_EQ(crew.stats.getKilledCrew().size(), 4u);
}

TEST_F(Roster, TheSessionCrewRoundTrips)
{
    team({ 0, 1, 2 });
    for (Character& c : roster->getCrewOnShip())
        c.addBadges();
    roster->giveMemento(0, "locket");
    aboard(0).timesDeployed = 3;
    roster->killCrew(1, false, "Gone.");
    aboard(4).isDead = true; // the mod's Tinker died too
    roster->moveDeadCrew();
    aboard(0).timesLeader = 2;
    ASSERT_EQ(roster->getCharName(1), "Quen Abernath") << "the team closed ranks";
    roster->killCrew(1, false, "Also gone."); // dead, but still aboard

    Json::Value saved = roster->toJson();
    ASSERT_EQ(saved["Alive"].size(), 2u);
    EXPECT_EQ(saved["Alive"][0]["name"], "Ilka Maren");
    EXPECT_EQ(saved["Alive"][1]["name"], "Ilka Maren");
    std::vector<std::string> deadNames;
    for (const Json::Value& d : saved["Dead"])
        deadNames.push_back(d["name"].asString());
    EXPECT_EQ(deadNames, (std::vector<std::string>{ "Quen Abernath", "Osk Tarrow", "Tinker Vass" }));

    auto other = crew.roster();
    EXPECT_TRUE(other->fromJson(saved));
    EXPECT_EQ(names(other->getCrewOnShip()), (std::vector<std::string>{ "Ilka Maren", "Ilka Maren" }));
    EXPECT_EQ(names(other->getDeadCrew()), (std::vector<std::string>{ "Quen Abernath", "Osk Tarrow", "Tinker Vass" }));
    const Character& ilka = other->getCrewOnShip()[0];
    EXPECT_EQ(ilka.timesDeployed, 3u);
    EXPECT_EQ(ilka.timesLeader, 2u);
    EXPECT_TRUE(ilka.hasMemento("locket"));
    EXPECT_EQ(ilka.mementos.size(), 5u);
    EXPECT_TRUE(other->getNewMementosFlag());
    EXPECT_TRUE(other->getDeadCrew()[0].isDead);
    EXPECT_EQ(other->getDeadCrew()[0].mementos.back()->getDescription(), "Also gone.");
    EXPECT_EQ(other->getDeadCrew()[1].mementos.back()->getDescription(), "Gone.");
    EXPECT_EQ(Json::Value(other->toJson()), saved);
}

// A saved member whose name cannot be read is left out, and the reading reports failure so
// the caller keeps the save file rather than overwrite it with a shorter crew.
TEST_F(Roster, ABrokenSavedCrewIsReportedAsAFailure)
{
    team({ 0, 1 });
    Json::Value saved = roster->toJson();
    struct Case {
        const char* what;
        std::function<void(Json::Value&)> damage;
        std::size_t aboard;
    };
    const Case cases[] = {
        { "secret as text", [](Json::Value& s) { s["Alive"][1]["secret"] = "no"; }, 1 },
        { "not an object", [](Json::Value& s) { s["Alive"][1] = 12; }, 1 },
        { "history as object", [](Json::Value& s) { s["Alive"][1]["history"] = Json::objectValue; }, 2 },
        { "memento of the wrong type", [](Json::Value& s) { s["Alive"][0]["mementos"][0] = Json::arrayValue; }, 1 },
        { "mementos not a list", [](Json::Value& s) { s["Alive"][0]["mementos"] = "none"; }, 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Json::Value damaged = saved;
        damaged["Alive"][0]["mementos"] = Json::arrayValue;
        damaged["Alive"][0]["mementos"].append(Json::objectValue);
        c.damage(damaged);
        auto other = crew.roster();
        EXPECT_FALSE(other->fromJson(damaged));
        EXPECT_EQ(other->getCrewOnShip().size(), c.aboard);
        for (const Character& member : other->getCrewOnShip())
            EXPECT_TRUE(member.hasProperty("name"));
    }
    EXPECT_TRUE(log.contains("Failed to load character file: Osk Tarrow at: secret\n"));
    EXPECT_TRUE(log.contains("Failed to load character file: Ilka Maren at: mementos\n"));
    auto other = crew.roster();
    EXPECT_FALSE(other->fromJson(Json::Value("Characters")));
    EXPECT_TRUE(other->fromJson(Json::Value(Json::objectValue))) << "an empty crew is a crew";
}

TEST_F(Roster, OnlyAModFolderInsideModsCharactersIsDeleted)
{
    fs::create_directories(crew.mods() + "characters/Echo/keep");
    writeText(crew.mods() + "characters/Echo/keep/note.txt", "x");
    Character echo = roster->getAllCharacters()[4];
    ASSERT_EQ(echo.loadedFilename, "Echo/echo.json");
    EXPECT_TRUE(roster->deleteModCharacter(echo));
    EXPECT_FALSE(fs::exists(echo.filePath));
    EXPECT_TRUE(fs::exists(crew.mods() + "characters/Echo/keep/note.txt")) << "only the character's own file goes";
    EXPECT_TRUE(log.contains("Removing character from " + echo.filePath + "\n"));
    EXPECT_EQ(roster->getAllCharacters().size(), 5u);

    // Outside folders whose paths merely contain the mods path must survive.
    fs::create_directories(crew.mods() + "characters/Loose");
    writeText(crew.mods() + "characters/loose.json", R"({"name": "Loose"})");
    fs::create_directories(crew.mods() + "characters/Deep/er");
    writeText(crew.mods() + "characters/Deep/er/deep.json", R"({"name": "Deep"})");
    fs::create_directory_symlink(crew.assets(), crew.mods() + "characters/Linked");
    fs::create_directories(crew.assets() + "outside");
    const std::string refused[] = {
        crew.assets() + "char/1_ilka_maren.json",
        crew.mods() + "characters/loose.json",
        crew.mods() + "characters/Deep/er/deep.json",
        crew.mods() + "characters/Tinker/../../../assets/outside/x.json",
        crew.mods() + "characters/Linked/x.json",
        crew.mods() + "characters/../characters/x.json",
        "",
    };
    for (const std::string& path : refused) {
        SCOPED_TRACE(path);
        Character target = roster->getAllCharacters()[0];
        target.filePath = path;
        EXPECT_FALSE(roster->deleteModCharacter(target));
        EXPECT_TRUE(log.contains("Tried to delete character without the mod folder in it. Path: " + path
                                 + "Mod folder path: " + crew.mods() + "\n"));
    }
    for (const char* survivor : { "assets/char/1_ilka_maren.json", "mods/characters/loose.json",
                                  "mods/characters/Deep/er/deep.json", "assets/outside", "assets/char",
                                  "mods/characters/Tinker/tinker.json" })
        EXPECT_TRUE(fs::exists(log.home().root() + "/crew/" + survivor)) << survivor;
}

// The script thread kills and recruits while the main thread reads and saves; what must
// happen on the main thread (the death sound) waits there.
TEST_F(Roster, ScriptThreadChangesReachTheMainThread)
{
    PlayerStats stats;
    roster->setPlayerStats(&stats);
    team({ 0, 1, 2, 3 });
    std::thread script([&] {
        for (int round = 0; round < 50; ++round) {
            roster->getCharAttr(round % 4, "social");
            roster->newCrew("Osk Tarrow");
            roster->giveMemento(round % 4, "locket");
        }
        roster->killCrew(3, true, "Gone.");
    });
    std::size_t saves = 0;
    for (int round = 0; round < 50; ++round) {
        auto guard = roster->lock();
        saves += roster->toJson()["Alive"].size() > 0 ? 1 : 0;
    }
    script.join();
    EXPECT_EQ(saves, 50u);
    EXPECT_EQ(roster->getCrewOnShip().size(), 55u);
    EXPECT_EQ(roster->takeQueuedSounds(), std::vector<std::string>{ "death.wav" });
    // The statistics report to the main-thread-only achievement manager: they wait for the
    // main thread's flush.
    EXPECT_TRUE(stats.getKilledCrew().empty());
    EXPECT_TRUE(stats.getCollectedMementos().empty());
    roster->flushStatistics();
    EXPECT_EQ(stats.getKilledCrew(), std::vector<std::string>{ aboard(3).name() });
    EXPECT_EQ(stats.getCollectedMementos(), std::vector<std::string>{ "locket" });
    roster->setPlayerStats(nullptr);
}

// The ship asks the roster about its crew while holding its own lock; the roster asks the
// ship for its jump count. The roster must not hold its lock while it waits for the ship.
TEST_F(Roster, TheJumpCountIsAskedOutsideTheRostersLock)
{
    team({ 0 });
    std::timed_mutex shipLock;
    std::atomic<bool> asking { false };
    std::atomic<bool> gaveUp { false };
    roster->setJumpCountSource([&] {
        asking = true;
        if (!shipLock.try_lock_for(std::chrono::seconds(2))) {
            gaveUp = true;
            return 0;
        }
        shipLock.unlock();
        return 9;
    });
    shipLock.lock(); // the ship is busy and about to ask the roster
    std::thread script([&] { roster->giveMemento(0, "locket"); });
    while (!asking)
        std::this_thread::yield();
    EXPECT_TRUE(roster->crewOnShipLeft());
    shipLock.unlock();
    script.join();
    EXPECT_FALSE(gaveUp);
    EXPECT_EQ(aboard(0).mementos.back()->getOrigin(), "Locket - Jump 9");
}

// The content checker over a small assets folder (tests/fixtures/lint/clean): the clean folder
// gives no finding at all, and each row of the table breaks it in one place and expects the
// one finding that names the break.
#include "missions/ContentLint.hpp"
#include "missions/LuaManager.hpp"
#include "missions/LuaSourceScan.hpp"
#include "support/TempUserHome.hpp"
#include "support/TextFiles.hpp"

#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <optional>
#include <string>

namespace fs = std::filesystem;

namespace {

// A private copy of the clean folder with the pictures it names drawn in.
class LintFolder {
public:
    LintFolder()
    {
        fs::copy(std::string(QV_FIXTURES_DIR) + "/lint/clean", root(), fs::copy_options::recursive);
        for (const char* picture : { "mapscreen/planets/rocky.png", "mapscreen/planets/ice.png",
                 "end_screens/ending_silence.png", "mementos/images/keepsake.png", "mementos/images/death.png",
                 "mementos/images/keepsake_inset.png", "general/character_related/characters/ilka_maren_human.png",
                 "general/character_related/characters/ilka_maren_cy.png" }) {
            fs::create_directories(fs::path(root() + picture).parent_path());
            sf::Image image;
            image.create(4, 4, sf::Color::Red);
            image.saveToFile(root() + picture);
        }
    }
    std::string root() const { return home_.root() + "/assets/"; }
    // Writes `text` into `file`, or removes the file when there is no text.
    void put(const std::string& file, const std::optional<std::string>& text) const
    {
        if (!text) {
            fs::remove(root() + file);
            return;
        }
        fs::create_directories(fs::path(root() + file).parent_path());
        writeText(root() + file, *text);
    }
    LintReport lint() const { return ContentLint(root(), root()).run(); }

private:
    TempUserHome home_;
};

std::string allLines(const LintReport& report)
{
    return report.text().empty() ? "(no findings)" : report.text();
}

} // namespace

TEST(ContentLint, TheCleanFolderGivesNoFinding)
{
    LintFolder folder;
    const LintReport report = folder.lint();
    EXPECT_TRUE(report.findings().empty()) << allLines(report);
}

TEST(ContentLint, EachBreakGivesItsFinding)
{
    // A side mission with the given settings (and display members).
    const auto mission = [](const std::string& settings, const std::string& display = "") {
        return R"({ "1Name": "X", )" + display
            + R"("non Display Items": { "Image file": "rocky.png", "Lua file": "/missions/lua/food_one.lua", )"
            + settings + " } }";
    };
    const std::string characterHead = R"({ "name": "Osk Tarrow", "pronouns": "he/him/his", )";
    const std::string goodStats = R"("attributes": { "physical": 5, "mental": 5, "social": 5 }, )";
    const std::string goodTraits = R"("traits": [ "Human", "Farmer", "Strong", "Lucky", "Stubborn" ], )";
    const std::string goodPortrait = R"("sprites": [ "ilka_maren_human.png" ] })";
    struct Row {
        const char* file;
        std::optional<std::string> text;
        const char* expectedFile;
        LintReport::Severity severity;
        const char* expected;
    };
    using S = LintReport::Severity;
    const Row rows[] = {
        // Mission files.
        { "missions/json/food_one.json", "{ broken", "missions/json/food_one.json", S::Error, "does not parse" },
        { "missions/json/side.json", mission(R"("Min Crew": 1, "Max Crew": 2)", R"("3Tags": ["a"], )"),
          "missions/json/side.json", S::Error, "display value must be" },
        { "missions/json/side.json", mission(R"("Min Crew": "1", "Max Crew": 2)"),
          "missions/json/side.json", S::Error, "whole number" },
        { "missions/json/side.json", mission(R"("Max Crew": 2, "Leader": 1)"),
          "missions/json/side.json", S::Error, "true or false" },
        { "missions/json/side.json", R"({ "1Name": "X", "non Display Items": { "Image file": "rocky.png", "Lua file": "/missions/lua/gone.lua", "Max Crew": 2 } })",
          "missions/json/side.json", S::Error, "/missions/lua/gone.lua does not exist" },
        { "missions/json/side.json", R"({ "1Name": "X", "non Display Items": { "Image file": "rocky.png", "Max Crew": 2 } })",
          "missions/json/side.json", S::Error, "names no \"Lua file\"" },
        { "missions/json/side.json", R"({ "1Name": "X", "non Display Items": { "Image file": "moon.png", "Lua file": "/missions/lua/food_one.lua", "Max Crew": 2 } })",
          "missions/json/side.json", S::Error, "not a planet picture" },
        { "missions/random/json/drift.json", R"({ "non Display Items": { "Lua file": "/missions/random/lua/drift.lua", "Mission Type": "food" } })",
          "missions/random/json/drift.json", S::Error, "must have \"Mission Type\" \"random\"" },
        { "missions/json/side.json", mission(R"("Mission Type": "outofgas", "Max Crew": 0)"),
          "missions/json/side.json", S::Error, "does not belong in missions/json/" },
        { "missions/json/story_three.json", mission(R"("Recap": "r", "Max Crew": 2, "Story Order": 3)"),
          "missions/json/story_three.json", S::Error, "follows a gap" },
        { "missions/json/story_two.json", mission(R"("Max Crew": 2, "Story Order": 2)"),
          "missions/json/story_two.json", S::Error, "needs a \"Recap\"" },
        { "missions/json/side.json", mission(R"("Min Crew": 3, "Max Crew": 2)"),
          "missions/json/side.json", S::Error, "0 <= Min Crew <= Max Crew" },
        { "missions/json/side.json", mission(R"("Min Crew": 1, "Max Crew": 1, "NoDeploy": true)"),
          "missions/json/side.json", S::Error, "sends no team" },
        { "missions/json/side.json", mission(R"("Min Crew": 2, "Max Crew": 4, "Mandatory": true)"),
          "missions/json/side.json", S::Error, "no way out" },
        { "missions/events/json/outofgas.json", std::nullopt, "missions/events/json/outofgas.json", S::Warning,
          "named event is missing" },
        { "missions/json/fuel_one.json", std::nullopt, "missions/json/", S::Warning, "no fuel event" },
        { "missions/json/notes.txt", "todo", "missions/json/notes.txt", S::Warning, "stray file" },
        { "missions/lua/orphan.lua", "msnMgr:endMission(true)", "missions/lua/orphan.lua", S::Warning,
          "no mission names this script" },
        // Scripts.
        { "missions/lua/food_one.lua", "if then end", "missions/lua/food_one.lua", S::Error, "does not compile" },
        { "missions/lua/food_one.lua", "local who = charMgr:getPossessivePronoun(0)", "missions/lua/food_one.lua",
          S::Error, "charMgr has no function \"getPossessivePronoun\" (did you mean \"getPossesivePronoun\"?)" },
        { "missions/lua/food_one.lua", "\n\nmsnMgr.addMessage(\"hello\")", "missions/lua/food_one.lua", S::Error,
          "with a colon" },
        { "missions/lua/food_one.lua", "msnMgr:addMessage(crewNmae(0))", "missions/lua/food_one.lua", S::Error,
          "\"crewNmae\" is neither bound, nor defined by the library or this script (did you mean \"crewName\"?)" },
        { "missions/lua/food_one.lua", "charMgr:giveMemento(0, \"keepsak\")", "missions/lua/food_one.lua", S::Error,
          "there is no memento \"keepsak\"" },
        { "missions/lua/food_one.lua", "luaMgr:unlockAchievement(\"add_alein\")", "missions/lua/food_one.lua",
          S::Error, "did you mean \"add_alien\"" },
        { "missions/lua/food_one.lua", "msnMgr:setEndScreen(\"ending_gone.png\")", "missions/lua/food_one.lua",
          S::Error, "no end-screen picture" },
        { "missions/lua/food_one.lua", "msnMgr:addQuestItem('argon_blackhole_research_7')",
          "missions/lua/food_one.lua", S::Error, "not one of the eleven research ids" },
        { "missions/lua/food_one.lua", "charMgr:newCrew(\"Nobody Here\")", "missions/lua/food_one.lua", S::Error,
          "no character is named" },
        { "missions/lua/food_one.lua", "local p = charMgr:mostAttr(\"strength\")", "missions/lua/food_one.lua",
          S::Error, "not an attribute" },
        { "missions/lua/food_one.lua", "local s = charMgr:getCharTrait(0, \"Strongg\")", "missions/lua/food_one.lua",
          S::Error, "did you mean \"Strong\"" },
        { "missions/lua/food_one.lua", "if msnMgr:hasQuestItem(\"never_added\") then end",
          "missions/lua/food_one.lua", S::Error, "\"never_added\" is tested but no script adds it" },
        { "missions/lua/food_one.lua", "msnMgr:addMessage(\"<c=300,0,0>hot</c>\")", "missions/lua/food_one.lua",
          S::Error, "bad colour markup" },
        { "missions/lua/food_one.lua", "msnMgr:addMessage([[<c=1,2>short</c>]])", "missions/lua/food_one.lua",
          S::Error, "bad colour markup" },
        { "missions/lua/food_one.lua", "local x = charMgr:getRandomCrewByPronoun(\"She\")",
          "missions/lua/food_one.lua", S::Error, "no first pronoun" },
        // Mementos.
        { "mementos/keepsake.json", R"({ "Name": "K", "Description": "d", "Origin": "", "MementoSprite": "keepsake.png" })",
          "mementos/keepsake.json", S::Error, "is missing" },
        { "mementos/keepsake.json", R"({ "Name": "K", "Description": "d", "Origin": "", "MementoSprite": "gone.png", "InsetSprite": "keepsake_inset.png" })",
          "mementos/keepsake.json", S::Error, "mementos/images/gone.png does not exist" },
        { "mementos/spare.json", R"({ "Name": "K", "Description": "d", "Origin": "", "MementoSprite": "keepsake.png", "InsetSprite": "keepsake_inset.png" })",
          "mementos/spare.json", S::Warning, "no script gives this memento" },
        // Characters and lists.
        { "char/osk.json", characterHead + R"("attributes": { "physical": 11, "mental": 5, "social": 5 }, )" + goodTraits + goodPortrait,
          "char/osk.json", S::Error, "from 0 to 10" },
        { "char/osk.json", R"({ "name": "Osk Tarrow", "pronouns": "he/they", )" + goodStats + goodTraits + goodPortrait,
          "char/osk.json", S::Error, "pronoun sets" },
        { "char/osk.json", characterHead + goodStats + R"("traits": [ "Farmer", "Strong" ], )" + goodPortrait,
          "char/osk.json", S::Error, "must be the species" },
        { "char/osk.json", characterHead + goodStats + R"("traits": [ "Human", "Juggler" ], )" + goodPortrait,
          "char/osk.json", S::Error, "\"Juggler\" is not in the crew's vocabulary" },
        { "char/osk.json", characterHead + goodStats + goodTraits + R"("sprites": [ "osk.png" ] })",
          "char/osk.json", S::Error, "the portrait osk.png is in no folder" },
        { "char/osk.json", characterHead + goodStats + goodTraits + R"("sprites": [ "ilka_maren_cy.png" ] })",
          "char/osk.json", S::Error, "the portrait's name says Cygen, the traits say Human" },
        { "general/character_related/character_colors.json", R"([ "ff8cc6", "12345" ])",
          "general/character_related/character_colors.json", S::Error, "six hex digits" },
        { "crew_creator/randomNames.json", R"({ "FirstMale": [ "Osk" ], "FirstFemale": [ "Ilka" ], "LastNames": [ "Maren" ] })",
          "crew_creator/randomNames.json", S::Error, "cannot finish" },
        { "crew_creator/randomNames.json", std::nullopt, "crew_creator/randomNames.json", S::Warning, "not there yet" },
        { "ship_systems/systems.json", R"({ "Systems": [ { "Sprite": "engine" } ] })", "ship_systems/systems.json",
          S::Error, "\"Sprite\" and \"Details\"" },
    };
    for (const Row& row : rows) {
        LintFolder folder;
        folder.put(row.file, row.text);
        const LintReport report = folder.lint();
        bool found = false;
        for (const LintReport::Finding& finding : report.findings())
            found = found
                || (finding.file == row.expectedFile && finding.severity == row.severity
                    && finding.message.find(row.expected) != std::string::npos);
        EXPECT_TRUE(found) << row.file << ": expected \"" << row.expected << "\" in:\n" << allLines(report);
    }
}

TEST(ContentLint, ScriptFindingsNameTheLine)
{
    LintFolder folder;
    folder.put("missions/lua/food_one.lua", "-- first\nlocal x = [[\ntwo\n]]\nship:getFool()\n");
    const LintReport report = folder.lint();
    ASSERT_EQ(report.findings().size(), 1u) << allLines(report);
    EXPECT_EQ(LintReport::line(report.findings()[0]),
              "missions/lua/food_one.lua:5: error: ship has no function \"getFool\" (did you mean \"getFood\"?)");
}

TEST(ContentLint, AFolderWithoutMissionsHasNothingToCheck)
{
    TempUserHome home;
    ContentLint lint(home.root() + "/", home.root() + "/");
    lint.run();
    EXPECT_TRUE(lint.noMissions());
}

TEST(LuaSourceScan, TellsLocalsDefinitionsAndFieldsFromGlobalUses)
{
    const LuaSourceScan scan = LuaSourceScan::scan(R"(
local a, b = 1, 2
function helper(x, y) return x + y + a end
total, count = 0, 0
local t = { key = value, other = 3 }
for k, v in pairs(t) do print(t.key, k, v) end
local s = "not_a_name" .. [==[ nor ]] this ]==]
-- comment_name
goto done
::done::
)");
    std::set<std::string> uses;
    for (const auto& use : scan.globalUses)
        uses.insert(use.name);
    EXPECT_EQ(uses, (std::set<std::string>{ "value", "pairs", "print" }));
    EXPECT_EQ(scan.globalDefinitions, (std::set<std::string>{ "helper", "total", "count" }));
    ASSERT_EQ(scan.literals.size(), 2u);
    EXPECT_EQ(scan.literals[1].text, " nor ]] this ");
    EXPECT_EQ(scan.literals[1].line, 7);
}

// The API tables of docs/MODDING.md name exactly the functions the binding has: a function
// added to the binding needs its row, and a row cannot outlive its function.
TEST(ContentLint, TheModdingGuideListsEveryBoundFunction)
{
    const std::string guide = readAll(std::string(QV_SOURCE_DIR) + "/docs/MODDING.md");
    std::map<std::string, std::set<std::string>> documented;
    std::string global;
    std::istringstream lines(guide);
    for (std::string line; std::getline(lines, line);) {
        // "### `msnMgr` — ..." opens a global's table; any other heading closes it.
        if (line.rfind("#", 0) == 0) {
            global = line.rfind("### `", 0) == 0 ? line.substr(5, line.find('`', 5) - 5) : "";
            continue;
        }
        if (global.empty() || line.rfind("| ", 0) != 0 || line.rfind("| function", 0) == 0)
            continue;
        std::istringstream names(line.substr(2, line.find(" |", 2) - 2));
        for (std::string name; std::getline(names, name, ',');)
            documented[global].insert(name.substr(name.find_first_not_of(' ')));
    }
    EXPECT_EQ(documented, LuaManager::boundMethods());

    // And every helper the library defines has its row.
    const std::string libraryHelpers = guide.substr(guide.find("### Library helpers"));
    std::set<std::string> helpers;
    std::istringstream rows(libraryHelpers.substr(0, libraryHelpers.find("\n## ")));
    for (std::string row; std::getline(rows, row);) {
        if (row.rfind("| `", 0) != 0)
            continue;
        const std::string first = row.substr(0, row.find(" |", 2));
        for (std::size_t at = first.find('`'); at != std::string::npos; at = first.find('`', first.find('`', at + 1) + 1)) {
            const std::size_t end = first.find_first_of("(`", at + 1);
            helpers.insert(first.substr(at + 1, end - at - 1));
        }
    }
    const LuaSourceScan library = LuaSourceScan::scan(
        readAll(std::string(QV_SOURCE_DIR) + "/assets-src/static/missions/library/library.lua"));
    EXPECT_EQ(helpers, library.globalDefinitions);
}

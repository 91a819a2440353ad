#include "crew/Character.hpp"

#include "core/Base64.hpp"
#include "core/TextFunctions.hpp"
#include "crew/CrewColours.hpp"
#include "crew/CrewVocabulary.hpp"
#include "missions/Memento.hpp"
#include "support/CrewFixture.hpp"
#include "support/LogCapture.hpp"

#include <gtest/gtest.h>

#include <climits>

namespace {

class Characters : public ::testing::Test {
protected:
    // Reads `json` as the file "char/<file>" of the fixture assets.
    Character load(const std::string& json, bool* kept = nullptr, const std::string& file = "test.json")
    {
        crew.writeCharacter("assets/char/" + file, json);
        Character character(crew.assets());
        bool added = character.loadFromFile(false, path(file), "char/" + file);
        if (kept)
            *kept = added;
        return character;
    }
    std::string path(const std::string& file) const { return crew.assets() + "char/" + file; }

    LogCapture log;
    CrewFolders crew{ log.home().root() + "/crew" };
};

} // namespace

TEST_F(Characters, AMinimalFileTakesTheDefaults)
{
    bool kept = false;
    Character ada = load(R"({"name": "Ada Vel", "attributes": {"physical": 2}})", &kept);
    ASSERT_TRUE(kept);
    EXPECT_EQ(ada.getAttr("physical"), 2);
    EXPECT_EQ(ada.attributes.count("mental"), 0u);
    EXPECT_EQ(ada.getAttr("mental"), 0);
    EXPECT_EQ(ada.attributes.count("mental"), 1u) << "asking adds the attribute, so it is saved";
    EXPECT_EQ(ada.getProperty("pronouns"), "They/Them/Theirs");
    EXPECT_EQ(ada.color, CrewColours::get().forName("Ada Vel"));
    EXPECT_TRUE(log.contains("No existing colour defined for Ada Vel. Getting fallback.\n"));
    EXPECT_EQ(ada.filePath, path("test.json"));
    EXPECT_EQ(ada.loadedFilename, "char/test.json");
    EXPECT_FALSE(ada.isFromMod);
    EXPECT_EQ(ada.nameText(), "Ada\nVel");
    EXPECT_THROW(ada.getProperty("rank"), std::out_of_range);
}

TEST_F(Characters, HistoryPiecesJoinAndUnknownKeysStayAsText)
{
    Character ilka = load(R"({"name": "Ilka Maren", "history": ["Born on Mars.", " Raised at sea."],
                              "homeworld": "Tessaly", "shoeSize": 41, "secret": true,
                              "BonusMultiplier": true, "color": "0a05c8"})");
    EXPECT_EQ(ilka.history, "Born on Mars. Raised at sea.");
    EXPECT_EQ(ilka.getProperty("homeworld"), "Tessaly");
    EXPECT_EQ(ilka.getProperty("shoeSize"), "41");
    EXPECT_EQ(ilka.getProperty("secret"), "true");
    EXPECT_TRUE(ilka.isSecret);
    EXPECT_FLOAT_EQ(ilka.bonusMultiplier, 1.0f);
    EXPECT_EQ(ilka.color, sf::Color(10, 5, 200));

    Json::Value saved = ilka.toJson();
    EXPECT_EQ(saved["homeworld"], "Tessaly");
    EXPECT_EQ(saved["shoeSize"], "41");
    EXPECT_EQ(saved["secret"], true) << "the typed value replaces the text form";
    EXPECT_EQ(saved["color"], "0a05c8");
    EXPECT_EQ(saved["history"], "Born on Mars. Raised at sea.");
    EXPECT_TRUE(log.contains("No mementos for: Ilka Maren\n"));
    EXPECT_FALSE(saved.isMember("mementos"));
    EXPECT_FALSE(saved.isMember("steamCharacterID"));

    EXPECT_FLOAT_EQ(load(R"({"name": "B", "BonusMultiplier": 2})").bonusMultiplier, 2.0f);
}

// Each labelled key stops the reading there: what came before stays, what follows is not read.
TEST_F(Characters, AKeyOfTheWrongTypeStopsReadingAtItsLabel)
{
    struct Case {
        const char* json;
        const char* label;
        bool kept; // the name was read before the failing step
    };
    const Case cases[] = {
        { R"({"name": "A", "secret": "yes"})", "secret", false },
        { R"({"name": "A", "attributes": [1, 2]})", "attributes", false },
        { R"({"name": "A", "attributes": {"physical": "strong"}})", "attributes", false },
        { R"({"name": "A", "traits": ["Lucky", {"x": 1}]})", "traits", false },
        { R"({"name": "A", "traits": "Lucky"})", "traits", false },
        { R"({"name": "A", "sprites": "face.png"})", "sprites", false },
        { R"({"name": "A", "homeworld": ["Tessaly"]})", "generation", false }, // keys are read in sorted order
        { R"({"name": "A", "zodiac": {"sign": "crab"}})", "generation", true },
        { R"({"name": "A", "history": {"text": "x"}, "TimesLeader": 2})", "history", true },
        { "[1, 2, 3]", "generation", false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.json);
        bool kept = false;
        Character read = load(c.json, &kept);
        EXPECT_EQ(kept, c.kept);
        EXPECT_TRUE(log.contains("Failed to load character file: " + path("test.json") + " at: " + c.label + "\n"));
        if (!kept) {
            EXPECT_TRUE(log.contains(path("test.json") + " gives no \"name\"; it is left out"));
        }
    }
    // Steps before the failing one stay applied.
    Character partial = load(R"({"name": "A", "traits": ["Lucky"], "history": "Lost.", "zodiac": [1]})");
    EXPECT_EQ(partial.traits, std::vector<std::string>{ "Lucky" });
    EXPECT_TRUE(partial.history.empty());
    Character counters = load(R"({"name": "A", "history": {"x": 1}, "TimesLeader": 2})");
    EXPECT_EQ(counters.timesLeader, 2u) << "counters are read before the history";
}

TEST_F(Characters, BadValuesWithoutALabelAreLoggedAndKeepTheirDefaults)
{
    struct Case {
        const char* json;
        const char* key;
    };
    const Case cases[] = {
        { R"({"name": "A", "TimesDeployed": -1})", "TimesDeployed" },
        { R"({"name": "A", "TimesMedic": "three"})", "TimesMedic" },
        { R"({"name": "A", "BonusEngineer": 4294967296})", "BonusEngineer" },
        { R"({"name": "A", "BonusMultiplier": "half"})", "BonusMultiplier" },
        { R"({"name": "A", "BonusMultiplier": 1e300})", "BonusMultiplier" },
        { R"({"name": "A", "UnseenMementos": "yes"})", "UnseenMementos" },
        { R"({"name": "A", "steamCharacterID": -5})", "steamCharacterID" },
        { R"({"name": "A", "imageBinary": {"png": 1}})", "imageBinary" },
        { R"({"name": "A", "imageBinary": "not base64 at all!"})", "imageBinary" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.json);
        bool kept = false;
        Character read = load(c.json, &kept);
        EXPECT_TRUE(kept);
        EXPECT_TRUE(log.contains(path("test.json") + " key \"" + c.key + "\""));
        EXPECT_EQ(read.timesDeployed + read.timesMedic + read.bonusEngineer + read.steamCharacterID, 0u);
        EXPECT_EQ(read.bonusMultiplier, 0.f);
        EXPECT_FALSE(read.unseenMementos);
        EXPECT_EQ(read.card.pictureCount(), 0u);
    }
    Character colourless = load(R"({"name": "A", "color": null, "TimesLeader": null})");
    EXPECT_EQ(colourless.color, CrewColours::get().forName("A"));
    EXPECT_TRUE(log.contains("No existing colour defined for A. Getting fallback.\n"));
}

TEST_F(Characters, ColoursAndTheRoleBonusFollowTheirRules)
{
    Character writer = load(R"({"name": "C"})");
    writer.color = sf::Color(0, 15, 16);
    Json::Value saved = writer.toJson();
    EXPECT_EQ(saved["color"], "000f10");
    Character reader(crew.assets());
    reader.fromJson(saved);
    EXPECT_EQ(reader.color, sf::Color(0, 15, 16));

    Character medic = load(R"({"name": "M", "attributes": {"physical": 3, "social": 2147483647},
                              "BonusMedic": 3, "BonusLeader": 4, "BonusMultiplier": 0.5})");
    EXPECT_EQ(medic.getAttr("physical"), 4); // 3 + floor(1.5)
    EXPECT_EQ(medic.getAttr("social"), INT_MAX) << "the bonus cannot overflow the attribute";
    EXPECT_EQ(medic.getAttr("courage"), 0);
    medic.bonusMultiplier = std::numeric_limits<float>::infinity();
    EXPECT_EQ(medic.getAttr("mental"), 0) << "no engineer bonus, so no infinity times zero";
}

TEST_F(Characters, AnEmbeddedPortraitIsWrittenBackUnchanged)
{
    const std::string portrait = crew.pictureBase64(6, 7, sf::Color(200, 10, 10));
    Character face = load(R"({"name": "Face Value", "imageBinary": ")" + portrait + R"("})");
    EXPECT_EQ(face.spriteNames, std::vector<std::string>{ "imageBinary:Face Value" });
    ASSERT_EQ(face.card.pictureCount(), 1u);
    EXPECT_EQ(face.card.portraitImage().getSize(), sf::Vector2u(6, 7));
    Json::Value saved = face.toJson();
    EXPECT_EQ(saved["imageBinary"], portrait);
    EXPECT_FALSE(saved.isMember("sprites"));
}

// A portrait file that could not be read was saved as an empty "imageBinary"; reading that
// must not throw away the sprites the character still has.
TEST_F(Characters, AnEmptyOrBrokenPortraitCountsAsNone)
{
    for (const char* broken : { "", "AAAA", "!!!!" }) {
        SCOPED_TRACE(broken);
        Character kept = load(std::string(R"({"name": "K", "sprites": ["face.png"], "imageBinary": ")") + broken
                              + "\"}");
        EXPECT_EQ(kept.spriteNames, std::vector<std::string>{ "face.png" });
        EXPECT_FALSE(kept.card.hasPortrait());
        EXPECT_TRUE(kept.imageBase64.empty());
    }

    // The whole cycle: no portrait file to embed, saved, read back, saved again.
    Character first = load(R"({"name": "K", "sprites": ["face.png"]})");
    Json::Value saved = first.toJson();
    EXPECT_EQ(saved["imageBinary"], "");
    EXPECT_EQ(saved["sprites"][0], "face.png");
    Character again(crew.assets());
    again.fromJson(saved);
    EXPECT_EQ(again.spriteNames, std::vector<std::string>{ "face.png" });

    // Once the picture exists it is embedded, and the copy read back shows it.
    crew.writePicture(std::string(charactersFolder) + "face.png", 4, 4, sf::Color::Green);
    Character embedded(crew.assets());
    embedded.fromJson(again.toJson());
    EXPECT_EQ(embedded.card.portraitImage().getSize(), sf::Vector2u(4, 4));
    EXPECT_EQ(embedded.spriteNames, std::vector<std::string>{ "imageBinary:K" });
}

TEST_F(Characters, ACharacterWithoutPicturesSavesWithoutAPortrait)
{
    Character plain = load(R"({"name": "Plain"})");
    Json::Value saved = plain.toJson();
    EXPECT_FALSE(saved.isMember("imageBinary"));
    EXPECT_FALSE(saved.isMember("sprites"));
    Character again(crew.assets());
    again.fromJson(saved);
    EXPECT_EQ(again.card.pictureCount(), 0u);
}

TEST_F(Characters, SavedKeysReplaceEarlierOnesInTheirOrder)
{
    Character saved = load(R"({"name": "S", "LoadedFilename": "char/older.json", "steamCharacterID": 77,
                               "TimesDeployed": 3, "UnseenMementos": true})");
    Json::Value object = saved.toJson();
    EXPECT_EQ(object["LoadedFilename"], "char/older.json") << "the property of an earlier save wins";
    EXPECT_EQ(object["steamCharacterID"], 77u);
    EXPECT_EQ(object["TimesDeployed"], 3u);
    EXPECT_EQ(object["UnseenMementos"], true);
    EXPECT_EQ(object["secret"], false);
    EXPECT_TRUE(object["attributes"].isObject());
    EXPECT_TRUE(object["traits"].isArray());
}

TEST_F(Characters, TraitsMatchAsSubstringsAndIdentityFollowsTheFile)
{
    Character unlucky = load(R"({"name": "U", "traits": ["Unlucky", "Strong-willed"]})");
    EXPECT_TRUE(unlucky.hasTrait("lucky"));
    EXPECT_TRUE(unlucky.hasTrait("Strong"));
    EXPECT_FALSE(unlucky.hasTrait("Lucky")) << "case counts";

    auto make = [&](const std::string& name, const std::string& file, std::uint32_t id, bool mod) {
        Character c(crew.assets());
        c.properties["name"] = name;
        c.filePath = file;
        c.steamCharacterID = id;
        c.isFromMod = mod;
        return c;
    };
    struct Case {
        Character a, b;
        bool same;
    };
    const Case cases[] = {
        { make("A", "/x/a.json", 1, false), make("B", "/x/a.json", 2, true), true },
        { make("A", "/x/a.json", 0, false), make("A", "/x/b.json", 0, false), false },
        { make("A", "", 5, false), make("B", "/x/a.json", 5, true), true },
        { make("A", "", 5, false), make("A", "", 6, false), false },
        { make("A", "", 0, false), make("A", "", 9, false), true },
        { make("A", "", 0, false), make("A", "", 0, true), false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.a.sameCharacter(c.b), c.same) << c.a.filePath << " / " << c.b.filePath;
}

TEST_F(Characters, BadgesAndExperienceStopAtFour)
{
    Character vet = load(R"({"name": "Vet Aran"})");
    vet.addBadges();
    ASSERT_EQ(vet.mementos.size(), 4u);
    EXPECT_EQ(vet.mementos[0]->getName(), "Rank 0");
    EXPECT_EQ(vet.mementos[2]->getDescription(),
              "Experienced Medics perform better in situations requiring physcial awareness and control.\n\n"
              "Medic Missions:");
    EXPECT_EQ(vet.mementos[3]->getMementoSprite(), "engineer0.png");
    EXPECT_EQ(vet.mementos[1]->getInsetSprite(), "rank_inset.png");
    EXPECT_EQ(vet.mementos[1]->getOrigin(), "Level 0 Leader");

    vet.creditDeployment("Relay Kappa");
    EXPECT_EQ(vet.timesDeployed, 1u);
    EXPECT_EQ(vet.mementos[0]->getName(), "Rank 1");
    EXPECT_EQ(vet.mementos[0]->getMementoSprite(), "rank1.png");
    EXPECT_EQ(vet.mementos[0]->getOrigin(), "Rank 1");

    vet.timesDeployed = 4;
    vet.mementos[0]->setPicture("rank4.png");
    vet.creditDeployment("Dust Belt");
    EXPECT_EQ(vet.timesDeployed, 4u);
    EXPECT_EQ(vet.mementos[0]->getMementoSprite(), "rank4.png");
    EXPECT_EQ(vet.mementos[0]->getDescription(), "All Missions:\n - Relay Kappa\n - Dust Belt");

    for (int mission = 0; mission < 5; ++mission)
        vet.creditRole(Character::Role::Leader, mission == 4 ? "null" : "M" + std::to_string(mission));
    EXPECT_EQ(vet.timesLeader, 4u);
    EXPECT_EQ(vet.bonusLeader, 4u);
    EXPECT_EQ(vet.mementos[1]->getName(), "Level 4 Leader");
    EXPECT_EQ(vet.mementos[1]->getMementoSprite(), "leader4.png");
    EXPECT_EQ(vet.mementos[1]->getOrigin(), "Level 4 Leader") << "the origin line follows the title";
    EXPECT_EQ(vet.mementos[1]->getDescription().find("null"), std::string::npos);

    vet.timesMedic = 4294967295u; // a file may say so; one more must not wrap to 0
    vet.creditRole(Character::Role::Medic, "Far");
    EXPECT_EQ(vet.timesMedic, 4u);
    EXPECT_EQ(vet.mementos[2]->getMementoSprite(), "medic0.png");
}

TEST_F(Characters, MementosAreGivenFromTheirFilesAndKnownByFileName)
{
    Character holder = load(R"({"name": "Hold Fast"})");
    EXPECT_TRUE(holder.giveMemento(3, "locket", "Relay Kappa", &crew.stats));
    EXPECT_TRUE(holder.unseenMementos);
    EXPECT_TRUE(holder.hasMemento("locket"));
    EXPECT_FALSE(holder.hasMemento("locket.json"));
    EXPECT_EQ(holder.mementos.back()->getDescription(), "Hold Fast found it in a drawer.");
    EXPECT_EQ(crew.stats.getCollectedMementos(), std::vector<std::string>{ "locket" });

    EXPECT_FALSE(holder.giveMemento(3, "no_such_thing", "", &crew.stats));
    EXPECT_EQ(holder.mementos.size(), 1u);

    Character copy = holder;
    EXPECT_EQ(copy.mementos.front(), holder.mementos.front()) << "copies share their mementos";
}

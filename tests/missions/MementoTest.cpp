#include "missions/Memento.hpp"

#include "achievements/VoidAchievementManager.hpp"
#include "core/Base64.hpp"
#include "persistence/PlayerStats.hpp"
#include "support/LogCapture.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// An assets folder with one memento file and its two pictures, made fresh per test.
class Mementos : public ::testing::Test {
protected:
    void SetUp() override
    {
        assets = log.home().root() + "/assets/";
        fs::create_directories(assets + "mementos/images");
        writePicture("locket.png", 12, 9, sf::Color(200, 40, 40));
        writePicture("locket_inset.png", 5, 4, sf::Color(20, 40, 220));
        writeMemento("locket", R"({"Name": "Locket", "Description": "<charName> wore it; <charName> never opened it.",)"
                               R"( "Origin": "unknown", "MementoSprite": "locket.png", "InsetSprite": "locket_inset.png"})");
        writeMemento("death", R"({"Name": "Epitaph", "Description": "Here lies <charName>.", "Origin": "",)"
                              R"( "MementoSprite": "locket.png", "InsetSprite": "locket_inset.png"})");
        manager.buildCatalogue();
        stats.setAchievementManager(&manager);
    }
    void writePicture(const std::string& name, unsigned width, unsigned height, sf::Color colour)
    {
        sf::Image image;
        image.create(width, height, colour);
        ASSERT_TRUE(image.saveToFile(assets + "mementos/images/" + name));
    }
    void writeMemento(const std::string& name, const std::string& json)
    {
        std::ofstream(assets + "mementos/" + name + ".json") << json;
    }
    std::shared_ptr<Memento> give(const std::string& name, int day = 4, const std::string& mission = "Relay Kappa")
    {
        return Memento::give("Zuveda Dared", day, name, mission, &stats, assets);
    }

    LogCapture log;
    std::string assets;
    VoidAchievementManager manager;
    PlayerStats stats;
};

} // namespace

TEST_F(Mementos, GivingPersonalisesAndCounts)
{
    auto memento = give("locket");
    ASSERT_TRUE(memento);
    EXPECT_EQ(memento->getDescription(), "Zuveda Dared wore it; Zuveda Dared never opened it.");
    EXPECT_EQ(memento->getOrigin(), "Locket - Jump 4, Relay Kappa");
    EXPECT_EQ(memento->getLoadedFilename(), "locket.json");
    EXPECT_TRUE(memento->answersTo("locket"));
    EXPECT_FALSE(memento->answersTo("locket.json"));
    EXPECT_EQ(memento->getPictureImage().getSize(), sf::Vector2u(12, 9));
    EXPECT_EQ(memento->getInsetImage().getSize(), sf::Vector2u(5, 4));
    EXPECT_EQ(stats.getCollectedMementos(), std::vector<std::string>{ "locket" });
    EXPECT_TRUE(log.contains("Giving memento locket to: Zuveda Dared\n"));

    ASSERT_TRUE(give("death"));
    EXPECT_EQ(stats.getCollectedMementos().size(), 1u) << "death is no collectible";
}

TEST_F(Mementos, AMementoThatCannotBeLoadedIsNeitherGivenNorCounted)
{
    EXPECT_EQ(give("no_such_memento"), nullptr);
    EXPECT_TRUE(log.contains("Could not parse memento file " + assets + "mementos/no_such_memento.json"));
    EXPECT_TRUE(log.contains("Unable to load memento no_such_memento!\n"));

    // Nesting past the reader's depth limit makes it throw rather than report.
    writeMemento("deep", R"({"Name": )" + std::string(5000, '['));
    EXPECT_EQ(give("deep"), nullptr);
    EXPECT_TRUE(log.contains("Could not parse memento file " + assets + "mementos/deep.json it will not be loaded!\n"));
    EXPECT_TRUE(stats.getCollectedMementos().empty());
}

TEST_F(Mementos, OriginLineDependsOnDayAndMission)
{
    const struct {
        int day;
        const char* mission;
        const char* origin;
    } cases[] = {
        { 7, "null", "Locket - Jump 7" },
        { -1, "", "Locket" },
        { -1, "null", "Locket" },
        { 0, "", "Locket - Jump 0" },
        { 3, "Relay Kappa", "Locket - Jump 3, Relay Kappa" },
        { -2, "Relay Kappa", "Locket - Jump -2, Relay Kappa" },
    };
    for (const auto& c : cases) {
        auto memento = give("locket", c.day, c.mission);
        ASSERT_TRUE(memento);
        EXPECT_EQ(memento->getOrigin(), c.origin) << c.day << " " << c.mission;
    }
}

TEST_F(Mementos, SavedMementosKeepTheirPicturesWhenTheFilesAreGone)
{
    auto given = give("locket");
    ASSERT_TRUE(given);
    Json::Value saved = given->toJson();
    EXPECT_EQ(saved["LoadedFilename"].asString(), "locket.json");
    EXPECT_EQ(saved["Origin"].asString(), "Locket - Jump 4, Relay Kappa");
    ASSERT_TRUE(saved["mementoImageBinary"].isString());
    ASSERT_TRUE(saved["insetImageBinary"].isString());

    fs::remove_all(assets + "mementos/images");
    Memento restored(assets);
    restored.fromJson(saved);
    EXPECT_EQ(restored.getPictureImage().getSize(), sf::Vector2u(12, 9));
    EXPECT_EQ(restored.getPictureImage().getPixel(3, 3), sf::Color(200, 40, 40));
    EXPECT_EQ(restored.getInsetImage().getPixel(1, 1), sf::Color(20, 40, 220));
    EXPECT_EQ(restored.getDescription(), given->getDescription());
    EXPECT_TRUE(restored.answersTo("locket"));
    // Saved again without the files: the embedded copies go along unchanged.
    Json::Value again = restored.toJson();
    EXPECT_EQ(again["mementoImageBinary"], saved["mementoImageBinary"]);
    EXPECT_EQ(again["insetImageBinary"], saved["insetImageBinary"]);
}

TEST_F(Mementos, BrokenEmbeddedPictureFallsBackToTheAssetsAndIsKept)
{
    Json::Value object;
    object["Name"] = "Locket";
    object["LoadedFilename"] = "locket.json";
    object["MementoSprite"] = "locket.png";
    object["InsetSprite"] = "locket_inset.png";
    object["mementoImageBinary"] = "not*base64";
    object["insetImageBinary"] = Base64::encode(std::string("definitely not a picture"));
    Memento memento(assets);
    memento.fromJson(object);
    EXPECT_EQ(memento.getPictureImage().getSize(), sf::Vector2u(12, 9));
    EXPECT_EQ(memento.getInsetImage().getSize(), sf::Vector2u(5, 4));
    EXPECT_TRUE(log.contains("Warning: Memento::fromJson, locket.json key \"mementoImageBinary\""));
    EXPECT_TRUE(log.contains("Warning: Memento::fromJson, locket.json key \"insetImageBinary\""));
    EXPECT_EQ(memento.toJson()["mementoImageBinary"].asString(), "not*base64") << "nothing the player had is lost";
}

// A picture claiming 16000 x 16000 pixels (31 KB in the file) is refused before it is
// decoded: the asset picture shows instead, and saving embeds that, not the hostile one.
TEST_F(Mementos, APictureBeyondTheSizeCapIsNeitherDecodedNorSavedBack)
{
    writePicture("keepsake.png", 7, 7, sf::Color::Yellow);
    writePicture("keepsake_inset.png", 2, 2, sf::Color::Blue);
    Memento memento(assets);
    ASSERT_TRUE(memento.loadFile(std::string(QV_FIXTURES_DIR) + "/mementos/huge_picture.json", "huge_picture.json"));
    EXPECT_EQ(memento.getPictureImage().getSize(), sf::Vector2u(7, 7));
    EXPECT_EQ(memento.getInsetImage().getSize(), sf::Vector2u(3, 3)) << "the inset is a small picture";
    EXPECT_TRUE(log.contains("key \"mementoImageBinary\" holds a picture of 16000 x 16000 pixels"));

    auto saved = Base64::decode(memento.toJson()["mementoImageBinary"].asString());
    ASSERT_TRUE(saved);
    sf::Image image;
    ASSERT_TRUE(image.loadFromMemory(saved->data(), saved->size()));
    EXPECT_EQ(image.getSize(), sf::Vector2u(7, 7));
}

// A memento file is named by the file it was read from, whatever "LoadedFilename" it holds.
TEST_F(Mementos, TheFileNameWinsOverTheNameInsideTheFile)
{
    Memento memento(assets);
    ASSERT_TRUE(memento.loadFile(std::string(QV_FIXTURES_DIR) + "/mementos/keepsake.json", "keepsake.json"));
    EXPECT_EQ(memento.getLoadedFilename(), "keepsake.json");
    EXPECT_TRUE(memento.answersTo("keepsake"));
    EXPECT_EQ(memento.getPictureImage().getSize(), sf::Vector2u(6, 4));
}

TEST_F(Mementos, ValuesThatAreNotTextFailTheLoad)
{
    writeMemento("numbered", R"({"Name": 5, "MementoSprite": "locket.png", "InsetSprite": "locket_inset.png"})");
    EXPECT_EQ(give("numbered"), nullptr);
    EXPECT_TRUE(log.contains("Ruh roh numbered.json"));
    EXPECT_TRUE(log.contains("Failed to load memento file: " + assets + "mementos/numbered.json at: generation\n"));

    writeMemento("listed", R"(["Name", "Locket"])");
    EXPECT_EQ(give("listed"), nullptr);
    EXPECT_TRUE(stats.getCollectedMementos().empty());
}

TEST_F(Mementos, MissingPictureFileIsLoggedAndTheMementoStillWorks)
{
    writeMemento("faded", R"({"Name": "Faded", "MementoSprite": "gone.png", "InsetSprite": "locket_inset.png"})");
    auto memento = give("faded");
    ASSERT_TRUE(memento);
    EXPECT_EQ(memento->getPictureImage().getSize(), sf::Vector2u(0, 0));
    EXPECT_TRUE(log.contains(assets + "mementos/images/gone.png\n"));
    Json::Value saved = memento->toJson();
    EXPECT_FALSE(saved.isMember("mementoImageBinary")) << "no empty picture is embedded";
    EXPECT_TRUE(saved.isMember("insetImageBinary"));
}

TEST_F(Mementos, BadgeSettersReplaceAndEmbedTheNewPicture)
{
    writePicture("rank1.png", 3, 3, sf::Color::Green);
    auto badge = give("locket", -1, "");
    ASSERT_TRUE(badge);
    Memento restored(assets);
    restored.fromJson(badge->toJson()); // now carries embedded pictures
    restored.setName("Rank 1");
    restored.setDescription("");
    restored.setDescription("All Missions:\nRelay Kappa");
    restored.setDescription("");
    restored.setPicture("rank1.png");
    EXPECT_EQ(restored.getName(), "Rank 1");
    EXPECT_EQ(restored.getDescription(), "All Missions:\nRelay Kappa");
    EXPECT_EQ(restored.getMementoSprite(), "rank1.png");
    EXPECT_EQ(restored.getPictureImage().getSize(), sf::Vector2u(3, 3));
    std::string embedded = restored.toJson()["mementoImageBinary"].asString();
    auto bytes = Base64::decode(embedded);
    ASSERT_TRUE(bytes);
    sf::Image image;
    ASSERT_TRUE(image.loadFromMemory(bytes->data(), bytes->size()));
    EXPECT_EQ(image.getSize(), sf::Vector2u(3, 3)) << "the save embeds the new file, not the old picture";
}

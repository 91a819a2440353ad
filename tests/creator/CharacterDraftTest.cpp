#include "creator/CharacterDraft.hpp"

#include "core/FileUtils.hpp"
#include "support/LogCapture.hpp"
#include "support/TextFiles.hpp"

#include <SFML/Graphics/Image.hpp>

#include <json/json.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

class DraftSave : public ::testing::Test {
protected:
    void SetUp() override
    {
        mods = log.home().root() + "/mods/";
        draft.name = "Tam Orrin";
        draft.pronouns = "She/Her/Hers";
        draft.mental = 4;
        draft.physical = 7;
        draft.social = 0;
        draft.traits = { "Human", "Farmer", "Lucky", "Tough", "Weak" };
        draft.history = "Grew beans\nin the dark.";
        draft.colour = sf::Color(10, 5, 200);
        draft.portraitPng = "PNG bytes";
    }

    LogCapture log;
    std::string mods;
    CharacterDraft draft;
};

} // namespace

TEST_F(DraftSave, WritesOneCompactSortedLineUnderTheStem)
{
    const CharacterDraft::Outcome outcome = draft.save(mods, "");
    ASSERT_TRUE(outcome.saved) << outcome.message;
    EXPECT_EQ(outcome.message, "Saved");
    EXPECT_EQ(outcome.path, mods + "characters/Tam_Orrin/Tam_Orrin.json");
    const std::string text = readAll(outcome.path);
    EXPECT_EQ(text,
              "{\"attributes\":{\"mental\":4,\"physical\":7,\"social\":0},\"color\":\"0a05c8\",\"history\":\"Grew beans "
              "in the dark.\",\"imageBinary\":\"UE5HIGJ5dGVz\",\"name\":\"Tam Orrin\",\"pronouns\":\"she/her/hers\","
              "\"traits\":[\"Human\",\"Farmer\",\"Lucky\",\"Tough\",\"Weak\"]}\n");
}

TEST_F(DraftSave, StemsFollowTheNameOrTheWorkshopId)
{
    struct Case {
        const char* name;
        std::uint32_t workshopId;
        const char* stem;
    };
    for (const Case& c : { Case{ "Tam Orrin", 0, "Tam_Orrin" }, Case{ "../x", 0, "___x" },
                           Case{ "Zo\xC3\xAB", 0, "Zo_" }, Case{ "Tam Orrin", 4242, "4242" },
                           Case{ "A/B\\C", 0, "A_B_C" } }) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CharacterDraft::stemFor(c.name, c.workshopId), c.stem);
    }
    draft.workshopId = 4242;
    const CharacterDraft::Outcome outcome = draft.save(mods, "");
    ASSERT_TRUE(outcome.saved);
    EXPECT_EQ(outcome.path, mods + "characters/4242/4242.json");
    Json::Value written;
    ASSERT_TRUE(Json::Reader().parse(readAll(outcome.path), written));
    EXPECT_EQ(written["steamCharacterID"].asUInt(), 4242u);

    draft.workshopId = 0;
    draft.name = "../x";
    EXPECT_EQ(draft.save(mods, "").path, mods + "characters/___x/___x.json");
    EXPECT_FALSE(fs::exists(log.home().root() + "/x.json"));
}

TEST_F(DraftSave, RefusesANamelessCharacterAndAFolderItCannotWrite)
{
    for (const char* name : { "", " ", "\n" }) {
        draft.name = name;
        const CharacterDraft::Outcome outcome = draft.save(mods, "");
        EXPECT_FALSE(outcome.saved);
        EXPECT_EQ(outcome.message, "A character needs a name");
    }
    EXPECT_FALSE(fs::exists(mods + "characters"));

    // "characters" is a file, so no folder can be made in it (as root too).
    fs::create_directories(mods);
    writeText(mods + "characters", "not a folder");
    draft.name = "Tam Orrin";
    const CharacterDraft::Outcome outcome = draft.save(mods, "");
    EXPECT_FALSE(outcome.saved);
    EXPECT_EQ(outcome.message, "Could not save the character");
    EXPECT_EQ(readAll(mods + "characters"), "not a folder");
    EXPECT_TRUE(log.contains("Error: CharacterDraft::save, could not make " + mods + "characters/Tam_Orrin"));
}

TEST_F(DraftSave, ANewCharacterNeverReplacesAnotherOnly_AnEditReplacesItsOwnFile)
{
    // "Ann Lee" and "Ann-Lee" share the stem Ann_Lee.
    draft.name = "Ann Lee";
    const CharacterDraft::Outcome first = draft.save(mods, "");
    ASSERT_TRUE(first.saved);
    const std::string original = readAll(first.path);

    draft.name = "Ann-Lee";
    const CharacterDraft::Outcome second = draft.save(mods, "");
    ASSERT_TRUE(second.saved);
    EXPECT_EQ(second.path, mods + "characters/Ann_Lee_2/Ann_Lee_2.json");
    const CharacterDraft::Outcome third = draft.save(mods, "");
    EXPECT_EQ(third.path, mods + "characters/Ann_Lee_3/Ann_Lee_3.json");
    EXPECT_EQ(readAll(first.path), original);

    // Editing Ann Lee replaces her own file.
    draft.name = "Ann Lee";
    draft.history = "Changed.";
    const CharacterDraft::Outcome edited = draft.save(mods, first.path);
    EXPECT_EQ(edited.path, first.path);
    EXPECT_NE(readAll(first.path).find("Changed."), std::string::npos);
}

TEST_F(DraftSave, ThePortraitIsEncodedInAPrivateFolderThatIsRemoved)
{
    // Someone plants a link where a fixed temporary name would be.
    const std::string temp = tempPath();
    const std::string victim = log.home().root() + "/victim.txt";
    writeText(victim, "precious");
    fs::create_symlink(victim, temp + "CharTemp.png");

    sf::Image image;
    image.create(3, 2, sf::Color(1, 2, 3));
    const std::string bytes = CharacterDraft::pngBytes(image);
    ASSERT_GT(bytes.size(), 8u);
    EXPECT_EQ(bytes.substr(1, 3), "PNG");
    EXPECT_EQ(readAll(victim), "precious");
    for (const auto& entry : fs::directory_iterator(temp))
        EXPECT_EQ(entry.path().filename(), "CharTemp.png") << "left behind: " << entry.path();
    EXPECT_EQ(CharacterDraft::pngBytes(sf::Image()), "");
}

#include "creator/CrewCreator.hpp"

#include "creator/CharacterPickerWindowScreen.hpp"
#include "crew/CrewVocabulary.hpp"
#include "support/TextFiles.hpp"
#include "creator/CreatorFixture.hpp"

#include <json/json.h>

#include <filesystem>

namespace fs = std::filesystem;

TEST_F(CreatorTest, PortraitsListShippedThenTheirOwnAndTheArrowsWrap)
{
    EXPECT_EQ(creator->portraits(), (std::vector<std::string>{ "a_human.png", "b_cy.png", "c_ceph.png", "mine.png" }));
    EXPECT_EQ(creator->counterText(), "0 / 4");
    creator->stepPortrait(-1);
    EXPECT_EQ(creator->portraitIndex(), 3);
    EXPECT_EQ(creator->counterText(), "4 / 4");
    EXPECT_EQ(creator->portraitImage().getPixel(0, 0), sf::Color(90, 90, 90)) << "the player's own folder";
    creator->stepPortrait(1);
    EXPECT_EQ(creator->portraitIndex(), 0);
    EXPECT_EQ(creator->portraitImage().getPixel(0, 0), sf::Color(200, 10, 10));
}

TEST_F(CreatorTest, TheSpeciesFollowsThePortraitAtTheNextStep)
{
    creator->update();
    EXPECT_EQ(creator->speciesText(), "Human");
    creator->stepPortrait(2); // c_ceph.png
    EXPECT_EQ(creator->speciesText(), "Human") << "not before the step";
    creator->update();
    EXPECT_EQ(creator->speciesText(), "Cephalopod");
    EXPECT_EQ(creator->traitSlot(0).getItems(), CrewVocabulary::positiveTraits());
    EXPECT_EQ(creator->traitSlot(2).getItems(), CrewVocabulary::positiveTraits());

    // A profession list is shorter than a trait list: a slot past its end takes the first entry.
    creator->traitSlot(2).selectQuietly(11);
    creator->stepPortrait(-1); // b_cy.png: slot 3 lists negative traits (12), slot 1 professions (9)
    creator->traitSlot(0).selectQuietly(11);
    creator->update();
    EXPECT_EQ(creator->speciesText(), "Cygen");
    EXPECT_EQ(creator->traitSlot(0).getSelected(), "Mechanic");
    EXPECT_EQ(creator->traitSlot(2).getSelected(), CrewVocabulary::negativeTraits()[11]);
}

TEST_F(CreatorTest, TraitChoicesMoveOppositesBackAndRepeatsOn)
{
    struct Case {
        const char* what;
        std::vector<std::string> before; // slots 1 to 4 (Human: profession, positive, positive, negative)
        int slot;
        const char* chosen;
        std::vector<std::string> after;
    };
    const Case cases[] = {
        { "an opposite moves to the item before it", { "Farmer", "Lucky", "Polite", "Weak" }, 1, "Strong",
          { "Farmer", "Strong", "Polite", "Gluttonous" } },
        { "Weak answers Strong only, never Tough", { "Farmer", "Tough", "Polite", "Distracted" }, 3, "Weak",
          { "Farmer", "Tough", "Polite", "Weak" } },
        { "the same trait moves to the next item", { "Farmer", "Lucky", "Cautious", "Stubborn" }, 1, "Cautious",
          { "Farmer", "Cautious", "Abstemious", "Stubborn" } },
        { "the same last item moves back", { "Farmer", "Lucky", "Genial", "Stubborn" }, 1, "Genial",
          { "Farmer", "Genial", "Confident", "Stubborn" } },
        { "an opposite on the first item moves to item 1", { "Farmer", "Observant", "Lucky", "Weak" }, 3,
          "Distracted", { "Farmer", "Lucky", "Lucky", "Distracted" } },
    };
    creator->update();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (int slot = 0; slot < 4; ++slot)
            selectTrait(slot, c.before[static_cast<std::size_t>(slot)]);
        selectTrait(c.slot, c.chosen);
        creator->onTraitChosen(c.slot);
        EXPECT_EQ(selected(), c.after);
    }
}

TEST_F(CreatorTest, NameGeneratorsAlternateSyllablesFirst)
{
    creator->pronounList().selectQuietly(0);
    int fromList = 0;
    for (int i = 0; i < 6; ++i) {
        creator->randomName();
        const bool listed = creator->nameField().content() == "Bram\nHolloway"
            || creator->nameField().content() == "Wren\nHolloway";
        EXPECT_EQ(listed, i % 2 == 1) << i << ": " << creator->nameField().content();
        fromList += listed ? 1 : 0;
    }
    EXPECT_EQ(fromList, 3);
    EXPECT_EQ(creator->previewName().find('\n'), std::string::npos);
}

TEST_F(CreatorTest, SavingWritesTheSpeciesFirstAndReloadsTheRoster)
{
    creator->update();
    creator->nameField().setText("Tam\nOrrin");
    creator->pronounList().selectQuietly(1);
    for (int slot = 0; slot < 4; ++slot)
        creator->traitSlot(slot).selectQuietly(0);
    creator->attributeField("mental").setText("");
    creator->attributeField("physical").setText("7");
    creator->attributeField("social").setText("10");
    const std::size_t before = roster().getAllCharacters().size();

    const CharacterDraft::Outcome outcome = creator->saveCharacter();
    ASSERT_TRUE(outcome.saved) << outcome.message;
    EXPECT_EQ(outcome.path, crew->mods() + "characters/Tam_Orrin/Tam_Orrin.json");
    Json::Value file;
    ASSERT_TRUE(Json::Reader().parse(readAll(outcome.path), file));
    EXPECT_EQ(file["traits"].size(), 5u);
    EXPECT_EQ(file["traits"][0].asString(), "Human");
    EXPECT_EQ(file["traits"][1].asString(), "Mechanic");
    EXPECT_EQ(file["pronouns"].asString(), "she/her/hers");
    EXPECT_EQ(file["attributes"]["mental"].asInt(), 0) << "an emptied field is saved as 0";
    EXPECT_EQ(file["attributes"]["social"].asInt(), 10);
    EXPECT_FALSE(file.isMember("sprites"));
    EXPECT_FALSE(file["imageBinary"].asString().empty());
    EXPECT_EQ(roster().getAllCharacters().size(), before + 1);
    const Character tam = character("Tam_Orrin/Tam_Orrin.json");
    EXPECT_EQ(tam.name(), "Tam Orrin");
    EXPECT_TRUE(tam.card.hasPortrait());
    EXPECT_EQ(tam.attributes.at("physical"), 7);
}

TEST_F(CreatorTest, EditKeepsNameAndFileCopyMakesANewOne)
{
    // Echo is a mod character: "Ilka Maren", two traits, no portrait file in the lists.
    Character echo = character("Echo/echo.json");
    creator->editCharacter(&echo, true);
    EXPECT_EQ(creator->nameField().content(), "Ilka\nMaren");
    EXPECT_EQ(creator->speciesText(), "Human");
    EXPECT_EQ(selected()[0], "Comedian");
    EXPECT_EQ(selected()[1], CrewVocabulary::positiveTraits()[0]) << "a missing trait takes the first entry";
    EXPECT_EQ(creator->pronounList().getSelected(), "She/Her/Hers");
    EXPECT_EQ(creator->counterText(), "?? / 4");
    EXPECT_EQ(creator->biographyField().content(), "A second Ilka, from a mod.");
    EXPECT_EQ(creator->attributeField("physical").content(), "1");
    const CharacterDraft::Outcome edited = creator->saveCharacter();
    ASSERT_TRUE(edited.saved);
    EXPECT_EQ(edited.path, crew->mods() + "characters/Ilka_Maren/Ilka_Maren.json");
    EXPECT_TRUE(fs::exists(echo.filePath)) << "a file of another stem stays";
    // Editing the saved one again replaces its file instead of adding Ilka_Maren_2.
    Character saved = character("Ilka_Maren/Ilka_Maren.json");
    creator->editCharacter(&saved, true);
    creator->biographyField().setText("Edited twice.");
    const CharacterDraft::Outcome again = creator->saveCharacter();
    EXPECT_EQ(again.path, edited.path);
    EXPECT_NE(readAll(edited.path).find("Edited twice."), std::string::npos);
    EXPECT_FALSE(fs::exists(crew->mods() + "characters/Ilka_Maren_2"));

    // Osk: an Avian with a custom trait the lists lack in one slot.
    Character osk = character("char/2_osk_tarrow.json");
    osk.traits = { "Avian", "Soldier", "Tough", "Juggler", "Loner" };
    creator->editCharacter(&osk, false);
    EXPECT_EQ(creator->speciesText(), "Avian");
    EXPECT_EQ(creator->traitSlot(0).getItems(), CrewVocabulary::positiveTraits());
    EXPECT_EQ(selected(), (std::vector<std::string>{ "Observant", "Tough", "Observant", "Loner" }));
    EXPECT_NE(creator->nameField().content(), "Osk\nTarrow");
    EXPECT_FALSE(creator->keepsName());
    EXPECT_EQ(creator->draft().workshopId, 0u);

    // No sprites and no traits at all: the portrait shown stays, the species is Human.
    Character bare = osk;
    bare.spriteNames.clear();
    bare.traits.clear();
    bare.properties.erase("pronouns");
    creator->stepPortrait(1);
    const sf::Color shown = creator->portraitImage().getPixel(0, 0);
    creator->editCharacter(&bare, true);
    EXPECT_EQ(creator->portraitImage().getPixel(0, 0), shown);
    EXPECT_EQ(creator->speciesText(), "Human");
}

// Edit, then leave the picker and come back for a new character: nothing of the edit remains.
TEST_F(CreatorTest, ANewVisitForgetsAnEarlierEdit)
{
    Character echo = character("Echo/echo.json");
    echo.steamCharacterID = 77;
    creator->editCharacter(&echo, true);
    EXPECT_EQ(creator->draft().workshopId, 77u);
    creator->reset();
    ASSERT_NE(dynamic_cast<CharacterPickerWindowScreen*>(WindowManager::get().current()), nullptr);
    EXPECT_FALSE(creator->editedCharacter().has_value());
    EXPECT_FALSE(creator->keepsName());
    creator->nameField().setText("Ilka\nMaren");
    const CharacterDraft::Outcome outcome = creator->saveCharacter();
    ASSERT_TRUE(outcome.saved);
    EXPECT_EQ(outcome.path, crew->mods() + "characters/Ilka_Maren/Ilka_Maren.json");
    EXPECT_TRUE(fs::exists(echo.filePath));
    EXPECT_EQ(readAll(echo.filePath).find("77"), std::string::npos);
}

TEST_F(CreatorTest, SaveButtonReportsFailureAndRefusesAnEmptyName)
{
    creator->nameField().setText("");
    const sf::FloatRect save = creator->saveButton().getBounds();
    ASSERT_GT(save.width, 0.f);
    sf::Event press;
    press.type = sf::Event::MouseButtonPressed;
    press.mouseButton.button = sf::Mouse::Left;
    creator->handleEvent(press, { save.left + 2.f, save.top + 2.f });
    auto* window = WindowManager::get().current();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->closable);
    EXPECT_FALSE(fs::exists(crew->mods() + "characters/.json"));
    EXPECT_TRUE(logText().find("Saved character") == std::string::npos);
}

TEST_F(CreatorTest, NoPortraitsAtAllIsNoCrash)
{
    for (const auto& entry : fs::directory_iterator(crew->assets() + "general/character_related/characters/"))
        fs::remove(entry.path());
    fs::remove(crew->charImages() + "mine.png");
    creator->refreshPortraits();
    creator->randomPortrait();
    creator->stepPortrait(1);
    creator->stepPortrait(-1);
    creator->update();
    EXPECT_EQ(creator->counterText(), "0 / 0");
    EXPECT_EQ(creator->speciesText(), "Human");
}

TEST_F(CreatorTest, TypedAttributesUpdateTheTotalAtOnce)
{
    for (const char* attribute : { "mental", "physical", "social" })
        creator->attributeField(attribute).setText("5");
    NumberField& physical = creator->attributeField("physical");
    ASSERT_TRUE(physical.contains(165.f, 178.f)); // the field at (161, 174)
    sf::Event event;
    event.type = sf::Event::MouseButtonPressed;
    event.mouseButton.button = sf::Mouse::Left;
    creator->handleEvent(event, { 165.f, 178.f });
    event.type = sf::Event::TextEntered;
    event.text.unicode = 8; // Backspace: the field is empty
    creator->handleEvent(event, { 0.f, 0.f });
    EXPECT_EQ(creator->totalText(), "10");
    event.text.unicode = '9';
    creator->handleEvent(event, { 0.f, 0.f });
    EXPECT_EQ(creator->totalText(), "19");
    event.text.unicode = '9'; // 99 is over 10: not taken
    creator->handleEvent(event, { 0.f, 0.f });
    EXPECT_EQ(physical.content(), "9");
}

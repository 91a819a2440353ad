#include "creator/CharacterPickerWindowScreen.hpp"

#include "creator/CreatorFixture.hpp"
#include "support/TextFiles.hpp"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

class PickerTest : public CreatorTest {
protected:
    // `count` more mod characters with portraits of their own, M01 ... (so their cards have size).
    void addModCharacters(int count)
    {
        const std::string face = crew->pictureBase64(14, 26, sf::Color(200, 200, 0));
        for (int i = 1; i <= count; ++i) {
            char stem[8];
            std::snprintf(stem, sizeof(stem), "M%02d", i);
            crew->writeCharacter(std::string("mods/characters/") + stem + "/" + stem + ".json",
                                 std::string(R"({"name": "Mod )") + stem + R"(", "traits": ["Human"], "imageBinary": ")"
                                     + face + "\"}");
        }
        roster().loadAllCharacters();
    }
    std::unique_ptr<CharacterPickerWindowScreen> open()
    {
        return std::make_unique<CharacterPickerWindowScreen>(*creator);
    }
    static void click(CharacterPickerWindowScreen& picker, Button& button,
                      sf::Mouse::Button which = sf::Mouse::Left)
    {
        const sf::FloatRect box = button.getBounds();
        picker.press(which, box.left + box.width / 2.f, box.top + box.height / 2.f);
    }
    // Clicks the card of crew position `i` (it must be on the page shown).
    void clickCard(CharacterPickerWindowScreen& picker, std::size_t i)
    {
        Character& card = roster().getCrewOnShip().at(i);
        card.updateBounds();
        picker.press(sf::Mouse::Left, card.card.left + 1.f, card.card.top + 1.f);
    }
    std::size_t positionOf(const std::string& loadedFilename)
    {
        const auto& crewAboard = roster().getCrewOnShip();
        for (std::size_t i = 0; i < crewAboard.size(); ++i)
            if (crewAboard[i].loadedFilename == loadedFilename)
                return i;
        ADD_FAILURE() << loadedFilename;
        return 0;
    }
};

} // namespace

TEST_F(PickerTest, TwentyCharactersMakeTwoPagesTheSecondWithFour)
{
    addModCharacters(15); // and the fixture's five that are not secret
    auto picker = open();
    EXPECT_EQ(picker->pageText(), "PAGE 1/2\n");
    EXPECT_TRUE(picker->nextArrow().enabled);
    EXPECT_FALSE(picker->previousArrow().enabled);

    click(*picker, picker->nextArrow(), sf::Mouse::Right); // any button turns the page
    EXPECT_EQ(picker->page(), 1);
    EXPECT_EQ(picker->pageText(), "PAGE 2/2\n");
    EXPECT_FALSE(picker->nextArrow().enabled);
    EXPECT_TRUE(picker->previousArrow().enabled);
    EXPECT_EQ(roster().getCrewOnShip().size() - 16, 4u);
    // A card of the first page keeps its old place but is not hit from the second.
    host.sounds.clear();
    Character& first = roster().getCrewOnShip()[positionOf("M01/M01.json")];
    first.updateBounds();
    picker->press(sf::Mouse::Left, first.card.left + 1.f, first.card.top + 1.f);
    const int selected = picker->selected();
    EXPECT_TRUE(selected < 0 || selected >= 16) << selected;
}

TEST_F(PickerTest, NoCharactersAtAll)
{
    CharacterManager::install(std::make_unique<CharacterManager>(
        CharacterManager::Folders{ home.root() + "/none/", home.root() + "/none/", home.root() + "/none/" }));
    auto picker = open();
    EXPECT_EQ(picker->pageText(), "PAGE 1/0\n");
    EXPECT_FALSE(picker->nextArrow().enabled);
    EXPECT_FALSE(picker->previousArrow().enabled);
    for (Button* button : { &picker->nextArrow(), &picker->editButton(), &picker->copyButton(),
                            &picker->deleteButton() })
        click(*picker, *button);
    EXPECT_FALSE(picker->closed);
    click(*picker, picker->newButton());
    EXPECT_TRUE(picker->closed);
}

TEST_F(PickerTest, SelectingACardLightsTheButtonsAndAgainClearsThem)
{
    addModCharacters(2);
    auto picker = open();
    EXPECT_FALSE(picker->editButton().enabled);
    EXPECT_FALSE(picker->copyButton().enabled);
    const std::size_t m01 = positionOf("M01/M01.json");
    clickCard(*picker, m01);
    EXPECT_EQ(picker->selected(), static_cast<int>(m01));
    EXPECT_TRUE(picker->editButton().enabled);
    EXPECT_TRUE(picker->copyButton().enabled);
    EXPECT_TRUE(picker->deleteButton().enabled);
    clickCard(*picker, m01);
    EXPECT_EQ(picker->selected(), -1);
    EXPECT_FALSE(picker->editButton().enabled);
    EXPECT_FALSE(picker->deleteButton().enabled);

    clickCard(*picker, m01);
    click(*picker, picker->editButton());
    EXPECT_TRUE(picker->closed);
    EXPECT_TRUE(creator->keepsName());
    EXPECT_EQ(creator->nameField().content(), "Mod\nM01");
}

TEST_F(PickerTest, DeleteRemovesOnlyAModCharactersFile)
{
    addModCharacters(2);
    // A mod of two characters in one folder, and a shipped character with a face.
    crew->writeCharacter("mods/characters/M01/second.json",
                         R"({"name": "Second One", "traits": ["Human"], "imageBinary": ")"
                             + crew->pictureBase64(14, 26, sf::Color::Cyan) + "\"}");
    crew->writeCharacter("assets/char/7_faced.json", R"({"name": "Faced Shipped", "traits": ["Human"], "imageBinary": ")"
                                                         + crew->pictureBase64(14, 26, sf::Color::Red) + "\"}");
    roster().loadAllCharacters();
    auto picker = open();
    const std::size_t aboard = roster().getCrewOnShip().size();

    clickCard(*picker, positionOf("char/7_faced.json"));
    ASSERT_GE(picker->selected(), 0);
    click(*picker, picker->deleteButton());
    EXPECT_EQ(picker->selected(), -1) << "a shipped character only loses the selection";
    EXPECT_EQ(roster().getCrewOnShip().size(), aboard);

    clickCard(*picker, positionOf("M01/M01.json"));
    click(*picker, picker->deleteButton());
    EXPECT_EQ(picker->selected(), -1);
    EXPECT_EQ(roster().getCrewOnShip().size(), aboard - 1);
    EXPECT_FALSE(fs::exists(crew->mods() + "characters/M01/M01.json"));
    EXPECT_TRUE(fs::exists(crew->mods() + "characters/M01/second.json")) << "the other character of the mod stays";

    clickCard(*picker, positionOf("M01/second.json"));
    click(*picker, picker->deleteButton());
    EXPECT_FALSE(fs::exists(crew->mods() + "characters/M01")) << "an emptied folder goes";
}

// The pressed Delete key comes back after 500 ms, unless the window is gone by then.
TEST_F(PickerTest, DeleteThenNewWithinTheWaitLeavesNothingBehind)
{
    addModCharacters(1);
    WindowManager::get().open(open());
    auto* picker = dynamic_cast<CharacterPickerWindowScreen*>(WindowManager::get().current());
    ASSERT_NE(picker, nullptr);
    clickCard(*picker, positionOf("M01/M01.json"));
    click(*picker, picker->deleteButton());
    EXPECT_EQ(TimedActions::get().size(), 1u);
    click(*picker, picker->newButton());
    EXPECT_TRUE(picker->closed);
    WindowManager::get().fixedStep();
    EXPECT_FALSE(WindowManager::get().isOpen());
    clock.advance(sf::milliseconds(600));
    TimedActions::get().fire();
    EXPECT_EQ(TimedActions::get().size(), 0u);
}

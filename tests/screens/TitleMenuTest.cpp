#include "screens/FrontScreensFixture.hpp"
#include "screens/PauseMenu.hpp"
#include "screens/TitleMenu.hpp"

namespace {

using Item = TitleMenu::Item;

// The middle of the title's button `index` (0 continue ... 7 quit).
sf::Vector2f titleButton(int index)
{
    return {103.f + 55.f * static_cast<float>(index) + 25.f, 342.f};
}

TEST_F(FrontScreensTest, ContinueIsOfferedOnlyWithASave)
{
    TitleMenu title;
    title.reset(false);
    EXPECT_FALSE(title.continueEnabled());
    EXPECT_EQ(title.button(Item::Continue).getSprite().getColor(), sf::Color(128, 128, 128, 255));
    EXPECT_EQ(title.itemAt(titleButton(0)), Item::None);
    EXPECT_EQ(title.keyboardOrder().front(), Item::NewGame);

    title.reset(true);
    EXPECT_TRUE(title.continueEnabled());
    EXPECT_EQ(title.button(Item::Continue).getSprite().getColor(), sf::Color::White);
    EXPECT_EQ(title.itemAt(titleButton(0)), Item::Continue);
    EXPECT_EQ(title.keyboardOrder(),
              (std::vector<Item> {Item::Continue, Item::NewGame, Item::Characters, Item::Options, Item::Credits,
                                  Item::Quit}));
}

TEST_F(FrontScreensTest, EveryTitleButtonAnswersTheMouseAndTheKeysWalkTheOrder)
{
    TitleMenu title;
    title.reset(true);
    const Item row[] = {Item::Continue, Item::NewGame, Item::Characters, Item::Options,
                        Item::Deeds,    Item::Credits, Item::WebSite,    Item::Quit};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(title.itemAt(titleButton(i)), row[i]) << i;
    EXPECT_EQ(title.itemAt({320.f, 100.f}), Item::None);

    EXPECT_EQ(title.handleKey(sf::Keyboard::Enter), Item::None); // nothing chosen yet
    title.handleKey(sf::Keyboard::Right);
    title.handleKey(sf::Keyboard::Right);
    EXPECT_EQ(title.handleKey(sf::Keyboard::Enter), Item::NewGame);
    title.handleKey(sf::Keyboard::Left);
    title.handleKey(sf::Keyboard::Left);
    EXPECT_EQ(title.handleKey(sf::Keyboard::Space), Item::Quit); // wrapped round
    title.update({0.f, 0.f});
    EXPECT_TRUE(title.button(Item::Quit).isFocused());
    title.update(titleButton(3)); // the pointer wins over the keys
    EXPECT_TRUE(title.button(Item::Options).isFocused());
    EXPECT_FALSE(title.button(Item::Quit).isFocused());
}

TEST_F(FrontScreensTest, PauseMenuSaveIsDeadWhileNotAllowed)
{
    PauseMenu menu;
    const sf::Vector2f save(310.f, 150.f);
    EXPECT_EQ(menu.itemAt(save), PauseMenu::Item::SaveGame);
    menu.setSaveAllowed(false);
    EXPECT_EQ(menu.itemAt(save), PauseMenu::Item::None);
    EXPECT_EQ(menu.button(PauseMenu::Item::SaveGame).getSprite().getColor(), sf::Color(255, 255, 255, 127));
    EXPECT_EQ(menu.itemAt({310.f, 226.f}), PauseMenu::Item::MainMenu);
    EXPECT_EQ(menu.itemAt({300.f, 262.f}), PauseMenu::Item::Resume);
    menu.setSaveAllowed(true);
    EXPECT_EQ(menu.itemAt(save), PauseMenu::Item::SaveGame);
}

} // namespace

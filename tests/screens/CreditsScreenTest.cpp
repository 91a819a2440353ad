#include "screens/CreditsScreen.hpp"
#include "screens/FrontScreensFixture.hpp"
#include "support/TextFiles.hpp"

namespace {

TEST(CreditsFile, SectionsAndLinesInOrderWithoutComments)
{
    const auto sections = CreditsScreen::parse("# a comment\nbefore any header\n[Programmers]\nAda\r\n\nGrace\n[Thanks]\n");
    ASSERT_EQ(sections.size(), 2u);
    EXPECT_EQ(sections[0].header, "Programmers");
    EXPECT_EQ(sections[0].lines, (std::vector<std::string> {"Ada", "Grace"}));
    EXPECT_EQ(sections[1].header, "Thanks");
    EXPECT_TRUE(sections[1].lines.empty());
}

TEST(CreditsFile, TheShippedCreditsThankWhatTheGameUses)
{
    const std::string text = readAll(std::string(QV_SOURCE_DIR) + "/assets-src/static/credits/credits.txt");
    const auto sections = CreditsScreen::parse(text);
    ASSERT_FALSE(sections.empty());
    EXPECT_EQ(sections.back().header, "Third Party Technologies");
    std::string technologies;
    for (const std::string& line : sections.back().lines)
        technologies += line + "\n";
    for (const char* used : {"SFML", "Lua 5.3", "JsonCpp", "Lua binding", "Debian"})
        EXPECT_NE(technologies.find(used), std::string::npos) << used;
    for (const char* unused : {"sol2", "Perlin"})
        EXPECT_EQ(text.find(unused), std::string::npos) << unused;
}

class CreditsTest : public FrontScreensTest {
protected:
    void SetUp() override
    {
        FrontScreensTest::SetUp();
        std::filesystem::create_directories(assets + "credits");
        writeText(assets + "credits/credits.txt", "[Programmers]\nAda\nGrace\n[Third Party Technologies]\nSFML\n");
        credits = std::make_unique<CreditsScreen>(assets + "credits/credits.txt");
    }
    std::unique_ptr<CreditsScreen> credits;
    sf::View view { sf::FloatRect(0.f, 0.f, 640.f, 360.f) };
};

TEST_F(CreditsTest, TheColumnScrollsToItsEndAndStartsAgain)
{
    credits->reset(view, view);
    EXPECT_EQ(credits->textCount(), 5u);
    credits->reset(view, view); // a second entry leaves no texts behind
    EXPECT_EQ(credits->textCount(), 5u);
    ASSERT_GT(credits->scrollEnd(), 360);
    for (int i = 0; i < credits->scrollEnd(); ++i)
        credits->update();
    EXPECT_EQ(credits->scrolled(), credits->scrollEnd());
    credits->update();
    EXPECT_EQ(credits->scrolled(), 0);
}

TEST_F(CreditsTest, SpaceEnterEscapeAndLeaveLeaveOtherKeysDoNot)
{
    credits->reset(view, view);
    sf::Event key;
    key.type = sf::Event::KeyPressed;
    for (auto [code, leaves] : {std::pair {sf::Keyboard::Space, true}, std::pair {sf::Keyboard::Enter, true},
                                std::pair {sf::Keyboard::Escape, true}, std::pair {sf::Keyboard::A, false}}) {
        key.key.code = code;
        EXPECT_EQ(credits->handleEvent(key, {0.f, 0.f}), leaves) << code;
    }
    sf::Event press;
    press.type = sf::Event::MouseButtonPressed;
    press.mouseButton.button = sf::Mouse::Left;
    EXPECT_TRUE(credits->handleEvent(press, {40.f, 320.f}));
    EXPECT_FALSE(credits->handleEvent(press, {320.f, 180.f}));
}

} // namespace

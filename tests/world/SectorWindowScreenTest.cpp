#include "support/ShippedAssets.hpp"
#include "support/UiTestSupport.hpp"
#include "ui/Utf8.hpp"
#include "world/SectorWindowScreen.hpp"

#include <SFML/Graphics/RenderTexture.hpp>

namespace {

class SectorWindowScreenTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        for (const auto& [path, size] : manifestSizes())
            if (path.rfind("sector_summary/", 0) == 0 || path.rfind("menu_popup/", 0) == 0)
                writeImage(assets + path, size.first, size.second, sf::Color(30, 30, 60));
        TextureManager::resetForTests(assets, true);
        ASSERT_TRUE(target.create(640, 360));
    }

    sf::RenderTexture target;
    sf::View view{sf::FloatRect(0.f, 0.f, 640.f, 360.f)};
};

} // namespace

TEST_F(SectorWindowScreenTest, KeysReleaseTheSectorButtonButOnlyTheCloseButtonCloses)
{
    std::string status = "Food: 12";
    SectorWindowScreen window(status, "recap", "Designation: 420-000-0000", "Jump Count: 2");
    int releases = 0;
    window.onSectorButtonReleased = [&] { ++releases; };
    status = "changed later";
    const sfe::RichText& shown = TextManager::get().getRichText(window.textIds().front());
    EXPECT_EQ(Utf8::fromLabel(shown.getLines().front().getTexts().front().getString()), "Food: 12");

    for (sf::Keyboard::Key code : {sf::Keyboard::Escape, sf::Keyboard::Space, sf::Keyboard::Enter, sf::Keyboard::A}) {
        sf::Event event;
        event.type = sf::Event::KeyPressed;
        event.key = {code, false, false, false, false};
        window.handleEvent(event, target, view);
    }
    EXPECT_EQ(releases, 3);
    EXPECT_FALSE(window.closed);

    sf::Event press;
    press.type = sf::Event::MouseButtonPressed;
    press.mouseButton = {sf::Mouse::Left, 70, 305};
    window.handleEvent(press, target, view);
    EXPECT_EQ(releases, 4);
    EXPECT_TRUE(window.closed);
    EXPECT_EQ(host.sounds, std::vector<std::string>{"deploy_leave_1.wav"});
}

#include "crew/CharacterManager.hpp"

#include "crew/CrewVocabulary.hpp"
#include "missions/Memento.hpp"
#include "support/CrewFixture.hpp"
#include "support/UiTestSupport.hpp"

#include <SFML/Graphics/RenderTexture.hpp>

namespace {

// The roster's cards over the crew fixture, with real textures: every portrait of the
// fixture ("face_*.png" in the "characters" sprite folder) and the card parts are drawn as
// one-colour pictures of the game's sizes.
class CrewCardsTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        TextureManager::resetForTests(crew.assets(), false);
        crew.writePicture(std::string(charactersFolder) + "face_ilka.png", 28, 30, sf::Color(60, 140, 210));
        crew.writePicture(std::string(charactersFolder) + "face_osk.png", 28, 30, sf::Color(210, 100, 60));
        crew.writePicture(std::string(charactersFolder) + "face_quen.png", 28, 30, sf::Color(40, 170, 120));
        crew.writePicture("general/character_related/character_death_icon.png", 16, 16, sf::Color::Red);
        crew.writePicture(CharacterCard::onlinePlatform, 42, 38, sf::Color(70, 78, 94));
        crew.writePicture(CharacterCard::nametagTexture, 54, 20, sf::Color(40, 45, 56));
        crew.writePicture("deploymanager/experience_pip_full.png", 8, 5, sf::Color::Green);
        crew.writePicture("deploymanager/experience_pip_empty.png", 8, 5, sf::Color(0, 48, 18));
        roster = crew.roster();
        roster->resetCrew(); // Ilka, Osk, Quen, Ilka (mod), Tinker
    }
    void TearDown() override
    {
        roster.reset(); // its labels go before the text manager does
        UiTest::TearDown();
    }
    Character& aboard(std::size_t position) { return roster->getCrewOnShip()[position]; }
    sf::Vector2f position(std::size_t k) { return aboard(k).card.getPosition(); }
    const sf::Texture* face(std::size_t k)
    {
        return aboard(k).card.faceTexture(TextureManager::get());
    }

    CrewFolders crew{ home.root() + "/crew" };
    std::unique_ptr<CharacterManager> roster;
};

} // namespace

TEST_F(CrewCardsTest, TheGridPlacesCardsAndTheirParts)
{
    roster->newCrew("Osk Tarrow");
    roster->newCrew("Quen Abernath");
    roster->layoutGrid(0, 100, 5, 0, true);
    const sf::Vector2f expected[] = { { 0, 100 }, { 57, 100 }, { 114, 100 }, { 171, 100 },
                                      { 228, 100 }, { 0, 153 }, { 57, 153 } };
    ASSERT_EQ(roster->getCrewOnShip().size(), 7u);
    for (std::size_t k = 0; k < 7; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(position(k), expected[k]);
        EXPECT_EQ(aboard(k).card.homePosition, expected[k]);
        EXPECT_EQ(aboard(k).card.getPlatformPosition(), expected[k] + sf::Vector2f(-14, -5));
        EXPECT_EQ(aboard(k).card.getNametagPosition(), expected[k] + sf::Vector2f(-20, 28));
        EXPECT_EQ(aboard(k).card.getBadgePosition(), expected[k] + sf::Vector2f(14, 0));
    }
    // The name under the card, one word a line, in the character's colour.
    const sf::Text& name = TextManager::get().getText(aboard(1).card.nameTextId());
    EXPECT_EQ(name.getString().toAnsiString(), "Osk\nTarrow");
    EXPECT_EQ(name.getFillColor(), aboard(1).color);
    EXPECT_EQ(name.getPosition(), sf::Vector2f(57 - 16, 100 + 31));

    // Rows for hit tests; edges belong to the card.
    EXPECT_EQ(roster->cards().rows.size(), 2u);
    EXPECT_EQ(roster->cardAt(57, 100), 1);
    EXPECT_EQ(roster->cardAt(57 + 28, 100 + 30), 1);
    EXPECT_EQ(roster->cardAt(57 + 28.5f, 110), -1);
    EXPECT_EQ(roster->cardAt(60, 160), 6);

    // A rank shows once the member has been deployed.
    aboard(0).timesDeployed = 2;
    roster->layoutGrid(0, 100, 5, 0, true);
    EXPECT_EQ(aboard(0).card.getBadgeTexture(), "general/ranks/rank_2.png");
    EXPECT_EQ(aboard(1).card.getBadgeTexture(), "");
}

TEST_F(CrewCardsTest, LaterPagesStartAtTheOrigin)
{
    for (int k = 0; k < 12; ++k)
        roster->newCrew("Quen Abernath");
    ASSERT_EQ(roster->getCrewOnShip().size(), 17u);
    aboard(3).card.inSlot = true;
    roster->layoutGrid(41, 67, 4, 16, false);
    for (std::size_t k = 0; k < 16; ++k)
        EXPECT_EQ(aboard(k).card.getPlatformPosition(), sf::Vector2f(-50, -50)) << k;
    EXPECT_EQ(position(16), sf::Vector2f(41, 67));

    // A card on a slot stays there and only learns its home.
    aboard(3).setPosition(500, 90);
    roster->layoutGrid(0, 100, 5, 0, false);
    EXPECT_EQ(position(3), sf::Vector2f(500, 90));
    EXPECT_EQ(aboard(3).card.homePosition, sf::Vector2f(171, 100));
    roster->layoutGrid(0, 100, 5, 0, true);
    EXPECT_EQ(position(3), sf::Vector2f(171, 100));
}

// Characters without pictures are legal: they are laid out and shown, but have no card face
// to hit or to draw.
TEST_F(CrewCardsTest, ACharacterWithoutPicturesIsLaidOutAndShown)
{
    aboard(2).card.clearPictures();
    aboard(2).spriteNames.clear();
    roster->setDeployTeam({ 0, 1, 2 });
    roster->killCrew(2, true, "");
    roster->layoutGrid(0, 100, 5, 0, true);
    for (const auto& [y, row] : roster->cards().rows)
        EXPECT_EQ(std::count(row.begin(), row.end(), 2u), 0);
    roster->showCharacterInfo(307, 105, aboard(2), true);
    EXPECT_FALSE(roster->infoPanel().showsPortrait());
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(640, 360));
    roster->drawCards(target, 0);
    roster->drawCharacterInfo(target);
    roster->moveDeadCrew();
    roster->layoutCrewView(0);
    roster->drawCrewView(target, 0);
    EXPECT_EQ(roster->getDeadCrew().size(), 1u);
}

TEST_F(CrewCardsTest, TheDeadShowTheDeathIconUntilTheyLeaveTheCrew)
{
    roster->setDeployTeam({ 0, 1 });
    roster->layoutGrid(0, 100, 5, 0, true);
    const sf::Texture* oskFace = face(1);
    roster->killCrew(1, false, "");
    roster->layoutGrid(0, 100, 5, 0, true);
    EXPECT_EQ(aboard(1).card.bottom - aboard(1).card.top, 16.f) << "the icon is the card's face now";
    EXPECT_EQ(aboard(1).card.left, 57.f - 8.f);
    EXPECT_EQ(roster->cardAt(60, 110), 1);
    EXPECT_EQ(face(1), oskFace) << "the portrait itself is kept";

    roster->moveDeadCrew();
    roster->layoutCrewView(0);
    const Character& osk = roster->getDeadCrew().front();
    EXPECT_EQ(osk.card.getPosition(), sf::Vector2f(40, 57 + 53)) << "after the four living, four to a row";
    EXPECT_EQ(osk.card.bottom - osk.card.top, 30.f) << "the face again";
    EXPECT_EQ(osk.card.left, 40.f);
}

// Portraits belong to characters, not to names: a mod character and a shipped one of the
// same name keep their own faces.
TEST_F(CrewCardsTest, SameNamesKeepTheirOwnPortraits)
{
    crew.writeCharacter("assets/char/7_twin.json", R"({"name": "Twin", "imageBinary": ")"
                                                        + crew.pictureBase64(5, 5, sf::Color(255, 0, 0)) + "\"}");
    crew.writeCharacter("mods/characters/Twin/twin.json", R"({"name": "Twin", "imageBinary": ")"
                                                              + crew.pictureBase64(5, 5, sf::Color(0, 0, 255)) + "\"}");
    roster->loadAllCharacters();
    roster->resetCrew();
    roster->newCrew("Twin"); // a copy shares its original's portrait
    auto& crewOnShip = roster->getCrewOnShip();
    std::vector<std::size_t> twins;
    for (std::size_t k = 0; k < crewOnShip.size(); ++k)
        if (crewOnShip[k].name() == "Twin")
            twins.push_back(k);
    ASSERT_EQ(twins.size(), 4u);
    EXPECT_NE(face(twins[0]), face(twins[1]));
    EXPECT_EQ(face(twins[0])->copyToImage().getPixel(2, 2), sf::Color(255, 0, 0));
    EXPECT_EQ(face(twins[1])->copyToImage().getPixel(2, 2), sf::Color(0, 0, 255));
    EXPECT_EQ(face(twins[2]), face(twins[0]));
    EXPECT_EQ(face(twins[3]), face(twins[1]));
    EXPECT_FALSE(TextureManager::get().contains("imageBinary:Twin"));
}

TEST_F(CrewCardsTest, TheInfoPanelShowsNameBiographyTraitsAndPips)
{
    Character& osk = aboard(1); // traits Avian, Soldier, Tough, Loner
    osk.timesLeader = 2;
    osk.timesEngineer = 9;
    osk.isDead = true;
    osk.history = "Flew picket for the old fleet until the fleet was older than the pickets it flew.";
    roster->showCharacterInfo(307, 105, osk, true);
    TextManager& texts = TextManager::get();
    const CharacterInfoPanel& panel = roster->infoPanel();
    const sf::Text& name = texts.getText(panel.nameTextId());
    EXPECT_EQ(name.getString().toAnsiString(), "Osk Tarrow (dead)");
    EXPECT_EQ(name.getFillColor(), osk.color);
    EXPECT_EQ(name.getPosition(), sf::Vector2f(307, 105));
    const sf::Text& history = texts.getText(panel.historyTextId());
    EXPECT_NE(history.getString().find("\n"), sf::String::InvalidPos);
    EXPECT_EQ(history.getPosition(), sf::Vector2f(307, 123));
    EXPECT_EQ(history.getFillColor(), sf::Color::Green);
    EXPECT_EQ(panel.portrait().getPosition(), sf::Vector2f(350, 67));
    EXPECT_EQ(roster->getSelectedCharacter(), &osk);

    auto shownTraits = [&](std::vector<std::string> traits) {
        osk.traits = std::move(traits);
        roster->showCharacterInfo(307, 105, osk, false);
        std::vector<std::pair<std::string, sf::Vector2f>> shown;
        for (int id : panel.traitTextIds())
            shown.emplace_back(texts.getText(id).getString().toAnsiString(), texts.getText(id).getPosition());
        return shown;
    };
    using Shown = std::vector<std::pair<std::string, sf::Vector2f>>;
    EXPECT_EQ(shownTraits({ "Avian", "Mechanic", "Lucky" }),
              (Shown{ { "Mechanic", { 307, 237 } }, { "Lucky", { 364, 237 } } }));
    EXPECT_EQ(shownTraits({ "Strong", "Human", "Lucky" }), (Shown{ { "Lucky", { 307, 237 } } }));
    EXPECT_EQ(shownTraits({ "Human", "A", "B", "Cygen", "C" }),
              (Shown{ { "A", { 307, 237 } }, { "B", { 364, 237 } }, { "C", { 307, 247 } } }));
    EXPECT_TRUE(panel.pips().empty()) << "no experience asked for";

    roster->showCharacterInfo(307, 105, osk, true);
    ASSERT_EQ(panel.pips().size(), 12u);
    const sf::Texture* full = &TextureManager::get().getTexture("deploymanager/experience_pip_full.png");
    std::vector<bool> lit;
    for (const sf::Sprite& pip : panel.pips())
        lit.push_back(pip.getTexture() == full);
    EXPECT_EQ(lit, (std::vector<bool>{ true, true, false, false,     // leader 2
                                       false, false, false, false,   // medic 0
                                       true, true, true, true }));   // engineer, counted past 4
    EXPECT_EQ(panel.pips()[1].getPosition(), sf::Vector2f(307 + 57 + 10, 105 + 161 + 3));
    EXPECT_EQ(texts.getText(panel.experienceLabelIds()[2]).getPosition(), sf::Vector2f(307, 105 + 181));

    roster->clearCharacterInfo();
    EXPECT_EQ(texts.getText(panel.nameTextId()).getString().getSize(), 0u);
    EXPECT_TRUE(panel.traitTextIds().empty());
    EXPECT_TRUE(panel.pips().empty());
}

TEST_F(CrewCardsTest, MementoGridPagesOfTwenty)
{
    Character& ilka = aboard(0);
    for (int k = 0; k < 25; ++k)
        ilka.giveMemento(k, "locket", "");
    const sf::Vector2f origin(460, 150);
    EXPECT_EQ(CharacterInfoPanel::mementoAt(ilka, 0, origin, origin), 0);
    EXPECT_EQ(CharacterInfoPanel::mementoAt(ilka, 0, origin, origin + sf::Vector2f(3 * 36 + 35, 4 * 36 + 35)), 19);
    EXPECT_EQ(CharacterInfoPanel::mementoAt(ilka, 1, origin, origin + sf::Vector2f(36, 0)), 21);
    EXPECT_EQ(CharacterInfoPanel::mementoAt(ilka, 1, origin, origin + sf::Vector2f(36, 36)), -1) << "page 1 has 5";
    EXPECT_EQ(CharacterInfoPanel::mementoAt(ilka, 0, origin, origin + sf::Vector2f(4 * 36, 0)), -1);
    roster->showCharacterInfo(307, 105, ilka, true);
    roster->mementoPage = 1;
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(640, 360));
    target.clear(sf::Color::Black);
    roster->drawMementoGrid(target, origin, 21);
    target.display();
    sf::Image shot = target.getTexture().copyToImage();
    EXPECT_EQ(shot.getPixel(460 + 10, 150 + 10), sf::Color(8, 12, 26)) << "first cell of page 1";
    EXPECT_EQ(shot.getPixel(460 + 36 + 10, 150 + 35), sf::Color::Black) << "the hovered cell sits 3 higher";
    EXPECT_EQ(shot.getPixel(460 + 10, 150 + 36 + 10), sf::Color(8, 12, 26)) << "the fifth in the second row";
    EXPECT_EQ(shot.getPixel(460 + 36 + 10, 150 + 36 + 10), sf::Color::Black) << "and nothing after it";
}

TEST_F(CrewCardsTest, CardLabelsAreMadeWhenShownAndRemovedWithTheirCard)
{
    EXPECT_EQ(aboard(0).card.nameTextId(), -1) << "reading made no text";
    roster->layoutGrid(0, 100, 5, 0, true);
    const int id = aboard(0).card.nameTextId();
    ASSERT_GE(id, 0);
    Character copy = aboard(0);
    EXPECT_EQ(copy.card.nameTextId(), -1) << "a copy makes its own when shown";
    roster->resetCrew();
    EXPECT_FALSE(TextManager::get().hasText(id));
}

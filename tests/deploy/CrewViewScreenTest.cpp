#include "deploy/CrewViewScreen.hpp"

#include "missions/Memento.hpp"
#include "support/CrewFixture.hpp"
#include "support/UiTestSupport.hpp"

#include <gtest/gtest.h>

#include <memory>

namespace {

// The crew view over the crew fixture, with the arrows' sheets so that they can be pressed.
class CrewView : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        for (const char* file : { "crewselection_screen/button_arrow_left.png", "crewselection_screen/button_arrow_right.png" })
            writeButtonSheet(assets + file, 16, 14, sf::Color(90, 90, 90), sf::Color(40, 40, 40), sf::Color(20, 20, 20));
        TextureManager::resetForTests(assets, true);
        folders = std::make_unique<CrewFolders>(home.root() + "/crew");
        roster = folders->roster();
        roster->resetCrew();
    }
    void TearDown() override
    {
        roster.reset();
        folders.reset();
        UiTest::TearDown();
    }
    void giveMementos(std::size_t crew, int count)
    {
        Character& member = roster->getCrewOnShip().at(crew);
        member.mementos.clear();
        for (int i = 0; i < count; ++i)
            member.mementos.push_back(std::make_shared<Memento>());
        member.unseenMementos = true;
    }
    void right(CrewViewScreen& view) { view.mousePressed(575.f, 300.f); }
    void left(CrewViewScreen& view) { view.mousePressed(475.f, 300.f); }

    std::unique_ptr<CrewFolders> folders;
    std::unique_ptr<CharacterManager> roster;
};

} // namespace

TEST_F(CrewView, LookingAtAMemberClearsItsNewMementosAndPagesStopAtTheLastMemento)
{
    giveMementos(0, 25);
    giveMementos(1, 20);
    CrewViewScreen view(*roster);
    view.open();
    view.select(0);
    EXPECT_FALSE(roster->getCrewOnShip()[0].unseenMementos);
    EXPECT_TRUE(roster->getCrewOnShip()[1].unseenMementos);
    right(view);
    EXPECT_EQ(roster->mementoPage, 1);
    right(view);
    EXPECT_EQ(roster->mementoPage, 1) << "25 mementos: two pages";
    left(view);
    EXPECT_EQ(roster->mementoPage, 0);
    left(view);
    EXPECT_EQ(roster->mementoPage, 0);

    view.select(1);
    EXPECT_EQ(roster->mementoPage, 0);
    right(view);
    EXPECT_EQ(roster->mementoPage, 0) << "exactly twenty fill one page; there is no empty second";
}

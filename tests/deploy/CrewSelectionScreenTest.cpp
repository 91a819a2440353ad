#include "deploy/CrewSelectionScreen.hpp"

#include "support/CrewFixture.hpp"
#include "support/UiTestSupport.hpp"

#include <gtest/gtest.h>

#include <memory>

namespace {

class SelectionScreen : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
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

    std::unique_ptr<CrewFolders> folders;
    std::unique_ptr<CharacterManager> roster;
};

} // namespace

TEST_F(SelectionScreen, CardsShowWhereTheirCharacterCameFrom)
{
    Character* workshop = nullptr;
    for (Character& member : roster->getCrewOnShip())
        if (member.filePath.find("/mods/characters/") == std::string::npos)
            workshop = &member;
    ASSERT_NE(workshop, nullptr);
    workshop->steamCharacterID = 77;
    CrewSelectionScreen screen(*roster, 1u);
    screen.enter();
    int mods = 0;
    for (const Character& member : roster->getCrewOnShip()) {
        const std::string& badge = member.card.getBadgeTexture();
        if (&member == workshop) {
            EXPECT_EQ(badge, "general/character_related/character_origin/source_steamworkshop.png");
        } else if (member.filePath.find("/mods/characters/") != std::string::npos) {
            ++mods;
            EXPECT_EQ(badge, "general/character_related/character_origin/source_edited.png") << member.name();
        } else {
            EXPECT_EQ(badge, "") << member.name();
        }
    }
    EXPECT_GT(mods, 0) << "the fixture has mod characters";
}

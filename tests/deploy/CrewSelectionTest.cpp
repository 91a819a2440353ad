#include "deploy/CrewSelection.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

namespace {

sf::Vector2f snapOf(const CrewSelection& selection, std::size_t slot)
{
    return selection.slots().at(slot).snap;
}

} // namespace

TEST(CrewSelection, OnHardOnlyTheFirstFourSlotsTakeCharacters)
{
    CrewSelection selection(1u);
    selection.setRequiredCrew(4);
    selection.enter(10);
    for (std::size_t k = 0; k < 8; ++k) {
        EXPECT_EQ(selection.slots()[k].locked, k >= 4) << k;
        EXPECT_EQ(selection.drop(static_cast<std::int32_t>(k), snapOf(selection, k)), k < 4) << k;
    }
    EXPECT_FALSE(selection.drop(9, snapOf(selection, 0))) << "an occupied slot takes nobody";
    EXPECT_FALSE(selection.drop(8, snapOf(selection, 0) + sf::Vector2f(200.f, 0.f)));
    EXPECT_TRUE(selection.start());
    EXPECT_TRUE(selection.selectionDone());
}

TEST(CrewSelection, LoweringTheDifficultySendsTheLockedSlotsHome)
{
    CrewSelection selection(1u);
    selection.enter(10);
    for (std::size_t k = 0; k < 6; ++k)
        ASSERT_TRUE(selection.drop(static_cast<std::int32_t>(k), snapOf(selection, k)));
    EXPECT_TRUE(selection.startAllowed());
    selection.setRequiredCrew(4);
    EXPECT_EQ(selection.chosen(), (std::vector<std::int32_t>{ 0, 1, 2, 3 }));
    EXPECT_EQ(selection.slotOf(4), -1);
    EXPECT_TRUE(selection.startAllowed());
    selection.setRequiredCrew(8);
    EXPECT_FALSE(selection.startAllowed());
    EXPECT_FALSE(selection.start());
}

TEST(CrewSelection, RandomizeNeverPicksTwiceAndStopsWhenTheLibraryRunsOut)
{
    CrewSelection selection(42u);
    selection.setRequiredCrew(8);
    selection.enter(5);
    selection.randomize();
    const std::vector<std::int32_t> chosen = selection.chosen();
    EXPECT_EQ(chosen.size(), 5u);
    EXPECT_EQ(std::set<std::int32_t>(chosen.begin(), chosen.end()).size(), 5u);
    for (std::size_t k = 0; k < 5; ++k)
        EXPECT_GE(selection.slots()[k].occupant, 0) << "slots 0-4 in order";
    EXPECT_FALSE(selection.startAllowed());

    CrewSelection again(42u);
    again.setRequiredCrew(8);
    again.enter(5);
    again.randomize();
    EXPECT_EQ(again.chosen(), chosen) << "the same seed, the same crew";

    CrewSelection empty(42u);
    empty.enter(0);
    empty.randomize(); // an empty library: nothing to draw from
    EXPECT_TRUE(empty.chosen().empty());
}

TEST(CrewSelection, PagesOfSixteenAndAlwaysAtLeastOne)
{
    CrewSelection selection(1u);
    selection.enter(20);
    EXPECT_EQ(selection.pageText(), "PAGE 1/2");
    EXPECT_TRUE(selection.nextPage());
    EXPECT_EQ(selection.firstOnPage(), 16);
    EXPECT_EQ(selection.lastOnPage(), 19) << "four cards on the second page";
    EXPECT_FALSE(selection.nextPage());
    EXPECT_TRUE(selection.previousPage());
    EXPECT_FALSE(selection.previousPage());

    selection.enter(0);
    EXPECT_EQ(selection.pageCount(), 1);
    EXPECT_EQ(selection.pageText(), "PAGE 1/1");
    EXPECT_FALSE(selection.nextPage());
    EXPECT_LT(selection.lastOnPage(), selection.firstOnPage()) << "no cards to show";
}

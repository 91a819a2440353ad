#include "missions/Mission.hpp"
#include "support/WorldFixtures.hpp"
#include "world/ImprovedNoise.hpp"
#include "world/SectorLayout.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>

namespace {

// The sector as one line of text: background cells; planets (grid position, mission file);
// asteroid tiles (grid position, background/foreground picture, speed); event cursor; counter.
std::string describe(const SectorLayout& layout)
{
    std::ostringstream text;
    text << "cells";
    for (int cell : layout.backgroundCells())
        text << ' ' << cell;
    text << " | planets";
    for (const SectorTile& tile : layout.tiles())
        if (tile.hasMission())
            text << ' ' << tile.gridX << ',' << tile.gridY << '=' << tile.missionFile.substr(14);
    text << " | asteroids";
    for (const SectorTile& tile : layout.tiles())
        if (tile.asteroids)
            text << ' ' << tile.gridX << ',' << tile.gridY << ':' << tile.asteroidBackground << '/'
                 << tile.asteroidForeground << '/' << tile.tileSpeed;
    text << " | cursor " << layout.eventCursor << " | single " << layout.jumpsSinceLastMultiplanetSector;
    return text.str();
}

std::string generated(std::uint32_t seed, FixtureRunLists lists = FixtureRunLists::full())
{
    SectorMissionLists view = lists.view();
    SectorLayout layout(3, 3);
    layout.generate(seed, false, view);
    return describe(layout);
}

int planets(const SectorLayout& layout)
{
    int count = 0;
    for (const SectorTile& tile : layout.tiles())
        count += tile.hasMission() ? 1 : 0;
    return count;
}

// Whether a sector of `seed` is to get two planets after `single` one-planet sectors: the 16th
// draw (after the 15 background cells) taken as int32 % (2 + single) is 2 or more.
bool twoPlanetsDue(std::uint32_t seed, int single)
{
    std::mt19937 replay(seed);
    replay.discard(15);
    return static_cast<std::int32_t>(replay()) % (2 + std::max(single, 1)) >= 2;
}

TEST(ImprovedNoise, MatchesThePublishedReference)
{
    EXPECT_DOUBLE_EQ(improvedNoise(3.14, 42, 7), 0.13691995878400012);
    EXPECT_DOUBLE_EQ(improvedNoise(0.5, 0.5, 0.5), -0.25);
    EXPECT_EQ(improvedNoise(3, 5, 0), 0.0);
}

TEST(SectorLayout, GridIsFourteenColumnsOfSevenTilesBelowTheStatusStrip)
{
    auto lists = FixtureRunLists::full();
    SectorMissionLists view = lists.view();
    SectorLayout layout(3, 3);
    layout.generate(1, true, view);
    ASSERT_EQ(layout.tiles().size(), 98u);
    const SectorTile& tile = layout.tiles()[7 * 5 + 2]; // column 5, row 2
    EXPECT_EQ(tile.gridX, 5);
    EXPECT_EQ(tile.gridY, 2);
    EXPECT_EQ(tile.left, 225.f);
    EXPECT_EQ(tile.top, 115.f);
    EXPECT_EQ(tile.right, 270.f);
    EXPECT_EQ(tile.bottom, 160.f);
    EXPECT_EQ(tile.centre, sf::Vector2f(247.f, 137.f));
    EXPECT_EQ(layout.tiles().back().right, 630.f);
    EXPECT_EQ(layout.tiles().back().bottom, 340.f);
    // Edges: the left and top belong to the neighbours.
    EXPECT_EQ(layout.tileIndexAt(225.f, 130.f), 7 * 4 + 2);
    EXPECT_EQ(layout.tileIndexAt(225.5f, 160.f), 7 * 5 + 2);
    EXPECT_EQ(layout.tileIndexAt(10.f, 20.f), -1);
    // A restored sector has no planets or asteroids of its own.
    EXPECT_EQ(planets(layout), 0);
}

TEST(SectorLayout, ASeedGivesTheSameSectorEveryTime)
{
    const std::pair<std::uint32_t, const char*> pinned[] = {
        {2, "cells 8 15 13 8 6 11 2 11 8 7 2 1 15 11 5 | planets 5,1=story_one.json 12,3=side_wreck.json"
            " | asteroids 0,5:1/2/1 0,6:1/0/1 1,6:1/0/1 5,6:0/1/1 6,5:2/2/1 6,6:2/2/1 7,0:0/2/1 7,1:2/0/1"
            " 7,4:2/2/1 7,5:0/1/1 7,6:1/2/1 8,0:2/1/1 8,1:1/2/1 8,2:2/0/1 8,3:2/2/1 8,4:1/0/1 8,5:0/2/1"
            " 8,6:1/0/1 9,2:1/2/1 9,3:0/0/1 | cursor 0 | single 0"},
        {7, "cells 15 4 9 6 3 3 7 7 12 9 14 7 8 9 14 | planets 12,0=story_one.json"
            " | asteroids 0,1:0/0/1 0,2:1/2/0 0,3:0/1/0 1,0:2/2/1 1,1:1/0/1 1,2:2/0/1 1,3:1/0/1 1,4:1/1/1"
            " 1,5:0/0/1 1,6:2/2/1 2,0:2/1/1 2,1:2/0/1 2,2:2/2/1 2,3:1/1/1 2,4:2/2/1 2,5:1/0/1 2,6:2/2/1"
            " 3,0:0/0/1 3,1:0/2/1 3,2:1/1/1 3,3:0/1/1 3,4:0/2/1 3,5:2/2/1 3,6:0/1/1 4,3:2/2/1 4,4:2/2/1"
            " 4,5:2/2/1 4,6:2/2/1 5,4:1/0/1 5,5:2/2/1 | cursor 0 | single 1"},
    };
    for (const auto& [seed, expected] : pinned) {
        EXPECT_EQ(generated(seed), expected) << "seed " << seed;
        EXPECT_EQ(generated(seed), generated(seed));
    }
    EXPECT_NE(generated(2), generated(3));
}

TEST(SectorLayout, PlanetCountReadsTheDrawAsASignedNumber)
{
    // With no single-planet sectors behind it the count comes from the 16th draw (after the 15
    // background cells) taken as int32 % 3: 2 gives two planets; 0, 1 or a negative draw one.
    int negatives = 0, twos = 0;
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        std::mt19937 replay(seed);
        replay.discard(15);
        negatives += static_cast<std::int32_t>(replay()) < 0 ? 1 : 0;
        const int expected = twoPlanetsDue(seed, 0) ? 2 : 1;
        twos += expected == 2 ? 1 : 0;

        auto lists = FixtureRunLists::full();
        SectorMissionLists view = lists.view();
        SectorLayout layout(3, 3);
        layout.generate(seed, false, view);
        ASSERT_EQ(planets(layout), expected) << "seed " << seed;
        EXPECT_EQ(layout.jumpsSinceLastMultiplanetSector, expected == 2 ? 0 : 1);
        // A run of single-planet sectors raises the odds; two planets reset it.
        layout.jumpsSinceLastMultiplanetSector = 4;
        layout.generate(seed, false, view);
        EXPECT_EQ(layout.jumpsSinceLastMultiplanetSector, planets(layout) == 2 ? 0 : 5);
    }
    EXPECT_GT(negatives, 100);
    EXPECT_GT(twos, 20);
}

TEST(SectorLayout, PlanetsKeepApartAndClearOfTheInterfacePanels)
{
    for (std::uint32_t seed = 1; seed <= 400; ++seed) {
        auto lists = FixtureRunLists::full();
        lists.story.clear(); // side and event planets may come two to a sector
        SectorMissionLists view = lists.view();
        SectorLayout layout(3, 3);
        layout.jumpsSinceLastMultiplanetSector = 50;
        layout.generate(seed, false, view);
        for (const SectorTile& tile : layout.tiles()) {
            if (tile.gridX == 0 && (tile.gridY == 2 || tile.gridY == 3)) {
                EXPECT_EQ(tile.tileSpeed, 0);
            }
            if (tile.asteroids) {
                EXPECT_EQ(tile.asteroidForeground >= 0, !tile.hasMission()) << seed;
            }
            if (!tile.hasMission())
                continue;
            const int x = tile.gridX, y = tile.gridY;
            EXPECT_NE(x, 0) << seed;
            EXPECT_FALSE(x == 12 && y == 6) << seed;
            EXPECT_FALSE(y == 0 && ((x >= 5 && x <= 9) || x == 13)) << seed;
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy) {
                    const SectorTile* other = layout.tileAt(x + dx, y + dy);
                    EXPECT_FALSE((dx != 0 || dy != 0) && other && other->hasMission()) << seed;
                }
        }
    }
}

TEST(SectorLayout, PlanetsCarryTheirMissionsPicturesAndNames)
{
    auto lists = FixtureRunLists::full();
    SectorMissionLists view = lists.view();
    SectorLayout layout(3, 3);
    layout.generate(2, false, view);
    const SectorTile* station = layout.tileAt(5, 1);
    ASSERT_TRUE(station);
    EXPECT_EQ(station->missionFile, "missions/json/story_one.json");
    EXPECT_EQ(station->textureName, "barren_moon.png");
    EXPECT_EQ(station->nameText, "Ceres Gate");
    EXPECT_TRUE(station->isMission);
    EXPECT_FALSE(station->shouldDrawNameText);
    // The run lists keep every mission: a placed one is only taken out of the sector's choice.
    EXPECT_EQ(lists.story.size(), 2u);
    EXPECT_EQ(lists.side.size(), 3u);
}

TEST(SectorLayout, AStoryMissionPlacedFirstKeepsSideMissionsOutOfItsSector)
{
    // One story mission, side missions, no events. A sector due two planets whose first is the
    // story mission can take neither a story nor a side mission second: it keeps one planet
    // (drawing on for a side mission would never end). A side mission first leaves the second
    // planet free for the story.
    int storyAlone = 0, storyAfterSide = 0;
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        if (!twoPlanetsDue(seed, 50))
            continue;
        auto lists = FixtureRunLists::full();
        lists.story.resize(1);
        lists.events.clear();
        SectorMissionLists view = lists.view();
        SectorLayout layout(3, 3);
        layout.jumpsSinceLastMultiplanetSector = 50;
        layout.generate(seed, false, view);
        bool story = false;
        for (const SectorTile& tile : layout.tiles())
            story = story || tile.missionFile == "missions/json/story_one.json";
        if (planets(layout) == 1) {
            EXPECT_TRUE(story) << seed;
            ++storyAlone;
        } else {
            EXPECT_EQ(planets(layout), 2) << seed;
            storyAfterSide += story ? 1 : 0;
        }
    }
    EXPECT_GT(storyAlone, 10);
    EXPECT_GT(storyAfterSide, 10);
}

TEST(SectorLayout, PlacementEndsWhenNoListCanGiveAMission)
{
    const auto emptyLists = [] {
        FixtureRunLists lists;
        return lists;
    };
    const auto onlyStory = [] {
        FixtureRunLists lists;
        lists.story = {fixtureMission("story_one.json")};
        return lists;
    };
    for (std::uint32_t seed = 1; seed <= 100; ++seed) {
        for (bool story : {false, true}) {
            FixtureRunLists lists = story ? onlyStory() : emptyLists();
            SectorMissionLists view = lists.view();
            SectorLayout layout(3, 3);
            layout.jumpsSinceLastMultiplanetSector = 50;
            layout.generate(seed, false, view);
            EXPECT_EQ(planets(layout), story ? 1 : 0) << seed;
        }
    }
}

TEST(SectorLayout, UsedUpSideMissionsAreRefilledFromTheCatalogue)
{
    auto lists = FixtureRunLists::full();
    lists.side.clear();
    lists.story.clear();
    lists.events.clear();
    SectorMissionLists view = lists.view();
    SectorLayout layout(3, 3);
    layout.generate(4, false, view);
    EXPECT_EQ(lists.side.size(), 3u);
    EXPECT_EQ(planets(layout), 1);
}

TEST(SectorLayout, EventsStayInTheirListAndTheCursorSkipsThoseOnTheMap)
{
    auto lists = FixtureRunLists::full();
    lists.story.clear();
    lists.side.clear();
    lists.sideCatalogue.clear();
    lists.events.push_back(fixtureMission("side_relay.json")); // a third event
    for (Mission& event : lists.events)
        event.isCompleted = true;
    SectorMissionLists view = lists.view();
    SectorLayout layout(3, 3);
    // A cursor beyond the list (a loaded game with fewer events) wraps to the first event.
    layout.eventCursor = 7;
    layout.jumpsSinceLastMultiplanetSector = 50;
    layout.generate(2, false, view);
    ASSERT_EQ(planets(layout), 2);
    EXPECT_EQ(lists.events.size(), 3u);
    for (const Mission& event : lists.events)
        EXPECT_FALSE(event.isCompleted);
    // Events 0 and 1 were placed in list order; the next one offered is event 2.
    EXPECT_EQ(layout.eventCursor, 1);

    // Realigning over a map that already shows event 2: the cursor steps past it too.
    layout.eventCursor = 0;
    for (SectorTile& tile : layout.tiles())
        if (tile.hasMission() && tile.nameText == "Fuel Depot")
            tile.nameText = "Drift Relay";
    layout.realignEventCursor(lists.events);
    EXPECT_EQ(layout.eventCursor, 0); // next: event 1, "Fuel Depot", not on the map
    layout.eventCursor = 2;
    layout.realignEventCursor(lists.events);
    EXPECT_EQ(layout.eventCursor, 0); // event 0 on the map, event 1 not: cursor before 1
}

} // namespace

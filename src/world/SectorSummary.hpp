#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class Mission;

// The four texts of the sector summary window, built from plain facts about the sector, the
// ship and the story: the sector's designation with its points of interest, the report of
// the jump that brought the ship here, the ship's status, and a recap of the story so far.
// Nothing here reads or changes the game; the Sector gathers the facts and keeps the texts.
struct SectorSummary {
    struct Facts {
        std::uint32_t seed = 0;
        int pointsOfInterest = 0;
        int visited = 0;
        std::int32_t jumpCount = 0;
        // Two draws of the shared random generator: the new jump's distance and its
        // acceleration time. Without them the previous report stays.
        std::optional<std::pair<int, int>> jumpDraws;
        std::string previousJumpText;
        std::int32_t activeCrew = 0;
        std::int32_t food = 0;
        std::int32_t fuel = 0;
        float engineSpeed = 0.f;
        float engineSpeedAtStart = 0.f;
        float sensors = 0.f;
        float sensorsAtStart = 0.f;
        // The current story mission's "Recap"; empty (or "null") when there is none.
        std::string storyRecap;
    };

    // The recap shown when the story has nothing to say.
    static constexpr const char* explorationRecap =
        "Explore sectors for planets and systems. Find a new home for your crew.";

    static SectorSummary build(const Facts& facts);
    // The seed as DDD-DDD-DDDD: its decimal digits, filled up to ten with zeros on the right.
    static std::string designation(std::uint32_t seed);
    // The "Recap" of the first story mission not yet completed whose place in the story is
    // `nextStoryOrder`; empty when there is none.
    static std::string storyRecap(const std::vector<Mission>& story, std::int32_t nextStoryOrder);
    // A system's value against its value at the start of the run, in percent.
    static std::string efficiency(float value, float atStart);

    std::string designationText;
    std::string jumpText;
    std::string statusText;
    std::string recapText;
};

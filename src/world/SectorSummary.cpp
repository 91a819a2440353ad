#include "world/SectorSummary.hpp"

#include "core/TextFunctions.hpp"
#include "missions/Mission.hpp"

#include <sstream>

SectorSummary SectorSummary::build(const Facts& facts)
{
    SectorSummary summary;

    const std::string recap =
        facts.storyRecap.empty() || facts.storyRecap == "null" ? std::string(explorationRecap) : facts.storyRecap;
    summary.recapText = wrapText(recap, 161, -1, false);

    summary.designationText = "Designation: " + designation(facts.seed) + "\n"
                              + "Detected Points of Interest: " + std::to_string(facts.pointsOfInterest) + "\n"
                              + "Visited Points of Interest: " + std::to_string(facts.visited) + "\n";

    if (facts.jumpDraws) {
        const auto [distance, acceleration] = *facts.jumpDraws;
        summary.jumpText = "Jump Count: " + std::to_string(facts.jumpCount) + "\n==========\n"
                           + "Jump Result: Success\n"
                           + "Jump Distance: " + std::to_string(distance % 2000 + 1000) + " parsecs\n"
                           + "Jump Duration: Unknown\n"
                           + "Accel/Decel Time: " + std::to_string(acceleration % 80 + 380) + " Sols";
    } else {
        summary.jumpText = facts.previousJumpText;
    }

    summary.statusText = "Life Support: Operational\nCryo Pods: 10\nActive Crew: " + std::to_string(facts.activeCrew)
                         + "\nFood: " + std::to_string(facts.food) + "\nFuel: " + std::to_string(facts.fuel)
                         + "\nEngine Efficiency: " + efficiency(facts.engineSpeed, facts.engineSpeedAtStart)
                         + "%\nSensor Efficiency: " + efficiency(facts.sensors, facts.sensorsAtStart) + "%";
    return summary;
}

std::string SectorSummary::designation(std::uint32_t seed)
{
    std::string digits = std::to_string(seed);
    digits.resize(10, '0');
    digits.insert(6, 1, '-');
    digits.insert(3, 1, '-');
    return digits;
}

std::string SectorSummary::storyRecap(const std::vector<Mission>& story, std::int32_t nextStoryOrder)
{
    for (const Mission& mission : story)
        if (!mission.isCompleted && mission.storyOrder == nextStoryOrder)
            return mission.getItem("Recap");
    return "";
}

std::string SectorSummary::efficiency(float value, float atStart)
{
    // A start value of nothing (a damaged save) has no meaningful ratio: the system counts
    // as it was.
    const float percent = atStart > 0.f ? value / atStart * 100.f : 100.f;
    std::ostringstream text;
    text << percent;
    return text.str();
}

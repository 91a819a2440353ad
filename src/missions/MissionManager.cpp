#include "missions/MissionManager.hpp"

#include "core/FileUtils.hpp"
#include "core/Logger.hpp"
#include "core/TimeSource.hpp"

#include <algorithm>
#include <limits>
#include <optional>
#include <utility>

namespace {

// j uniform in 0..i from whole 64-bit draws: values from the incomplete top range are
// drawn again, so no index is favoured. Fixed here so the order never depends on the
// standard library's distribution.
std::size_t drawIndex(std::mt19937_64& engine, std::size_t i)
{
    const std::uint64_t range = static_cast<std::uint64_t>(i) + 1;
    const std::uint64_t leftover = (std::numeric_limits<std::uint64_t>::max() % range + 1) % range;
    const std::uint64_t limit = std::uint64_t(0) - leftover; // 2^64 - leftover
    std::uint64_t value = engine();
    while (leftover != 0 && value >= limit)
        value = engine();
    return static_cast<std::size_t>(value % range);
}

// A file that holds no mission (unreadable, unparsable) is logged and left out.
std::optional<Mission> loadMission(const std::string& assetsRoot, const std::string& folder,
                                   const std::string& fileName)
{
    Mission mission;
    if (!mission.loadMissionFile(assetsRoot + folder + fileName, folder + fileName))
        return std::nullopt;
    return mission;
}

} // namespace

MissionManager::MissionManager(AchievementManager* achievements, const std::string& assetsRoot)
    : achievements(achievements)
{
    buildCatalogue(assetsRoot);
    std::uint32_t seed = clockSeed();
    missionRandom.seed(seed);
    QV_LOG << "Scanning spatial regions [" << seed << "]" << std::endl;
}

MissionManager::MissionManager(AchievementManager* achievements)
    : MissionManager(achievements, assetsPath())
{
}

void MissionManager::buildCatalogue(const std::string& assetsRoot)
{
    const std::string missionFolder = "missions/json/";
    for (const std::string& fileName : listJsonFiles(assetsRoot + missionFolder)) {
        std::optional<Mission> loaded = loadMission(assetsRoot, missionFolder, fileName);
        if (!loaded)
            continue;
        Mission& mission = *loaded;
        std::string type = mission.getItem("Mission Type");
        if (mission.storyOrder != 0) {
            storyMissions.push_back(mission);
            storyCatalogue.push_back(std::move(mission));
        } else if (type == "food" || type == "fuel") {
            eventCatalogue.push_back(mission);
            eventMissions.push_back(std::move(mission));
        } else {
            sideMissions.push_back(mission);
            sideCatalogue.push_back(std::move(mission));
        }
    }

    for (std::size_t i = 1; i < eventMissions.size(); ++i) {
        std::size_t j = drawIndex(shuffleEngine, i);
        if (j != i)
            std::swap(eventMissions[i], eventMissions[j]);
    }

    const std::string randomFolder = "missions/random/json/";
    for (const std::string& fileName : listJsonFiles(assetsRoot + randomFolder)) {
        std::optional<Mission> mission = loadMission(assetsRoot, randomFolder, fileName);
        if (!mission)
            continue;
        randomMissions.push_back(*mission);
        randomCatalogue.push_back(std::move(*mission));
    }

    const std::string eventFolder = "missions/events/json/";
    for (const std::string& fileName : listJsonFiles(assetsRoot + eventFolder)) {
        if (std::optional<Mission> mission = loadMission(assetsRoot, eventFolder, fileName))
            namedEvents[fileName] = std::move(*mission);
    }
}

void MissionManager::resetRunLists(std::int32_t newDifficulty)
{
    eventMissions = eventCatalogue;
    storyMissions = storyCatalogue;
    sideMissions = sideCatalogue;
    randomMissions = randomCatalogue;
    questItems.clear();
    gameOver = false;
    difficulty = newDifficulty;
}

Mission* MissionManager::namedEvent(const std::string& fileName)
{
    auto found = namedEvents.find(fileName);
    return found == namedEvents.end() ? nullptr : &found->second;
}

std::string MissionManager::getDifficulty()
{
    switch (difficulty) {
    case hard:
        return "Hard";
    case medium:
        return "Medium";
    case easy:
        return "Easy";
    default:
        QV_LOG << "Warning: Current difficulty not found. Returning Easy." << std::endl;
        return "Easy";
    }
}

std::int32_t MissionManager::getDiffScale(std::int32_t easyValue, std::int32_t mediumValue, std::int32_t hardValue)
{
    switch (difficulty) {
    case hard:
        return hardValue;
    case medium:
        return mediumValue;
    case easy:
        return easyValue;
    default:
        QV_LOG << "Warning: Current difficulty not found. Returning Easy (" << easyValue << ")." << std::endl;
        return easyValue;
    }
}

std::int32_t MissionManager::nextStoryOrder()
{
    std::int32_t highest = 0;
    bool anyCompleted = false;
    for (const Mission& mission : storyMissions) {
        if (!mission.isCompleted)
            continue;
        highest = anyCompleted ? std::max(highest, mission.storyOrder) : mission.storyOrder;
        anyCompleted = true;
    }
    return anyCompleted ? highest + 1 : 1;
}

std::int32_t MissionManager::pickRandomMission()
{
    std::vector<std::int32_t> open;
    for (std::size_t i = 0; i < randomMissions.size(); ++i) {
        if (!randomMissions[i].isCompleted)
            open.push_back(static_cast<std::int32_t>(i));
    }
    if (open.empty())
        return -1;
    std::uint32_t value = missionRandom();
    return open[value % open.size()];
}

void MissionManager::reseedRandom()
{
    missionRandom.seed(clockSeed());
}

std::int32_t MissionManager::random()
{
    return static_cast<std::int32_t>(missionRandom());
}

// libFuzzer entry for a mission file, read from disk as the catalogue reads it.

#include "fuzz/FuzzSupport.hpp"
#include "missions/Mission.hpp"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = scratchFile(data, size, "mission.json");
    Mission mission;
    const bool loaded = mission.loadMissionFile(path, "missions/json/mission.json");
    if (!loaded && !mission.getDisplayKeys().empty())
        std::abort();
    for (const std::string& key : mission.getDisplayKeys())
        if (mission.getItems().count(key) != 1)
            std::abort(); // every display key has its value
    if (mission.storyOrder < 0 || mission.storyOrder > 10000)
        std::abort();
    mission.isDeployMission();
    if (mission.toJson()["LoadedFilename"].asString() != "missions/json/mission.json")
        std::abort();
    return 0;
}

// libFuzzer entry for "playerSave.json": whatever the input holds, reading it must not fail
// hard, and from the first save on, saving and reading again changes nothing. (The first
// save may differ: the JSON writer turns bytes that are not UTF-8 into U+FFFD.)

#include "achievements/VoidAchievementManager.hpp"
#include "core/JsonRead.hpp"
#include "fuzz/FuzzSupport.hpp"
#include "persistence/PlayerStats.hpp"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// The save written to text as the game writes it, and read back into fresh statistics.
Json::Value saveAndReload(const Json::Value& saved)
{
    Json::StreamWriterBuilder writer;
    writer["indentation"] = "";
    writer["precision"] = 9;
    Json::Value reread;
    std::string errors;
    if (!parseJsonText(Json::writeString(writer, saved), reread, errors))
        std::abort();
    PlayerStats stats;
    if (!stats.deserialize(reread, PlayerStats::AchievementSwitch::None))
        std::abort();
    return stats.serialize();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzFolder();
    Json::Value root;
    std::string errors;
    parseJsonText(std::string(reinterpret_cast<const char*>(data), size), root, errors);

    VoidAchievementManager achievements;
    achievements.buildCatalogue();
    PlayerStats stats;
    stats.setAchievementManager(&achievements);
    stats.deserialize(root, PlayerStats::AchievementSwitch::None);
    const Json::Value second = saveAndReload(stats.serialize());
    if (saveAndReload(second) != second)
        std::abort();
    return 0;
}

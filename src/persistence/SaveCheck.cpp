#include "persistence/SaveCheck.hpp"

#include "core/FileUtils.hpp"
#include "core/JsonRead.hpp"
#include "crew/CharacterManager.hpp"
#include "missions/MissionManager.hpp"
#include "persistence/PlayerStats.hpp"
#include "persistence/SaveBackups.hpp"
#include "persistence/SessionStore.hpp"
#include "world/Sector.hpp"
#include "world/Ship.hpp"
#include "world/ShipContext.hpp"

#include <json/value.h>

#include <exception>
#include <filesystem>
#include <utility>

namespace {

// The ship's surroundings while a save is only read: nothing plays, nothing sounds.
class QuietShipContext : public ShipContext {
public:
    PlayerStats& playerStats() override { return stats_; }
    std::int32_t livingCrewCount() override { return 0; }
    std::string currentMissionName() override { return {}; }
    bool foodCheat() override { return false; }
    std::int32_t difficulty() override { return 6; }
    void raiseJumpFlash() override {}
    void keepThrustersPlaying() override {}
    void stopThrusters() override {}
    void playJumpSound() override {}

private:
    PlayerStats stats_;
};

// Reads a JSON object: false with the reason in `why` otherwise. A missing file sets `missing`.
bool readObject(const std::string& path, Json::Value& root, std::string& why, bool& missing)
{
    std::string text;
    std::string error;
    missing = false;
    switch (readWholeFile(path, text, error)) {
    case FileRead::Missing:
        missing = true;
        why = "no such file";
        return false;
    case FileRead::Unreadable:
        why = "cannot be read: " + error;
        return false;
    case FileRead::Read:
        break;
    }
    std::string errors;
    if (!parseJsonText(text, root, errors)) {
        why = "not JSON: " + errors;
        while (!why.empty() && why.back() == '\n')
            why.pop_back();
        return false;
    }
    if (!root.isObject()) {
        why = "does not hold an object";
        return false;
    }
    return true;
}

} // namespace

SaveCheck::Sources SaveCheck::Sources::ofGame()
{
    return {assetsPath(), assetsPath()};
}

SaveCheck::SaveCheck(std::string userFolder, Sources sources)
    : folder_(std::move(userFolder))
    , sources_(std::move(sources))
{
    if (!folder_.empty() && folder_.back() != '/')
        folder_ += '/';
}

bool SaveCheck::run(std::ostream& out)
{
    out << "Checking the saves in " << folder_ << std::endl;
    bool good = checkOptions(out);
    good = checkPlayer(out) && good;
    good = checkSession(out) && good;
    out << (good ? "Everything that is there loads." : "Something did not load (see above).") << std::endl;
    return good;
}

bool SaveCheck::checkOptions(std::ostream& out)
{
    const std::string path = folder_ + "options.json";
    Json::Value root;
    std::string why;
    bool missing = false;
    if (readObject(path, root, why, missing)) {
        out << "options: loaded " << path << std::endl;
        return true;
    }
    if (missing) {
        out << "options: none at " << path << " (the game starts with its defaults)" << std::endl;
        return true;
    }
    out << "options: FAILED " << path << ": " << why << std::endl;
    return false;
}

bool SaveCheck::checkPlayer(std::ostream& out)
{
    const std::string path = folder_ + "saved/playerSave.json";
    Json::Value root;
    std::string why;
    bool missing = false;
    if (!readObject(path, root, why, missing)) {
        if (missing) {
            out << "player save: none at " << path << std::endl;
            return true;
        }
        out << "player save: FAILED " << path << ": " << why << std::endl;
        return false;
    }
    PlayerStats stats;
    if (!stats.deserialize(root, PlayerStats::AchievementSwitch::None)) {
        out << "player save: FAILED " << path << ": a member has the wrong type (the line above names it)"
            << std::endl;
        return false;
    }
    out << "player save: loaded " << path << " (" << stats.getTotalJumpsMade() << " jumps, "
        << stats.getCollectedMementos().size() << " mementos)" << std::endl;
    return true;
}

bool SaveCheck::checkSession(std::ostream& out)
{
    const std::string saved = folder_ + "saved/";
    const std::string path = saved + "sessionSave.json";
    bool any = std::filesystem::exists(path);
    for (int number = 1; number <= SaveBackups::kept; ++number)
        any = any || std::filesystem::exists(SaveBackups::backupPath(path, number));
    if (!any) {
        out << "session: none at " << path << std::endl;
        return true;
    }
    try {
        CharacterManager crew({sources_.crewAssets, folder_ + "mods/", folder_ + "charImages/"});
        MissionManager missions(nullptr, sources_.missionsRoot);
        missions.resetRunLists(MissionManager::medium);
        QuietShipContext context;
        Ship ship(context);
        Sector sector(missions, ship, 0, 0, FogOfWar::Mode::Shaded);
        SessionStore store(crew, missions, sector, ship, saved);
        const auto loads = [&](const std::string& file, const std::string& fog) {
            std::string text;
            std::string error;
            if (readWholeFile(file, text, error) != FileRead::Read) {
                out << "session: " << file << " cannot be read" << (error.empty() ? "" : ": " + error) << std::endl;
                return false;
            }
            return store.loadText(text, fog);
        };
        if (loads(path, store.fogFile())) {
            out << "session: loaded " << path << " (food " << ship.getFood() << ", fuel " << ship.getFuel()
                << ", " << crew.getCrewOnShip().size() << " aboard)" << std::endl;
            return true;
        }
        out << "session: FAILED " << path << " (the lines above say why)" << std::endl;
        // What the title's continue does then: the newest backup that loads.
        for (int number = 1; number <= SaveBackups::kept; ++number) {
            const std::string backup = SaveBackups::backupPath(path, number);
            if (!std::filesystem::exists(backup))
                continue;
            std::string fog = SaveBackups::backupPath(store.fogFile(), number);
            if (!std::filesystem::exists(fog))
                fog = store.fogFile();
            if (loads(backup, fog)) {
                out << "session: the backup " << backup << " loads instead" << std::endl;
                return false;
            }
            out << "session: the backup " << backup << " does not load either" << std::endl;
        }
        return false;
    } catch (const std::exception& failure) {
        out << "session: FAILED " << path << ": " << failure.what() << std::endl;
        return false;
    }
}

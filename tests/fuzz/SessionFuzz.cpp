// libFuzzer entry for "sessionSave.json": whatever the file holds, continuing must not stop the
// program, and a file that loads saves a run that loads again and then saves the same text
// (the first save may differ: the writer turns bytes that are not UTF-8 into U+FFFD).

#include "fuzz/FuzzSupport.hpp"
#include "crew/CharacterManager.hpp"
#include "missions/MissionManager.hpp"
#include "persistence/PlayerStats.hpp"
#include "persistence/SessionStore.hpp"
#include "world/Sector.hpp"
#include "world/Ship.hpp"
#include "world/ShipContext.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// The ship's surroundings without a game.
class QuietShipContext : public ShipContext {
public:
    PlayerStats& playerStats() override { return stats; }
    std::int32_t livingCrewCount() override { return 4; }
    std::string currentMissionName() override { return {}; }
    bool foodCheat() override { return false; }
    std::int32_t difficulty() override { return 6; }
    void raiseJumpFlash() override {}
    void keepThrustersPlaying() override {}
    void stopThrusters() override {}
    void playJumpSound() override {}
    PlayerStats stats;
};

// One run's objects over empty assets, kept until the process ends (their destructors would
// write to a log that is gone by then).
struct Run {
    Run()
    {
        const std::string assets = fuzzFolder() + "/assets/";
        std::filesystem::create_directories(assets + "char");
        crew = new CharacterManager({assets, fuzzFolder() + "/mods/", fuzzFolder() + "/charImages/"});
        missions = new MissionManager(nullptr, assets);
        ship = new Ship(context);
        sector = new Sector(*missions, *ship, 3, 3, FogOfWar::Mode::Shaded);
        store = new SessionStore(*crew, *missions, *sector, *ship);
        std::ofstream(SessionStore::fogPath(), std::ios::trunc) << "";
    }
    QuietShipContext context;
    CharacterManager* crew;
    MissionManager* missions;
    Ship* ship;
    Sector* sector;
    SessionStore* store;
};

Run& run()
{
    static Run* instance = new Run();
    return *instance;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzFolder();
    SessionStore& store = *run().store;
    if (!store.loadText(std::string(reinterpret_cast<const char*>(data), size)))
        return 0;
    const SessionSnapshot first = store.capture();
    if (!store.loadText(first.sessionText))
        std::abort();
    const SessionSnapshot second = store.capture();
    if (!store.loadText(second.sessionText) || store.capture().sessionText != second.sessionText)
        std::abort();
    return 0;
}

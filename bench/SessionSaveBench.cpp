// A session save and load of a run over the crew fixtures and a generated sector, each beside
// its floor in the same run:
// - SessionSave (capture on the main thread, then write both files with their backups) vs
//   SessionSaveFloor (the same two texts written with writeFileAtomically and nothing else:
//   what any crash-safe save of those bytes costs);
// - SessionLoad vs SessionLoadFloor (reading and parsing the same file as JSON, without
//   handing the members to their owners).
// The files go to a private folder under /tmp; the disk's flush is part of the figure.
#include "core/FileUtils.hpp"
#include "core/JsonRead.hpp"
#include "crew/CharacterManager.hpp"
#include "missions/MissionManager.hpp"
#include "persistence/AtomicFile.hpp"
#include "persistence/SessionStore.hpp"
#include "support/FakeShipContext.hpp"
#include "world/Sector.hpp"
#include "world/Ship.hpp"

#include <benchmark/benchmark.h>

#include <json/value.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

// One run in memory, saved under a private folder.
class Run {
public:
    Run()
    {
        char pattern[] = "/tmp/qv-bench-XXXXXX";
        folder_ = mkdtemp(pattern);
        folder_ += "/";
        const std::string fixtures = std::string(QV_SOURCE_DIR) + "/tests/fixtures/";
        crew = std::make_unique<CharacterManager>(
            CharacterManager::Folders{fixtures + "crew/assets/", fixtures + "crew/mods/", "/nonexistent/"});
        missions = std::make_unique<MissionManager>(nullptr, fixtures + "front-run/");
        missions->resetRunLists(MissionManager::medium);
        crew->resetCrew();
        sector = std::make_unique<Sector>(*missions, ship, 3, 3, FogOfWar::Mode::Shaded);
        sector->generateSector(81, false);
        ship.travelTo(400.f, 200.f);
        for (int step = 0; step < 60; ++step)
            sector->update(50000);
        store = std::make_unique<SessionStore>(*crew, *missions, *sector, ship, folder_);
    }
    ~Run()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    std::string folder_;
    std::unique_ptr<CharacterManager> crew;
    std::unique_ptr<MissionManager> missions;
    FakeShipContext context;
    Ship ship { context };
    std::unique_ptr<Sector> sector;
    std::unique_ptr<SessionStore> store;
};

void SessionSave(benchmark::State& state)
{
    Run run;
    for (auto _ : state)
        if (!run.store->save())
            state.SkipWithError("the save failed");
    state.counters["bytes"] = static_cast<double>(run.store->capture().sessionText.size());
}
BENCHMARK(SessionSave)->Unit(benchmark::kMillisecond);

void SessionSaveFloor(benchmark::State& state)
{
    Run run;
    const SessionSnapshot snapshot = run.store->capture();
    for (auto _ : state)
        if (!writeFileAtomically(snapshot.fogPath, snapshot.fogText)
            || !writeFileAtomically(snapshot.sessionPath, snapshot.sessionText))
            state.SkipWithError("the write failed");
}
BENCHMARK(SessionSaveFloor)->Unit(benchmark::kMillisecond);

void SessionLoad(benchmark::State& state)
{
    Run run;
    run.store->save();
    for (auto _ : state)
        if (!run.store->load())
            state.SkipWithError("the load failed");
}
BENCHMARK(SessionLoad)->Unit(benchmark::kMillisecond);

void SessionLoadFloor(benchmark::State& state)
{
    Run run;
    run.store->save();
    for (auto _ : state) {
        std::string text;
        std::string errors;
        Json::Value root;
        if (!readWholeFile(run.store->sessionFile(), text) || !parseJsonText(text, root, errors))
            state.SkipWithError("the read failed");
        benchmark::DoNotOptimize(root);
    }
}
BENCHMARK(SessionLoadFloor)->Unit(benchmark::kMillisecond);

} // namespace

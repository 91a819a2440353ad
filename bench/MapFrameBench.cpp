// One frame of the sector map while the ship travels, drawn into an off-screen 1280 x 720
// picture, with the fog shader and without:
// - MapScreenFrameWhileTravelling: the game's own map — the fixed steps a 30 fps frame pays
//   out (sector update with the fog reveal, the map screen's step), then the MapScreen's draw
//   (the map kept at 640 x 360 and scaled once, the interface on top);
// - MapSceneFrameWhileTravelling: the map's pieces drawn straight at the window's resolution,
//   every frame, for comparison.
// Besides the mean, each run reports the median and the worst frame, of the wall clock
// ("median_ms", "worst_ms") and of the main thread's own CPU time ("cpu_median_ms",
// "cpu_worst_ms"). The GPU's work is waited for in every frame, so with Mesa's software
// renderer the drawing is measured too. The first frame, which builds the sector's pictures,
// is drawn before timing starts; MapScreenNewSector times that alone.
// Needs the generated assets (build/assets) and a display (the benchmark starts its own Xvfb).
#include "audio/AudioManager.hpp"
#include "missions/MissionManager.hpp"
#include "world/MapScreen.hpp"
#include "support/FakeAudio.hpp"
#include "support/MapScene.hpp"
#include "support/QuietUiHost.hpp"
#include "support/WorldFixtures.hpp"
#include "support/XDisplay.hpp"
#include "ui/TextManager.hpp"
#include "ui/TextureManager.hpp"
#include "ui/UiHost.hpp"
#include "world/Sector.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/OpenGL.hpp>
#include <SFML/Window/Context.hpp>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <vector>

namespace {

const std::string assets = std::string(QV_ASSETS_DIR) + "/";

// A round trip over the map that crosses asteroid fields and turns at each end.
const std::array<sf::Vector2f, 4> route = {{{560.f, 300.f}, {80.f, 300.f}, {560.f, 60.f}, {80.f, 60.f}}};

double threadCpuMilliseconds()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The display, the toolkit singletons over the generated assets, and the 1280 x 720 picture
// looked at through the 640 x 360 view, as the game's window is.
class Stage {
    // Before any member: even an empty texture opens the display. One OpenGL context stays for
    // the whole run: when the last one goes, SFML closes its display connection, and opening
    // it again right away now and then fails. The log of the set-up goes to a private user
    // folder.
    struct Display {
        Display()
        {
            ensureDisplay();
            static sf::Context keptOpen;
            setenv("XDG_DATA_HOME", (std::filesystem::temp_directory_path() / "qv-map-bench").c_str(), 1);
        }
    } display_;

public:
    Stage()
    {
        UiHost::install(&host_);
        TextManager::get().setScale(2.f);
        TextureManager::resetForTests(assets, true);
        AudioManager::install(std::make_unique<AudioManager>(
            std::make_unique<FakeAudioBackend>(std::make_shared<FakeAudioBackend::Books>()), assets));
        ready_ = frame.create(1280, 720);
        frame.setView(sf::View(sf::FloatRect(0.f, 0.f, 640.f, 360.f)));
    }
    ~Stage()
    {
        AudioManager::destroy();
        TextureManager::destroy();
        TextManager::destroy();
        UiHost::install(nullptr);
    }
    // False (and the run skipped) without a render texture.
    bool ready(benchmark::State& state) const
    {
        if (!ready_)
            state.SkipWithError("no render texture");
        return ready_;
    }

    // Times `work` and waits for the GPU.
    void time(const std::function<void()>& work)
    {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = threadCpuMilliseconds();
        work();
        frame.display();
        glFinish();
        cpu_.push_back(threadCpuMilliseconds() - cpuStart);
        wall_.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    void report(benchmark::State& state)
    {
        if (wall_.empty())
            return;
        std::sort(wall_.begin(), wall_.end());
        std::sort(cpu_.begin(), cpu_.end());
        state.counters["median_ms"] = wall_[wall_.size() / 2];
        state.counters["worst_ms"] = wall_.back();
        state.counters["cpu_median_ms"] = cpu_[cpu_.size() / 2];
        state.counters["cpu_worst_ms"] = cpu_.back();
    }

    sf::RenderTexture frame;

private:
    QuietUiHost host_ {sf::View(sf::FloatRect(0.f, 0.f, 1280.f, 720.f))};
    bool ready_ = false;
    std::vector<double> wall_;
    std::vector<double> cpu_;
};

// The game's map over the test missions: the map screen with its ship, and a sector of seed 2.
struct GameMap {
    explicit GameMap(bool shaders)
        : missions(nullptr, assets)
        , screen(assets, shaders)
        , sector(missions, screen.ship(), screen.pictures().asteroidBackgrounds.size(),
                 screen.pictures().asteroidForegrounds.size(), screen.fogMode())
    {
        FixtureRunLists::full().copyInto(missions);
        screen.setMissionManager(&missions);
        screen.attachSector(&sector);
        sector.generateSector(2, false);
        screen.ship().adjustFuel(1000000);
        screen.ship().adjustFood(1000000);
        screen.sync();
    }
    ~GameMap() { screen.attachSector(nullptr); }

    MissionManager missions;
    MapScreen screen;
    Sector sector;
};

void MapScreenFrameWhileTravelling(benchmark::State& state)
{
    Stage stage;
    if (!stage.ready(state))
        return;
    {
        const bool shaders = state.range(0) != 0;
        GameMap map(shaders);
        if (shaders && map.screen.fogMode() != FogOfWar::Mode::Shaded) {
            state.SkipWithError("no shaders here");
            return;
        }
        Ship& ship = map.screen.ship();
        map.screen.draw(stage.frame);
        // The game's pace: a frame every 1/30 s, a fixed step every 0.05 s.
        const std::int64_t frameMicroseconds = 33333, stepMicroseconds = 50000;
        std::int64_t owed = 0;
        std::size_t leg = 0;
        for (auto _ : state) {
            stage.time([&] {
                if (!ship.isMoving() && !ship.isTurning()) {
                    map.sector.clickMap(route[leg].x, route[leg].y);
                    leg = (leg + 1) % route.size();
                }
                for (owed += frameMicroseconds; owed >= stepMicroseconds; owed -= stepMicroseconds) {
                    map.sector.update(stepMicroseconds);
                    map.screen.fixedStep(false, false);
                }
                stage.frame.clear();
                map.screen.draw(stage.frame);
            });
        }
    }
    stage.report(state);
}
BENCHMARK(MapScreenFrameWhileTravelling)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(600);

void MapScreenNewSector(benchmark::State& state)
{
    Stage stage;
    if (!stage.ready(state))
        return;
    {
        GameMap map(state.range(0) != 0);
        map.screen.draw(stage.frame);
        std::uint32_t seed = 3;
        for (auto _ : state) {
            stage.time([&] {
                map.sector.generateSector(seed++, false);
                map.screen.sync();
                stage.frame.clear();
                map.screen.draw(stage.frame);
            });
        }
    }
    stage.report(state);
}
BENCHMARK(MapScreenNewSector)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(30);

void MapSceneFrameWhileTravelling(benchmark::State& state)
{
    Stage stage;
    if (!stage.ready(state))
        return;
    {
        const bool shaders = state.range(0) != 0;
        MapScene scene(assets, shaders, 2);
        if (shaders && !scene.fogShader.ready()) {
            state.SkipWithError("no shaders here");
            return;
        }
        scene.ship.adjustFuel(1000000);
        std::size_t leg = 0;
        for (auto _ : state) {
            stage.time([&] {
                if (!scene.ship.isMoving() && !scene.ship.isTurning()) {
                    scene.ship.travelTo(route[leg].x, route[leg].y);
                    leg = (leg + 1) % route.size();
                }
                scene.sector.update(33333);
                stage.frame.clear();
                scene.draw(stage.frame);
            });
        }
    }
    stage.report(state);
}
BENCHMARK(MapSceneFrameWhileTravelling)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(600);

} // namespace

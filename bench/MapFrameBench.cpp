// One frame of the sector map while the ship travels: the sector's update (the ship flies and
// turns, the fog clears around it, asteroid fields slow it) and the whole map drawn into an
// off-screen 1280 x 720 picture, with the fog shader and without. Besides the mean, each run
// reports the median and the worst frame ("median_ms", "worst_ms"); the GPU's work is waited
// for in every frame, so with Mesa's software renderer the drawing is measured too.
// Needs the generated assets (build/assets) and a display (the benchmark starts its own Xvfb).
#include "support/MapScene.hpp"
#include "support/QuietUiHost.hpp"
#include "support/XDisplay.hpp"
#include "ui/TextManager.hpp"
#include "ui/TextureManager.hpp"
#include "ui/UiHost.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/OpenGL.hpp>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

void MapFrameWhileTravelling(benchmark::State& state)
{
    ensureDisplay();
    // The log of the set-up goes to a private user folder.
    const auto home = std::filesystem::temp_directory_path() / "qv-map-bench";
    setenv("XDG_DATA_HOME", home.c_str(), 1);
    const sf::View pixelView(sf::FloatRect(0.f, 0.f, 1280.f, 720.f));
    QuietUiHost host(pixelView);
    UiHost::install(&host);
    TextManager::get().setScale(2.f);
    TextureManager::resetForTests(std::string(QV_ASSETS_DIR) + "/", false);
    std::vector<double> frames;
    {
        sf::RenderTexture frame;
        if (!frame.create(1280, 720)) {
            state.SkipWithError("no render texture");
            return;
        }
        frame.setView(sf::View(sf::FloatRect(0.f, 0.f, 640.f, 360.f)));
        const bool shaders = state.range(0) != 0;
        MapScene scene(std::string(QV_ASSETS_DIR) + "/", shaders, 2);
        if (shaders && !scene.fogShader.ready()) {
            state.SkipWithError("no shaders here");
            return;
        }
        scene.ship.adjustFuel(1000000);
        // A round trip over the map that crosses asteroid fields and turns at each end.
        const std::array<sf::Vector2f, 4> route = {{{560.f, 300.f}, {80.f, 300.f}, {560.f, 60.f}, {80.f, 60.f}}};
        std::size_t leg = 0;
        for (auto _ : state) {
            const auto start = std::chrono::steady_clock::now();
            if (!scene.ship.isMoving() && !scene.ship.isTurning()) {
                scene.ship.travelTo(route[leg].x, route[leg].y);
                leg = (leg + 1) % route.size();
            }
            scene.sector.update(33333);
            frame.clear();
            scene.draw(frame);
            frame.display();
            glFinish();
            frames.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
    }
    std::sort(frames.begin(), frames.end());
    state.counters["median_ms"] = frames[frames.size() / 2];
    state.counters["worst_ms"] = frames.back();
    TextureManager::destroy();
    TextManager::destroy();
    UiHost::install(nullptr);
}
BENCHMARK(MapFrameWhileTravelling)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(600);

} // namespace

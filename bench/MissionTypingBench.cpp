// The mission screen typing a long text (a dozen paragraphs of 60 words, ten words a second,
// a frame every 1/30 s): update and draw into an off-screen 1280 x 720 picture seen through
// the 640 x 360 view, with the GPU waited for each frame — beside its floor, TypedTextFloor:
// the same words as one sf::Text in the game font, grown by the same number of characters
// each frame and drawn into the same picture. Both report the median and worst frame of the
// wall clock ("median_ms", "worst_ms").
// Needs the generated assets (build/assets) and a display (the benchmark starts its own Xvfb).
#include "audio/AudioManager.hpp"
#include "missions/MissionManager.hpp"
#include "missions/MissionScreen.hpp"
#include "persistence/FontStore.hpp"
#include "support/FakeAudio.hpp"
#include "support/QuietUiHost.hpp"
#include "support/XDisplay.hpp"
#include "ui/TextManager.hpp"
#include "ui/TextureManager.hpp"
#include "ui/UiHost.hpp"

#include <SFML/Graphics.hpp>
#include <SFML/OpenGL.hpp>
#include <SFML/Window/Context.hpp>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

const std::string assets = std::string(QV_ASSETS_DIR) + "/";

std::string paragraph(int number)
{
    std::string text = "Paragraph " + std::to_string(number) + ":";
    for (int word = 0; word < 60; ++word)
        text += word % 7 == 0 ? " hull" : word % 3 == 0 ? " vesperine" : " signal";
    return text;
}

class TypingStage {
    struct Display {
        Display()
        {
            ensureDisplay();
            static sf::Context keptOpen;
            setenv("XDG_DATA_HOME", (std::filesystem::temp_directory_path() / "qv-typing-bench").c_str(), 1);
        }
    } display_;

public:
    TypingStage()
    {
        UiHost::install(&host_);
        // The game font from the generated assets (the benchmark does not sit beside them).
        FontStore::install(std::make_unique<FontStore>(assets + "fonts/"));
        TextManager::get().setScale(2.f);
        TextureManager::resetForTests(assets, true);
        AudioManager::install(std::make_unique<AudioManager>(
            std::make_unique<FakeAudioBackend>(std::make_shared<FakeAudioBackend::Books>()), assets));
        ready_ = frame.create(1280, 720);
        frame.setView(sf::View(sf::FloatRect(0.f, 0.f, 640.f, 360.f)));
    }
    ~TypingStage()
    {
        AudioManager::destroy();
        TextureManager::destroy();
        TextManager::destroy();
        FontStore::destroy();
        UiHost::install(nullptr);
    }
    bool ready(benchmark::State& state) const
    {
        if (!ready_)
            state.SkipWithError("no render texture");
        return ready_;
    }
    template <typename Work>
    void time(Work work)
    {
        const auto start = std::chrono::steady_clock::now();
        work();
        frame.display();
        glFinish();
        wall_.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    void report(benchmark::State& state)
    {
        if (wall_.empty())
            return;
        std::sort(wall_.begin(), wall_.end());
        state.counters["median_ms"] = wall_[wall_.size() / 2];
        state.counters["worst_ms"] = wall_.back();
    }

    sf::RenderTexture frame;

private:
    QuietUiHost host_ {sf::View(sf::FloatRect(0.f, 0.f, 1280.f, 720.f))};
    bool ready_ = false;
    std::vector<double> wall_;
};

constexpr int paragraphs = 12;
constexpr double frameSeconds = 1.0 / 30.0;

void MissionScreenTypingLongText(benchmark::State& state)
{
    TypingStage stage;
    if (!stage.ready(state))
        return;
    {
        MissionManager missions(nullptr, assets);
        missions.resetForMission();
        MissionScreen screen(missions);
        screen.settingsSource = [] {
            MissionScreen::TextSettings settings;
            settings.wordsPerSecond = 10;
            return settings;
        };
        for (int number = 0; number < paragraphs; ++number)
            missions.addMessage(paragraph(number));
        double now = 0.0;
        screen.open(now);
        for (auto _ : state) {
            stage.time([&] {
                now += frameSeconds;
                screen.update(now);
                stage.frame.clear();
                screen.draw(stage.frame);
            });
        }
    }
    stage.report(state);
}
BENCHMARK(MissionScreenTypingLongText)->Unit(benchmark::kMillisecond)->Iterations(600);

void TypedTextFloor(benchmark::State& state)
{
    TypingStage stage;
    if (!stage.ready(state))
        return;
    std::string all;
    for (int number = 0; number < paragraphs; ++number)
        all += paragraph(number) + "\n";
    sf::Text text("", FontStore::get().gameFont, 16);
    text.setFillColor(sf::Color::Green);
    // Ten words a second at about eight characters each, as the screen types them.
    const double charactersPerFrame = 10.0 * 8.0 * frameSeconds;
    double shown = 0.0;
    for (auto _ : state) {
        stage.time([&] {
            shown += charactersPerFrame;
            text.setString(all.substr(0, std::min(all.size(), static_cast<std::size_t>(shown))));
            stage.frame.clear();
            stage.frame.draw(text);
        });
    }
    stage.report(state);
}
BENCHMARK(TypedTextFloor)->Unit(benchmark::kMillisecond)->Iterations(600);

} // namespace

// The main loop's own cost per frame, without any screen: the state switch check, the audio
// update with a playing track and a few effects, the fixed step with its delayed actions and
// the bookkeeping between phases. Time is stepped by hand at 30 frames per second, so only
// the work is measured, never the sleep.
#include "../tests/support/FakeAudio.hpp"
#include "../tests/support/ManualTimeSource.hpp"

#include "audio/AudioManager.hpp"
#include "core/FrameLoop.hpp"
#include "core/StateManager.hpp"
#include "core/TimedActions.hpp"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

namespace {

class BareGamePhases : public LoopPhases {
public:
    BareGamePhases(AudioManager& audio, TimedActions& actions)
        : audio_(audio)
        , actions_(actions)
    {
    }
    void updateAudio(float dt) override { audio_.update(dt); }
    void enterState() override {}
    void fixedStep() override { actions_.fire(); }
    bool handleInput() override { return false; }
    void draw() override {}
    void rest(sf::Time) override {}

private:
    AudioManager& audio_;
    TimedActions& actions_;
};

} // namespace

static void BM_FrameWithoutScreens(benchmark::State& state)
{
    StateManager::destroy();
    StateManager::get().current = GameState::Map;
    StateManager::get().requested = GameState::Map;
    namespace fs = std::filesystem;
    fs::path assets = fs::temp_directory_path() / "qv-loop-bench/";
    fs::create_directories(assets / "sounds/effects");
    std::ofstream(assets / "sounds/effects/button_click.wav").put('\n');
    auto books = std::make_shared<FakeAudioBackend::Books>();
    AudioManager audio(std::make_unique<FakeAudioBackend>(books), assets.string());
    audio.playMusic(false, assets.string() + "sounds/music/a.ogg", 0.f, 0.f);
    ManualTimeSource time;
    TimedActions actions(time);
    BareGamePhases phases(audio, actions);
    FrameLoop loop(phases, time);
    loop.start();
    const sf::Time frame = sf::microseconds(33333);
    int n = 0;
    for (auto _ : state) {
        // A steady trickle of delayed actions and effects, as a busy screen would cause.
        if (++n % 10 == 0) {
            for (auto& voice : books->voices) // the previous effect has finished by now
                voice->playing = false;
            books->voices.clear();
            actions.add([] {}, sf::milliseconds(200));
            audio.playSound("button_click.wav");
        }
        time.advance(frame);
        loop.frame();
    }
    StateManager::destroy();
    fs::remove_all(assets);
}
BENCHMARK(BM_FrameWithoutScreens);

#include "core/FrameLoop.hpp"

#include "audio/AudioManager.hpp"
#include "core/Logger.hpp"
#include "core/StateManager.hpp"
#include "persistence/FontStore.hpp"
#include "persistence/Options.hpp"
#include "support/FakeAudio.hpp"
#include "support/LogCapture.hpp"
#include "support/ManualTimeSource.hpp"
#include "support/TempUserHome.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <sstream>
#include <vector>

namespace {

// Records what the loop asked for, in order, and lets a test act inside a phase.
class RecordingPhases : public LoopPhases {
public:
    void updateAudio(float dt) override { audioDts.push_back(dt); }
    void enterState() override
    {
        entered.push_back(StateManager::get().getState());
        if (onEnter)
            onEnter();
    }
    void fixedStep() override
    {
        ++steps;
        if (onStep)
            onStep();
    }
    bool handleInput() override
    {
        ++inputs;
        if (onInput)
            onInput();
        return eventsEachFrame;
    }
    bool pictureIsStill() const override { return still; }
    void draw() override
    {
        drawnStates.push_back(StateManager::get().getState());
        if (onDraw)
            onDraw();
    }
    void rest(sf::Time idle) override { idles.push_back(idle); }

    bool eventsEachFrame = false;
    bool still = false;
    std::vector<sf::Time> idles;
    std::vector<float> audioDts;
    std::vector<GameState> entered;
    std::vector<GameState> drawnStates;
    int steps = 0;
    int inputs = 0;
    std::function<void()> onEnter, onStep, onInput, onDraw;
};

class FrameLoopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Logger::resetForTests();
        StateManager::destroy();
        books = std::make_shared<FakeAudioBackend::Books>();
        AudioManager::install(std::make_unique<AudioManager>(std::make_unique<FakeAudioBackend>(books),
                                                             home.root() + "/none/"));
        DisplayModes display;
        display.desktop = sf::VideoMode(1280, 720);
        display.fullscreenModes.emplace_back(1280, 720, 32);
        Options::install(std::make_unique<Options>(display));
        loop.start();
    }
    void TearDown() override
    {
        StateManager::destroy();
        Options::destroy();
        FontStore::destroy();
        AudioManager::destroy();
        Logger::resetForTests();
    }

    // One frame that began `seconds` after the previous one.
    void frameAfter(float seconds)
    {
        time.advance(sf::seconds(seconds));
        loop.frame();
    }
    static std::string logText() { return loggedText(); }

    TempUserHome home;
    std::shared_ptr<FakeAudioBackend::Books> books;
    ManualTimeSource time;
    RecordingPhases phases;
    FrameLoop loop{phases, time};
};

} // namespace

TEST_F(FrameLoopTest, FixedStepsPayOutTheFrameTimeInTwentiethsOfASecond)
{
    struct Case {
        std::vector<float> frames;
        std::vector<int> stepsAfterEach;
    };
    for (const Case& c : std::vector<Case>{
             {{0.2f}, {4}},
             {{0.03f, 0.03f}, {0, 1}},
             {{0.05f, 0.049f, 0.001f}, {1, 1, 2}},
             {{0.034f, 0.034f, 0.034f}, {0, 1, 2}},
         }) {
        RecordingPhases counted;
        FrameLoop fresh(counted, time);
        fresh.start();
        for (std::size_t i = 0; i < c.frames.size(); ++i) {
            time.advance(sf::seconds(c.frames[i]));
            fresh.frame();
            EXPECT_EQ(counted.steps, c.stepsAfterEach[i]) << "frame " << i << " of " << c.frames.size();
        }
        EXPECT_LT(fresh.accumulator(), fresh.fixedStepLength());
    }
}

TEST_F(FrameLoopTest, AudioIsFedWholeMillisecondsSinceItsLastUpdate)
{
    frameAfter(0.0337f);
    frameAfter(0.2f);
    ASSERT_EQ(phases.audioDts.size(), 2u);
    EXPECT_FLOAT_EQ(phases.audioDts[0], 0.033f);
    EXPECT_FLOAT_EQ(phases.audioDts[1], 0.2f);
}

TEST_F(FrameLoopTest, TheLastRequestInAFrameWinsAndItsEnterStepRunsOnce)
{
    StateManager& states = StateManager::get();
    states.changeState(GameState::CrewSelect, true, false);
    states.changeState(GameState::Credits, false, false);
    frameAfter(0.05f);
    EXPECT_EQ(states.getState(), GameState::Credits);
    EXPECT_TRUE(phases.entered.empty());

    states.changeState(GameState::Options, false, false);
    states.changeState(GameState::Map, true, false);
    frameAfter(0.05f);
    EXPECT_EQ(states.getState(), GameState::Map);
    EXPECT_EQ(phases.entered, std::vector<GameState>{GameState::Map});
    frameAfter(0.05f);
    EXPECT_EQ(phases.entered.size(), 1u);
}

TEST_F(FrameLoopTest, ARequestDuringInputSkipsThatFramesDrawAndAppliesNextFrame)
{
    StateManager& states = StateManager::get();
    phases.onInput = [&] {
        if (phases.inputs == 1)
            states.changeState(GameState::Achievements, true, false);
    };
    frameAfter(0.05f);
    EXPECT_TRUE(phases.drawnStates.empty());
    EXPECT_EQ(states.getState(), GameState::Boot);

    frameAfter(0.1f);
    EXPECT_EQ(states.getState(), GameState::Achievements);
    EXPECT_EQ(phases.entered, std::vector<GameState>{GameState::Achievements});
    EXPECT_EQ(phases.drawnStates, std::vector<GameState>{GameState::Achievements});
    EXPECT_EQ(phases.steps, 1 + 2); // the first frame's step ran before the request
}

TEST_F(FrameLoopTest, ARequestDuringAFixedStepSkipsTheFramesRemainingSteps)
{
    phases.onStep = [&] {
        if (phases.steps == 1)
            StateManager::get().changeState(GameState::Credits, false, false);
    };
    frameAfter(0.2f);
    EXPECT_EQ(phases.steps, 1);
    EXPECT_EQ(phases.inputs, 0);
    EXPECT_LT(loop.accumulator(), loop.fixedStepLength()); // the time is spent, not carried
}

TEST_F(FrameLoopTest, HoldDrawKeepsTheOldPictureForAQuarterSecond)
{
    StateManager& states = StateManager::get();
    states.current = GameState::Title;
    states.requested = GameState::Title;
    phases.onDraw = [&] { time.advance(sf::milliseconds(100)); };
    states.changeState(GameState::Credits, true, true);
    frameAfter(0.034f);
    // Three held pictures of the title (at 0, 0.1 and 0.2 s), then the credits' first frame.
    EXPECT_EQ(phases.drawnStates, (std::vector<GameState>{GameState::Title, GameState::Title, GameState::Title,
                                                          GameState::Credits}));
    EXPECT_EQ(states.getState(), GameState::Credits);
    EXPECT_NE(logText().find("Draw, isSwitchingStates took: 300"), std::string::npos);
}

// Screens change in fixed steps and events only: a frame with neither shows the last picture
// again and is not drawn; a still screen is drawn for its steps only shortly after an event;
// a quarter second never passes without a drawn frame.
TEST_F(FrameLoopTest, AFrameIsDrawnOnlyWhenItsPictureCanDiffer)
{
    StateManager& states = StateManager::get();
    states.current = GameState::Map;
    states.requested = GameState::Map;
    // 30 frames a second, 20 steps: the frames without a step are skipped.
    std::vector<bool> drawn;
    for (int frame = 0; frame < 6; ++frame) {
        const std::size_t before = phases.drawnStates.size();
        const int steps = phases.steps;
        frameAfter(0.034f);
        drawn.push_back(phases.drawnStates.size() > before);
        EXPECT_EQ(drawn.back(), phases.steps > steps) << "frame " << frame;
    }
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), true), 4);
    // A skipped frame rests for the frame's length instead of the window's limit.
    EXPECT_EQ(phases.idles.front(), sf::milliseconds(FrameLoop::frameMilliseconds));

    // A still screen: stepped frames are drawn for half a second after an event, then only
    // every quarter second.
    phases.still = true;
    phases.eventsEachFrame = true;
    frameAfter(0.034f);
    phases.eventsEachFrame = false;
    std::size_t before = phases.drawnStates.size();
    for (int frame = 0; frame < 12; ++frame) // 0.4 s
        frameAfter(0.034f);
    EXPECT_EQ(phases.drawnStates.size() - before, 8u);
    before = phases.drawnStates.size();
    for (int frame = 0; frame < 30; ++frame) // one second
        frameAfter(0.034f);
    EXPECT_GE(phases.drawnStates.size() - before, 3u);
    EXPECT_LE(phases.drawnStates.size() - before, 5u);

    // An event or the saving indicator draws the frame whatever the screen.
    phases.eventsEachFrame = true;
    before = phases.drawnStates.size();
    frameAfter(0.001f);
    EXPECT_EQ(phases.drawnStates.size(), before + 1);
    phases.eventsEachFrame = false;
    loop.savingIndicator().start();
    frameAfter(0.001f);
    EXPECT_EQ(phases.drawnStates.size(), before + 2);
}

TEST_F(FrameLoopTest, SlowPhasesAreLoggedWithTheirDuration)
{
    phases.onStep = [&] { time.advance(sf::milliseconds(150)); };
    frameAfter(0.05f);
    EXPECT_NE(logText().find("fixedStep took: 150"), std::string::npos);
    EXPECT_EQ(logText().find("draw took"), std::string::npos);
}

TEST_F(FrameLoopTest, SavingIndicatorShowsItsTwentyFiveFramesOnceAfterASave)
{
    SavingIndicator& saving = loop.savingIndicator();
    frameAfter(0.2f);
    EXPECT_FALSE(saving.isShowing());

    saving.start();
    EXPECT_TRUE(saving.isShowing());
    EXPECT_EQ(saving.currentFrame(), 0);
    // A long frame still advances the animation by one frame only.
    frameAfter(1.0f);
    EXPECT_EQ(saving.currentFrame(), 1);
    for (int frame = 2; frame <= SavingIndicator::frameCount; ++frame) {
        frameAfter(0.11f);
        EXPECT_EQ(saving.currentFrame(), frame);
    }
    EXPECT_FALSE(saving.isShowing());
    frameAfter(0.11f);
    EXPECT_EQ(saving.currentFrame(), SavingIndicator::frameCount);
}

TEST_F(FrameLoopTest, StateRequestsChangeTheMusicAndRememberWhereOptionsReturn)
{
    StateManager& states = StateManager::get();
    AudioManager& audio = AudioManager::get();
    phases.onDraw = [&] { time.advance(sf::milliseconds(30)); }; // lets held pictures pass
    states.changeState(GameState::Title, true, false);
    auto title = books->last("MainMenu.ogg");
    ASSERT_TRUE(title);
    EXPECT_FLOAT_EQ(audio.tracks().back()->fadeDuration, 10.f);
    frameAfter(0.05f);

    // Options from the title: the title music goes on, and coming back keeps it.
    states.changeState(GameState::Options, true, true);
    EXPECT_EQ(Options::get().returnState, GameState::Title);
    frameAfter(0.05f);
    states.changeState(GameState::Title, true, true);
    EXPECT_EQ(books->last("MainMenu.ogg"), title);
    EXPECT_FALSE(title->destroyed);
    frameAfter(0.05f);

    states.changeState(GameState::Map, true, false);
    EXPECT_TRUE(books->last("space_1.wav")->playing);
    frameAfter(0.05f);

    // Deeds, then options, from the pause menu over the map: both lead back to the map.
    states.changeState(GameState::Achievements, true, false);
    frameAfter(0.05f);
    states.changeState(GameState::Options, true, false);
    EXPECT_EQ(Options::get().returnState, GameState::Map);
    frameAfter(0.05f);
    states.changeState(GameState::Achievements, true, false);
    EXPECT_EQ(Options::get().returnState, GameState::Map);
    states.current = GameState::Map;

    states.changeState(GameState::Credits, true, true);
    EXPECT_TRUE(audio.tracks().front()->fadingOut);
    const MusicTrack& credits = *audio.tracks().back();
    EXPECT_TRUE(FakeAudioBackend::Books::endsWith(credits.name, "sounds/music/VEZIREZAVIDUDA.ogg"));
    EXPECT_FLOAT_EQ(credits.playTime, 70.f);
    EXPECT_FLOAT_EQ(books->last("VEZIREZAVIDUDA.ogg")->offset, 70.f);

    // Back to the title from anywhere else starts the title music over.
    states.current = GameState::Credits;
    states.changeState(GameState::Title, true, true);
    EXPECT_TRUE(title->destroyed);
    EXPECT_EQ(audio.tracks().size(), 1u);
}

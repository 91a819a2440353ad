#include "core/FrameLoop.hpp"

#include "core/Logger.hpp"
#include "core/StateManager.hpp"

FrameLoop::FrameLoop(LoopPhases& phases, const TimeSource& time)
    : phases_(phases)
    , time_(time)
    , frameClock_(time)
    , phaseClock_(time)
    , audioClock_(time)
{
}

void FrameLoop::start()
{
    frameClock_.restart();
    audioClock_.restart();
}

void FrameLoop::logIfSlow(const char* what)
{
    sf::Time took = phaseClock_.elapsed();
    if (took > sf::milliseconds(100))
        QV_LOG << what << took.asMilliseconds() << std::endl;
}

void FrameLoop::frame()
{
    StateManager& states = StateManager::get();

    phaseClock_.restart();
    float audioDt = static_cast<float>(audioClock_.elapsed().asMilliseconds()) / 1000.f;
    phases_.updateAudio(audioDt);
    audioClock_.restart();

    if (states.isSwitchingStates && states.holdDrawOnSwitch) {
        // Keep showing the state being left; events wait until the switch is done.
        Stopwatch hold(time_);
        while (hold.elapsed() < sf::seconds(holdSeconds)) {
            phases_.draw();
            Logger::flush();
        }
    }
    states.applyRequested();
    logIfSlow("Draw, isSwitchingStates took: ");

    if (states.switchPending) {
        // Cleared first, so a state requested from inside the enter step keeps its own setup flag.
        states.switchPending = false;
        phases_.enterState();
        Logger::flush();
    }

    accumulator_ += frameClock_.restart();
    savingIndicator_.advance(accumulator_);

    phaseClock_.restart();
    while (accumulator_ >= fixedStepLength_) {
        accumulator_ -= fixedStepLength_;
        if (!states.isSwitchingStates) {
            phases_.fixedStep();
            Logger::flush();
        }
    }
    logIfSlow("fixedStep took: ");

    phaseClock_.restart();
    if (!states.isSwitchingStates) {
        phases_.handleInput();
        logIfSlow("handleInput took: ");
    }
    Logger::flush();

    phaseClock_.restart();
    if (!states.isSwitchingStates) {
        phases_.draw();
        logIfSlow("draw took: ");
    }
    Logger::flush();

    phases_.rest();
}

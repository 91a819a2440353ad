#include "core/FrameLoop.hpp"

#include "core/Logger.hpp"
#include "core/StateManager.hpp"

#include <algorithm>

FrameLoop::FrameLoop(LoopPhases& phases, const TimeSource& time)
    : phases_(phases)
    , time_(time)
    , frameClock_(time)
    , phaseClock_(time)
    , audioClock_(time)
    , frameWork_(time)
    , sinceDraw_(time)
    , sinceInput_(time)
{
}

void FrameLoop::start()
{
    frameClock_.restart();
    audioClock_.restart();
    sinceDraw_.restart();
    sinceInput_.restart();
}

void FrameLoop::logIfSlow(const char* what)
{
    sf::Time took = phaseClock_.elapsed();
    if (took > sf::milliseconds(100))
        QV_LOG << what << took.asMilliseconds() << std::endl;
}

bool FrameLoop::shouldDraw(bool stepped, bool handledInput, bool switched) const
{
    if (switched || handledInput || savingIndicator_.isShowing())
        return true;
    const bool refreshDue = sinceDraw_.elapsed() >= sf::milliseconds(refreshMilliseconds);
    if (!stepped)
        return refreshDue;
    if (sinceInput_.elapsed() < sf::milliseconds(afterInputMilliseconds) || !phases_.pictureIsStill())
        return true;
    return refreshDue;
}

void FrameLoop::frame()
{
    StateManager& states = StateManager::get();

    frameWork_.restart();
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
    const bool switched = states.isSwitchingStates;
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
    bool stepped = false;
    while (accumulator_ >= fixedStepLength_) {
        accumulator_ -= fixedStepLength_;
        if (!states.isSwitchingStates) {
            phases_.fixedStep();
            stepped = true;
            Logger::flush();
        }
    }
    logIfSlow("fixedStep took: ");

    phaseClock_.restart();
    bool handledInput = false;
    if (!states.isSwitchingStates) {
        handledInput = phases_.handleInput();
        logIfSlow("handleInput took: ");
    }
    if (handledInput)
        sinceInput_.restart();
    Logger::flush();

    sf::Time idle;
    phaseClock_.restart();
    if (!states.isSwitchingStates) {
        if (shouldDraw(stepped, handledInput, switched)) {
            phases_.draw();
            sinceDraw_.restart();
            logIfSlow("draw took: ");
        } else {
            idle = std::max(sf::Time::Zero, sf::milliseconds(frameMilliseconds) - frameWork_.elapsed());
        }
    }
    Logger::flush();

    phases_.rest(idle);
}

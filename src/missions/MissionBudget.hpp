#pragma once

#include <cstddef>

// What one mission script may pile up in the game's own memory (the Lua state has its own
// cap): messages, choices, choice sets, quest items and map markers, counted and measured per
// mission. Going over a limit throws std::length_error, which the binding turns into a Lua
// error; the game goes on. The limits are far beyond any story: a script that reaches one is
// looping.
//
// Script thread only; reset by the main thread before a script starts.
class MissionBudget {
public:
    struct Limits {
        std::size_t messages = 5000;
        std::size_t messageBytes = std::size_t(64) << 10;
        std::size_t choicesPerSet = 50;
        std::size_t choiceSets = 2000;
        std::size_t questItems = 500;
        std::size_t questItemBytes = 1024;
        std::size_t markers = 200;
        // Everything above together, in bytes of text.
        std::size_t textBytes = std::size_t(8) << 20;
    };

    MissionBudget();
    explicit MissionBudget(const Limits& limits);

    void reset();
    void chargeMessage(std::size_t bytes);
    void chargeChoice(std::size_t alreadyBuilt, std::size_t bytes);
    void chargeChoiceSet();
    void chargeQuestItem(std::size_t alreadyHeld, std::size_t bytes);
    void chargeMarker(std::size_t bytes);

    const Limits& limits() const { return limits_; }

private:
    void chargeText(std::size_t bytes);
    void chargeItem(std::size_t count, std::size_t countLimit, const char* items, std::size_t bytes,
                    std::size_t byteLimit, const char* bytesOf);

    Limits limits_;
    std::size_t messages_ = 0;
    std::size_t choiceSets_ = 0;
    std::size_t markers_ = 0;
    std::size_t textBytes_ = 0;
};

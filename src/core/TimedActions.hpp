#pragma once

#include "core/Stopwatch.hpp"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// The process-wide list of delayed actions. Each action runs once, on the first fixed step
// after its delay has passed, and is then dropped. Callers keep the returned id to cancel an
// action that has not run yet; id 0 never names an action, so a stored 0 means "none". Ids
// are 16 bits and wrap, skipping those still held by pending actions.
class TimedActions {
public:
    static TimedActions& get();
    static bool exists();
    // Drops the list (shutdown, tests). The next get() starts an empty one.
    static void destroy();
    // Replaces the instance, e.g. with one on a hand-stepped clock (tests).
    static void install(std::unique_ptr<TimedActions> actions);

    explicit TimedActions(const TimeSource& time = systemTime());

    // With all 65535 ids held by pending actions the action still runs, but gets id 0 and
    // cannot be cancelled.
    std::uint16_t add(std::function<void()> action, sf::Time delay);
    // False when no entry has that id. Otherwise removes it, sets `id` to 0 and returns true.
    bool remove(std::uint16_t& id);
    // Runs every entry whose delay has passed (in order, each once), then drops them.
    // Actions may add or remove entries while they run: new ones wait for the next call,
    // removed ones that have not run yet do not run.
    void fire();

    std::size_t size() const { return entries_.size(); }

private:
    struct Entry {
        std::uint16_t id;
        // Unique for the list's lifetime: how fire() finds an entry again after actions ran.
        std::uint64_t serial;
        bool fired;
        std::function<void()> action;
        Stopwatch clock;
        sf::Time delay;
    };

    const TimeSource* time_;
    bool inUse(std::uint16_t id) const;

    std::uint16_t lastId_ = 0;
    std::uint64_t nextSerial_ = 0;
    std::vector<Entry> entries_;
};

// Shorthands on the process-wide list.
std::uint16_t addTimedAction(std::function<void()> action, sf::Time delay);
bool removeTimedAction(std::uint16_t& id);

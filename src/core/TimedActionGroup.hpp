#pragma once

#include <SFML/System/Time.hpp>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// Delayed actions that belong to an owner (a window, a screen) and must never outlive it:
// they are added to the process-wide TimedActions, and whatever has not run yet is cancelled
// when the group goes. An owner that captures itself in its actions keeps a group as a
// member instead of adding to the list directly. Main thread only; neither copied nor moved
// (the actions refer to the group).
class TimedActionGroup {
public:
    TimedActionGroup() = default;
    ~TimedActionGroup();
    TimedActionGroup(const TimedActionGroup&) = delete;
    TimedActionGroup& operator=(const TimedActionGroup&) = delete;

    // Runs `action` once after `delay`, unless the group is cancelled or destroyed first.
    void add(std::function<void()> action, sf::Time delay);
    // Drops every action of the group that has not run yet.
    void cancelAll();
    // Actions added and not yet run or cancelled.
    std::size_t pending() const { return pending_.size(); }

private:
    void forget(std::uint16_t id);

    std::vector<std::uint16_t> pending_;
    // Actions check it before they run: also an action the list could not give an id (and
    // that therefore cannot be removed) never runs once the group is gone.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

#include "core/TimedActionGroup.hpp"

#include "core/TimedActions.hpp"

#include <algorithm>

TimedActionGroup::~TimedActionGroup()
{
    cancelAll();
}

void TimedActionGroup::add(std::function<void()> action, sf::Time delay)
{
    // The id is known only once the list has taken the action; the action reads it when it
    // runs, to leave the pending list (ids are reused by the list once an action has run).
    auto id = std::make_shared<std::uint16_t>(0);
    std::weak_ptr<bool> alive = alive_;
    *id = TimedActions::get().add(
        [this, alive, id, action = std::move(action)] {
            if (alive.expired())
                return;
            forget(*id);
            action();
        },
        delay);
    if (*id != 0)
        pending_.push_back(*id);
}

void TimedActionGroup::cancelAll()
{
    alive_ = std::make_shared<bool>(true);
    // At shutdown the list may already be gone; then nothing of ours can run anyway.
    if (TimedActions::exists())
        for (std::uint16_t id : pending_)
            TimedActions::get().remove(id);
    pending_.clear();
}

void TimedActionGroup::forget(std::uint16_t id)
{
    pending_.erase(std::remove(pending_.begin(), pending_.end(), id), pending_.end());
}

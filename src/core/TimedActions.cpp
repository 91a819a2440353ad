#include "core/TimedActions.hpp"

#include "core/ProcessWide.hpp"

#include <algorithm>

TimedActions& TimedActions::get()
{
    return ProcessWide<TimedActions>::get();
}

bool TimedActions::exists()
{
    return ProcessWide<TimedActions>::exists();
}

void TimedActions::destroy()
{
    ProcessWide<TimedActions>::destroy();
}

void TimedActions::install(std::unique_ptr<TimedActions> actions)
{
    ProcessWide<TimedActions>::install(std::move(actions));
}

TimedActions::TimedActions(const TimeSource& time)
    : time_(&time)
{
}

std::uint16_t TimedActions::add(std::function<void()> action, sf::Time delay)
{
    // The counter wraps after 65535; it skips 0, which callers use for "no action".
    ++lastId_;
    if (lastId_ == 0)
        ++lastId_;
    entries_.push_back(Entry{lastId_, false, std::move(action), Stopwatch(*time_), delay});
    return lastId_;
}

bool TimedActions::remove(std::uint16_t& id)
{
    auto found = std::find_if(entries_.begin(), entries_.end(), [id](const Entry& e) { return e.id == id; });
    if (found == entries_.end())
        return false;
    entries_.erase(found);
    id = 0;
    return true;
}

void TimedActions::fire()
{
    std::vector<std::uint16_t> due;
    for (Entry& entry : entries_) {
        if (!entry.fired && entry.clock.elapsed() > entry.delay) {
            entry.fired = true;
            due.push_back(entry.id);
        }
    }
    for (std::uint16_t id : due) {
        auto found = std::find_if(entries_.begin(), entries_.end(), [id](const Entry& e) { return e.id == id; });
        if (found == entries_.end())
            continue; // cancelled by an earlier action
        std::function<void()> action = found->action; // the list may change while it runs
        action();
    }
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(), [](const Entry& e) { return e.fired; }),
                   entries_.end());
}

std::uint16_t addTimedAction(std::function<void()> action, sf::Time delay)
{
    return TimedActions::get().add(std::move(action), delay);
}

bool removeTimedAction(std::uint16_t& id)
{
    return TimedActions::get().remove(id);
}

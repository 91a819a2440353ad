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

bool TimedActions::inUse(std::uint16_t id) const
{
    return std::any_of(entries_.begin(), entries_.end(), [id](const Entry& e) { return e.id == id; });
}

std::uint16_t TimedActions::add(std::function<void()> action, sf::Time delay)
{
    // The counter wraps after 65535; it skips 0, which callers use for "no action", and the
    // ids of actions still waiting, so that cancelling one never cancels another.
    std::uint16_t id = 0;
    if (entries_.size() < 65535) {
        do {
            ++lastId_;
            if (lastId_ == 0)
                ++lastId_;
        } while (inUse(lastId_));
        id = lastId_;
    }
    entries_.push_back(Entry{id, nextSerial_++, false, std::move(action), Stopwatch(*time_), delay});
    return id;
}

bool TimedActions::remove(std::uint16_t& id)
{
    if (id == 0)
        return false;
    auto found = std::find_if(entries_.begin(), entries_.end(), [id](const Entry& e) { return e.id == id; });
    if (found == entries_.end())
        return false;
    entries_.erase(found);
    id = 0;
    return true;
}

void TimedActions::fire()
{
    std::vector<std::uint64_t> due;
    for (Entry& entry : entries_) {
        if (!entry.fired && entry.clock.elapsed() > entry.delay) {
            entry.fired = true;
            due.push_back(entry.serial);
        }
    }
    for (std::uint64_t serial : due) {
        auto found = std::find_if(entries_.begin(), entries_.end(),
                                  [serial](const Entry& e) { return e.serial == serial; });
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

#include "deploy/CrewSelection.hpp"

#include <algorithm>
#include <cmath>

CrewSelection::CrewSelection(std::uint32_t seed)
    : selectionRandom_(seed)
{
    for (int k = 0; k < slotCount; ++k) {
        Slot slot;
        const float column = static_cast<float>(k % 2);
        const float row = static_cast<float>(k / 2);
        slot.platform = { 465.f + 57.f * column, 55.f + 51.f * row };
        slot.snap = { 473.f + 57.f * column, 54.f + 51.f * row };
        slots_.push_back(slot);
    }
    lockSlots();
}

void CrewSelection::enter(std::int32_t librarySize)
{
    librarySize_ = std::max(0, librarySize);
    libraryPage_ = 0;
    selectionDone_ = false;
    for (Slot& slot : slots_)
        slot.occupant = -1;
    lockSlots();
}

void CrewSelection::lockSlots()
{
    for (int k = 0; k < slotCount; ++k) {
        Slot& slot = slots_[static_cast<std::size_t>(k)];
        slot.locked = k >= requiredCrew_;
        // A character on a slot that locks goes back to the library: it is no longer chosen.
        if (slot.locked)
            slot.occupant = -1;
    }
}

void CrewSelection::setRequiredCrew(std::int32_t required)
{
    if (required != 8 && required != 6 && required != 4)
        return;
    requiredCrew_ = required;
    lockSlots();
}

std::int32_t CrewSelection::slotOf(std::int32_t character) const
{
    for (std::size_t k = 0; k < slots_.size(); ++k)
        if (character >= 0 && slots_[k].occupant == character)
            return static_cast<std::int32_t>(k);
    return -1;
}

bool CrewSelection::drop(std::int32_t character, sf::Vector2f cardAt)
{
    if (character < 0 || character >= librarySize_)
        return false;
    lift(character);
    for (Slot& slot : slots_) {
        if (slot.locked || slot.occupant >= 0)
            continue;
        if (std::fabs(cardAt.x - slot.snap.x) <= snapDistance && std::fabs(cardAt.y - slot.snap.y) <= snapDistance) {
            slot.occupant = character;
            return true;
        }
    }
    return false;
}

void CrewSelection::lift(std::int32_t character)
{
    const std::int32_t slot = slotOf(character);
    if (slot >= 0)
        slots_[static_cast<std::size_t>(slot)].occupant = -1;
}

void CrewSelection::randomize()
{
    for (Slot& slot : slots_)
        slot.occupant = -1;
    for (Slot& slot : slots_) {
        if (slot.locked)
            continue;
        // Nobody left outside the slots (or nobody at all): the filling stops.
        if (static_cast<std::int32_t>(chosen().size()) >= librarySize_)
            break;
        std::int32_t pick = -1;
        do
            pick = static_cast<std::int32_t>(selectionRandom_() % static_cast<std::uint32_t>(librarySize_));
        while (slotOf(pick) >= 0);
        slot.occupant = pick;
    }
}

std::vector<std::int32_t> CrewSelection::chosen() const
{
    std::vector<std::int32_t> result;
    for (const Slot& slot : slots_)
        if (slot.occupant >= 0)
            result.push_back(slot.occupant);
    return result;
}

bool CrewSelection::startAllowed() const
{
    return static_cast<std::int32_t>(chosen().size()) == requiredCrew_;
}

bool CrewSelection::start()
{
    if (!startAllowed())
        return false;
    selectionDone_ = true;
    return true;
}

std::int32_t CrewSelection::pageCount() const
{
    return std::max(1, (librarySize_ + cardsPerPage - 1) / cardsPerPage);
}

bool CrewSelection::nextPage()
{
    if (libraryPage_ + 1 >= pageCount())
        return false;
    ++libraryPage_;
    return true;
}

bool CrewSelection::previousPage()
{
    if (libraryPage_ == 0)
        return false;
    --libraryPage_;
    return true;
}

std::int32_t CrewSelection::lastOnPage() const
{
    return std::min(librarySize_, firstOnPage() + cardsPerPage) - 1;
}

std::string CrewSelection::pageText() const
{
    return "PAGE " + std::to_string(libraryPage_ + 1) + "/" + std::to_string(pageCount());
}

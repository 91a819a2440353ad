#pragma once

#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

// The rules of picking the crew a new run starts with, without a window: the difficulty
// (8 Easy, 6 Medium, 4 Hard: how many to pick), eight team slots of which those past that
// number are locked, the library of characters shown 16 to a page, placing characters on
// free unlocked slots, Randomize (a seeded generator; never the same character twice) and
// whether the run may start. The crew selection screen (CrewSelectionScreen) draws it.
//
// Characters are named by their position in the library (the roster's crew aboard after
// resetCrew). Main thread only.
class CrewSelection {
public:
    static constexpr int slotCount = 8;
    static constexpr int cardsPerPage = 16;
    static constexpr float snapDistance = 30.f;

    struct Slot {
        sf::Vector2f platform;
        sf::Vector2f snap;
        std::int32_t occupant = -1; // library position
        bool locked = false;
    };

    explicit CrewSelection(std::uint32_t seed);

    // A fresh visit over a library of `librarySize` characters (the difficulty is kept).
    void enter(std::int32_t librarySize);
    // 8, 6 or 4; slots past it lock, and characters standing on them go back to the library.
    void setRequiredCrew(std::int32_t required);
    std::int32_t requiredCrew() const { return requiredCrew_; }

    // Places library character `character` on the free unlocked slot whose snap point is
    // within reach of `cardAt`; false (it stays in the library) otherwise.
    bool drop(std::int32_t character, sf::Vector2f cardAt);
    // Takes `character` off its slot (lifting it from there).
    void lift(std::int32_t character);
    // Fills every free unlocked slot, in slot order, with characters not yet chosen.
    void randomize();
    // The start button: only when exactly the required number is chosen.
    bool start();

    std::int32_t slotOf(std::int32_t character) const;
    // The chosen characters in slot order.
    std::vector<std::int32_t> chosen() const;
    bool startAllowed() const;
    bool selectionDone() const { return selectionDone_; }
    const std::vector<Slot>& slots() const { return slots_; }

    // Library pages: always at least one, even for an empty library.
    std::int32_t pageCount() const;
    std::int32_t libraryPage() const { return libraryPage_; }
    bool nextPage();
    bool previousPage();
    // The library positions the page shows.
    std::int32_t firstOnPage() const { return libraryPage_ * cardsPerPage; }
    std::int32_t lastOnPage() const;
    std::string pageText() const;

private:
    void lockSlots();

    std::mt19937 selectionRandom_;
    std::int32_t requiredCrew_ = 6;
    std::int32_t librarySize_ = 0;
    std::int32_t libraryPage_ = 0;
    bool selectionDone_ = false;
    std::vector<Slot> slots_;
};

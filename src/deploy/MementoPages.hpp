#pragma once

#include <cstdint>

// Paging through one crew member's mementos, twenty to a page (four by five). The last page
// is the one that holds the last memento, so a count that fills its pages exactly never
// leads to an empty page.
class MementoPages {
public:
    static constexpr std::int32_t perPage = 20;

    // The last page for `count` mementos (0 when there are none).
    static std::int32_t lastPage(std::int32_t count);
    // The right arrow: one page on, never past the last.
    static std::int32_t next(std::int32_t page, std::int32_t count);
    // The left arrow: one page back, never below 0.
    static std::int32_t previous(std::int32_t page);
    static bool rightEnabled(std::int32_t page, std::int32_t count) { return page < lastPage(count); }
    static bool leftEnabled(std::int32_t page) { return page > 0; }
};

#pragma once

#include <vector>

// Anything that can show a focus (hover) state: buttons, crew cards, text fields. Screens
// keep ordered, non-owning lists of them so the game loop can drop every highlight at once.
class FocusableUI {
public:
    virtual ~FocusableUI() = default;
    virtual void setFocus(bool focused) = 0;
};

// A screen's focus list; entries may be null.
using FocusList = std::vector<FocusableUI*>;

// Removes the highlight of every item of the list.
inline void clearFocus(const FocusList& list)
{
    for (FocusableUI* item : list)
        if (item)
            item->setFocus(false);
}

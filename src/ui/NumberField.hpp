#pragma once

#include "ui/TextField.hpp"

#include <optional>

// A text field for a small whole number (the crew creator's attributes): it takes digits and
// Backspace only, at most `maxDigits` of them, and takes back a digit that would make the
// value exceed `maxValue` (-1: no limit). A leading zero stays ("05" is 5).
class NumberField : public TextField {
public:
    NumberField();

    void handleTextEntered(std::uint32_t code) override;
    // The content as a number; none while it is empty or beyond the int range.
    std::optional<int> getValue() const;

    int maxValue = -1;
    int maxDigits = -1;
};

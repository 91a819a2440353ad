#include "ui/NumberField.hpp"

#include <charconv>

NumberField::NumberField()
{
    setMargins(10.f, 10.f);
}

std::optional<int> NumberField::getValue() const
{
    int value = 0;
    const char* end = content_.data() + content_.size();
    const auto [stop, error] = std::from_chars(content_.data(), end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

void NumberField::handleTextEntered(std::uint32_t code)
{
    if (code == 8) {
        removeLastCharacter();
    } else if (code >= '0' && code <= '9') {
        if (maxDigits == -1 || content_.size() < static_cast<std::size_t>(maxDigits)) {
            content_ += static_cast<char>(code);
            // Too many digits for an int is more than any limit.
            const std::optional<int> value = getValue();
            if (maxValue != -1 && (!value || *value > maxValue))
                removeLastCharacter();
        }
    }
    show();
}

#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/Transformable.hpp>
#include <SFML/System/String.hpp>

#include <string>
#include <vector>

namespace sfe {

// A block of text whose segments may each have their own colour, style and outline. Text
// is streamed in: colours and styles apply to what is appended after them, and every '\n'
// starts a new line placed one line height below the previous one. Each segment starts
// where the previous one's pen stopped (its advance, trailing blanks included), moved
// right by the outline of both, so outlined segments never run into their neighbours.
// Strings are UTF-8 (Utf8). The font is referred to, never owned, and must outlive the block.
class RichText : public sf::Drawable, public sf::Transformable {
public:
    // One line of the block: segments laid out left to right from x = 0. Its width reaches
    // the pen or the ink, whichever lies further right.
    class Line : public sf::Transformable, public sf::Drawable {
    public:
        void appendText(sf::Text text);
        // Places the segments again from x = 0 (after a size, font or outline change).
        void relayout();

        const std::vector<sf::Text>& getTexts() const { return texts_; }
        std::vector<sf::Text>& getTexts() { return texts_; }
        sf::FloatRect getLocalBounds() const { return bounds_; }
        sf::FloatRect getGlobalBounds() const { return getTransform().transformRect(bounds_); }

    protected:
        void draw(sf::RenderTarget& target, sf::RenderStates states) const override;

    private:
        void place(sf::Text& text);

        std::vector<sf::Text> texts_;
        sf::FloatRect bounds_;
        float pen_ = 0.f;
    };

    RichText() = default;
    explicit RichText(const sf::Font& font) : font_(&font) {}

    RichText& operator<<(const sf::Color& color);
    RichText& operator<<(sf::Text::Style style);
    RichText& operator<<(const sf::String& string);
    RichText& operator<<(const std::string& utf8);
    RichText& operator<<(const char* utf8);

    void setCharacterSize(unsigned size);
    void setFont(const sf::Font& font);
    void setOutlineThickness(float thickness);
    // Recolours every segment filled with `from`; later text is appended in `to`.
    void replaceColor(const sf::Color& from, const sf::Color& to);
    // Outline changes lay the block out again, like size and font changes.
    void setOutlineForColor(float thickness, const sf::Color& fill, const sf::Color& outline);
    // Outlines segments (other than those in `base`) whose brightness (2R + 3G + B) / 6 is
    // below `threshold`, or, for a negative threshold, above threshold + 255; the others lose
    // their outline. Segments in `base` are left alone.
    void applyContrastOutline(const sf::Color& base, const sf::Color& outline, int threshold, float thickness);
    // Removes every line; colour, style, size, font and outline stay.
    void clear();

    const std::vector<Line>& getLines() const { return lines_; }
    unsigned getCharacterSize() const { return characterSize_; }
    const sf::Font* getFont() const { return font_; }
    float getOutlineThickness() const { return outlineThickness_; }
    const sf::Color& getCurrentColor() const { return currentColor_; }
    sf::FloatRect getLocalBounds() const { return bounds_; }
    sf::FloatRect getGlobalBounds() const { return getTransform().transformRect(bounds_); }

protected:
    void draw(sf::RenderTarget& target, sf::RenderStates states) const override;

private:
    sf::Text makeSegment(const sf::String& string) const;
    void relayout();

    std::vector<Line> lines_;
    const sf::Font* font_ = nullptr;
    unsigned characterSize_ = 30;
    sf::FloatRect bounds_;
    sf::Color currentColor_ = sf::Color::White;
    sf::Text::Style currentStyle_ = sf::Text::Regular;
    float outlineThickness_ = 0.f;
};

} // namespace sfe

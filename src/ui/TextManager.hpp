#pragma once

#include "ui/RichText.hpp"

#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/View.hpp>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace sf {
class RenderTarget;
}

// Owner of every on-screen label. Screens keep the integer id of a text or rich text and
// move, size, draw or remove it through here, so one interface scale applies to all
// positions and character sizes; strings, colours and bounds are read and changed on the
// reference from getText/getRichText. Ids come from one counter shared by both kinds and
// are never reused. A missing id is logged and answered with a shared empty object.
// Strings are UTF-8; a caller that sets a string on the reference converts it with
// Utf8::toLabel. Main thread only.
class TextManager {
public:
    static TextManager& get();
    // Releases the instance (shutdown, tests); the next get() starts from scratch.
    static void destroy();
    // Whether the instance exists: widgets outliving it at shutdown skip their clean-up.
    static bool exists();

    float getScale() const { return scale_; }
    // Set by the game when the window size changes; follow it with refreshAll().
    void setScale(float scale) { scale_ = scale; }

    int addText(int x, int y, const std::string& string, float size = -1.f);
    int addRichText(float size, int x, int y);
    sf::Text& getText(int id);
    sfe::RichText& getRichText(int id);
    void setTextSize(int id, float size);
    void setRichTextSize(int id, float size);
    void setTextPosition(int id, int x, int y);
    void setRichTextPosition(int id, int x, int y);
    void removeText(int id);
    void removeRichText(int id);
    bool hasText(int id) const { return texts_.count(id) != 0; }
    bool hasRichText(int id) const { return richTexts_.count(id) != 0; }

    // Draw the listed ids in order through `view`, or through the host's interface view;
    // the target's own view is restored afterwards.
    void drawTexts(const std::vector<int>& ids, sf::RenderTarget& target,
                   const sf::RenderStates& states = sf::RenderStates::Default, const sf::View* view = nullptr);
    void drawRichTexts(const std::vector<int>& ids, sf::RenderTarget& target,
                       const sf::RenderStates& states = sf::RenderStates::Default, const sf::View* view = nullptr);

    // Re-applies every character size and placed position after a scale change.
    void refreshAll();

    // The rounding rules, exposed for the callers that place things next to texts.
    int place(int logical) const;
    unsigned characterSize(float size) const;

    TextManager();
    TextManager(const TextManager&) = delete;
    TextManager& operator=(const TextManager&) = delete;

private:
    struct TextEntry {
        sf::Text text;
        float size = -1.f;
        int x = 0, y = 0;
        int placedX = 0, placedY = 0;
    };
    struct RichTextEntry {
        sfe::RichText text;
        float size = -1.f;
        int x = 0, y = 0;
        int placedX = 0, placedY = 0;
    };
    template <typename Entry>
    void apply(Entry& entry);

    float scale_ = 1.f;
    std::unordered_map<int, TextEntry> texts_;
    std::unordered_map<int, RichTextEntry> richTexts_;
    sf::Text emptyText_;
    sfe::RichText emptyRichText_;
    int nextId_ = 0;
};

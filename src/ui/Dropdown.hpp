#pragma once

#include "ui/Button.hpp"
#include "ui/FocusableUI.hpp"

#include <SFML/Graphics/RectangleShape.hpp>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace sf {
class RenderTarget;
class Texture;
}

// A drop-down list: a toggle button showing the selected entry and, while open, every entry
// as a clickable text under it. The owner passes it the clicks (handleClick) and closes it
// when a click goes elsewhere. In font-preview mode each entry is drawn in the font it names
// (the options screen's font list). While not enabled it ignores every click.
//
// onSelect hears of every selection made through select (a click, setItems, the owner);
// selectQuietly and setItemsKeepingSelection change the selection without telling it.
// Nothing selected (index -1) reads as "-*-"; the label then keeps what it showed last.
// Labels live in the TextManager and go with the drop-down. Main thread only.
class Dropdown : public FocusableUI {
public:
    // What getSelected gives while nothing is selected.
    static constexpr const char* noSelection = "-*-";

    Dropdown();
    ~Dropdown() override;
    Dropdown(const Dropdown&) = delete;
    Dropdown& operator=(const Dropdown&) = delete;

    void setFocus(bool) override {}

    // The toggle's picture ("crew_creator/dropdown.png" until set); the list is as wide.
    void setToggleTexture(const sf::Texture& texture);
    // The toggle at (x, y), the label labelOffsetX to its right, the list just below.
    void setPosition(float x, float y);
    // New entries; selects the first (telling onSelect). An empty list selects nothing.
    void setItems(const std::vector<std::string>& items);
    // New entries; the selected position stays when the new list still has it, otherwise
    // nothing is selected. onSelect is not told.
    void setItemsKeepingSelection(const std::vector<std::string>& items);
    // Selects entry `index`, shows it, closes the list and tells onSelect; an index outside
    // the list changes nothing.
    void select(int index);
    // The same without telling onSelect (the owner restoring what the player had).
    void selectQuietly(int index);
    // Selects the first entry equal to `name` ignoring letter case (telling onSelect); false,
    // and nothing changes, when there is none.
    bool selectByName(const std::string& name);
    std::string getSelected() const;
    int getSelectedIndex() const { return selectedIndex_; }
    const std::vector<std::string>& getItems() const { return items_; }

    bool isOpen() const { return open_; }
    void close() { open_ = false; }
    // A left click at (x, y) in the owner's view; true when the drop-down used it (the toggle,
    // an entry, or anywhere on the open list).
    bool handleClick(float x, float y);
    void draw(sf::RenderTarget& target);

    const Button& getToggle() const { return toggleButton_; }
    int getLabelId() const { return labelId_; }
    const sf::RectangleShape& getListBox() const { return listBox_; }
    // The button of entry `index` (tests, and the owner's look).
    Button& itemButton(std::size_t index) { return *itemButtons_.at(index); }

    // Set before setPosition.
    float labelOffsetX = 13.f;
    // Set before setItems.
    bool fontPreview = false;
    bool enabled = true;
    std::function<void(const std::string&)> onSelect;

private:
    void choose(int index, bool tell);
    void buildItemButtons();
    void placeItemButtons();
    float rowHeight() const;

    sf::RectangleShape listBox_;
    int labelId_;
    bool open_ = false;
    int selectedIndex_ = -1;
    std::vector<std::string> items_;
    // Owned one by one: a button's label id must not move with the list.
    std::vector<std::unique_ptr<Button>> itemButtons_;
    Button toggleButton_;
};

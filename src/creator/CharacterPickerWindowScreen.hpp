#pragma once

#include "ui/Button.hpp"
#include "ui/WindowScreen.hpp"

#include <SFML/Graphics/Sprite.hpp>

#include <string>

class CrewCreator;

// The window over the crew creator on every visit: every character the player may start
// from (all that are not secret), as crew cards, sixteen to a page, with a mark on
// workshop and user-made ones. The player selects a card and chooses Edit (keep its name),
// Copy (a new character from it) or Delete (user-made ones only), or New (a random one) or
// Leave (keep the random character the creator made on entering). New, Copy, Edit and Leave
// close the window; Delete keeps it open over the shortened list.
//
// The list is the roster's crew aboard, refilled when the window opens and after a delete;
// the selection is a position in it, so a reload never leaves it pointing at a character
// that is gone. The pressed Delete key's restore runs through the window's own delayed
// actions and is dropped with the window. Main thread only.
class CharacterPickerWindowScreen : public WindowScreen {
public:
    static constexpr int perPage = 16;

    explicit CharacterPickerWindowScreen(CrewCreator& creator);
    ~CharacterPickerWindowScreen() override;

    void draw(sf::RenderTarget& target) override;
    void handleEvent(const sf::Event& event, sf::RenderTarget& window, const sf::View& view) override;
    // The click itself, at a point of the 640 x 360 view (the event handler maps the event first).
    void press(sf::Mouse::Button button, float x, float y);

    int page() const { return page_; }
    int pageCount() const;
    std::string pageText() const;
    // The selected card's position in the crew aboard, or -1.
    int selected() const { return selected_; }
    Button& newButton() { return newButton_; }
    Button& editButton() { return editButton_; }
    Button& copyButton() { return copyButton_; }
    Button& deleteButton() { return deleteButton_; }
    Button& leaveButton() { return leaveButton_; }
    Button& previousArrow() { return previousArrow_; }
    Button& nextArrow() { return nextArrow_; }

private:
    void refill();
    void applyOriginBadges();
    void updatePageText();
    void showPage(int page);
    void setSelected(int position);
    static void light(Button& button, bool on);
    void selectCardAt(float x, float y);
    void deleteSelected();

    CrewCreator& creator_;
    Button copyButton_, editButton_, newButton_, deleteButton_, leaveButton_, previousArrow_, nextArrow_;
    sf::Sprite leavePanel_, listBackground_, buttonsBackground_;
    int pageTextId_;
    int page_ = 0;
    int selected_ = -1;
};

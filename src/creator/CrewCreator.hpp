#pragma once

#include "core/TimedActionGroup.hpp"
#include "creator/CharacterDraft.hpp"
#include "creator/NameGenerator.hpp"
#include "crew/Character.hpp"
#include "crew/CharacterManager.hpp"
#include "ui/Button.hpp"
#include "ui/Dropdown.hpp"
#include "ui/NumberField.hpp"
#include "ui/TextField.hpp"
#include "ui/Tooltip.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

namespace sf {
class RenderTarget;
}

// The crew creator (GameState::CrewCreator): the player makes a crew member, or changes or
// copies one, and saves it as a character file into the mods folder. On the left an editor
// (name with its random-name button, pronouns, a portrait chooser, the three attributes,
// four trait slots, a biography), on the right a preview of the crew card's details. The
// species is never chosen: it follows from the portrait's file name ("_cy" Cygen, "_ceph"
// Cephalopod, "tux" Avian, else Human) and decides which lists the first and third trait
// slots offer.
//
// Each visit starts with reset(), which makes a random character and opens the character
// picker over the editor; the picker hands back its choice through editCharacter(). The
// character being edited or copied is held as a copy, so reloading the roster after a save
// or a delete never leaves it dangling. Leaving sets `done`, which the game takes up.
//
// Process-wide, made on first use after the texture registry; lives until shutdown, so the
// name lists, the portrait list and what the widgets show carry over between visits. Main
// thread only. The game hands it the window's events with the pointer in the 640 x 360 view.
class CrewCreator {
public:
    static CrewCreator& get();
    static bool exists();
    static void destroy();
    static void install(std::unique_ptr<CrewCreator> creator);

    // `folders`: the assets (names file, shipped portraits), the mods folder it saves into and
    // the user's portraits folder. `seed` starts the creator's own random source.
    CrewCreator(CharacterManager::Folders folders, std::uint32_t seed);
    ~CrewCreator();
    CrewCreator(const CrewCreator&) = delete;
    CrewCreator& operator=(const CrewCreator&) = delete;

    // The enter step: a fresh random character, then the picker window over it.
    void reset();
    // One fixed step: the species of a newly shown portrait, the typing cursor, the preview.
    void update();
    void handleEvent(const sf::Event& event, sf::Vector2f pointer);
    void draw(sf::RenderTarget& target);

    // The picker's choice: nullptr for a new character, else the one to edit (`keepName`,
    // which also keeps its workshop id and lets the save replace its file) or to copy.
    void editCharacter(const Character* character, bool keepName);
    // Fills the editor from the chosen character (or a random one for a new character).
    void loadIntoEditor();
    // Writes the editor's character and reloads the roster. Refuses a character without a
    // name; on any failure nothing is written and the message says so.
    CharacterDraft::Outcome saveCharacter();
    // The draft the editor shows now (what Save would write).
    CharacterDraft draft();

    void randomName();
    void randomPortrait();
    void randomAttributes();
    void randomTraits();
    // A portrait arrow: -1 previous, +1 next, wrapping round.
    void stepPortrait(int step);
    // Lists both portrait folders again.
    void refreshPortraits();
    // The player picked `slot`'s item (0 to 3): an opposite trait elsewhere moves back, the
    // same trait elsewhere moves on.
    void onTraitChosen(int slot);

    struct Species {
        const char* name;
        const std::vector<std::string>* slot1;
        const std::vector<std::string>* slot3;
    };
    static Species speciesForPortrait(const std::string& fileName);
    static Species speciesNamed(const std::string& name);

    // What the player sees (tests).
    TextField& nameField() { return nameField_; }
    TextField& biographyField() { return biographyField_; }
    NumberField& attributeField(const std::string& attribute);
    Dropdown& traitSlot(int slot) { return traitSlots_[static_cast<std::size_t>(slot)]; }
    Dropdown& pronounList() { return pronounList_; }
    std::string speciesText() const;
    std::string counterText() const;
    std::string totalText() const;
    std::string previewName() const;
    int portraitIndex() const { return portraitIndex_; }
    const std::vector<std::string>& portraits() const { return portraitList_; }
    const sf::Image& portraitImage() const { return portraitImage_; }
    NameGenerator& names() { return names_; }
    const std::optional<Character>& editedCharacter() const { return editedCharacter_; }
    bool keepsName() const { return keepName_; }
    Button& saveButton() { return saveButton_; }
    Button& leaveButton() { return leaveButton_; }

    // The leave button was used; the game clears it and returns to the title.
    bool done = false;

private:
    void layout();
    void showPortrait();
    void loadPortrait(const std::string& path);
    void placeCounter(const std::string& text);
    void placeCentred(int textId, const std::string& text, float centreX, int y);
    void applySpecies(const Species& species);
    void setSlotItems(int slot, const std::vector<std::string>& items);
    void selectByNameQuietly(Dropdown& list, const std::string& name);
    static void showSelection(Dropdown& list);
    void refreshPreview();
    void updateTotal();
    int attributeValue(const NumberField& field) const;
    void mousePressed(float x, float y);
    bool closeOtherDropdowns(const Dropdown* kept);
    void pressButton(Button& button, const std::string& up, const std::string& down, TimedActionGroup& restore);
    void showMessage(const std::string& text, bool closable);
    void leave();
    std::vector<std::string> listPortraits(int& shippedCount) const;
    std::string portraitPath(int index) const;

    CharacterManager::Folders folders_;
    std::mt19937 creatorRandom_;
    std::optional<Character> editedCharacter_;
    bool keepName_ = false;
    NameGenerator names_;
    std::vector<std::string> portraitList_;
    int shippedPortraitCount_ = 0;
    int portraitIndex_ = 0;
    int lastPortraitIndex_ = -1;
    sf::Image portraitImage_;
    sf::Texture portraitTexture_;
    bool nameGeneratorToggle_ = false;
    std::unordered_map<std::string, std::string> traitOpposites_;
    TextField* focusedField_ = nullptr;
    bool cursorVisible_ = false;
    int cursorCounter_ = 0;

    sf::Sprite background_, randomBackground_, editorBackground_, leavePanel_, savePanel_;
    Button randomNameButton_, randomPortraitButton_, openFolderButton_, refreshButton_, randomAttributesButton_,
        randomTraitsButton_, clearBiographyButton_, previousPortrait_, nextPortrait_, saveButton_, leaveButton_;
    TextField nameField_;
    Dropdown pronounList_;
    int speciesTextId_;
    sf::Sprite editorPlatform_, editorPortrait_;
    int counterTextId_;
    std::vector<int> labelIds_;
    NumberField mentalField_, physicalField_, socialField_;
    int totalTextId_;
    std::array<Dropdown, 4> traitSlots_;
    TextField biographyField_;
    sf::Sprite previewPanel_, previewPlatform_, previewPortrait_;
    int previewNameId_, previewBiographyId_;
    std::array<int, 4> previewTraitIds_;
    sf::Sprite cursor_;
    Tooltip openFolderTip_, refreshTip_, clearTip_;

    // A pressed button shows its pressed frame for a moment; a new press restarts its wait.
    TimedActionGroup randomNameRestore_, randomPortraitRestore_, randomAttributesRestore_, randomTraitsRestore_,
        otherRestores_;
};

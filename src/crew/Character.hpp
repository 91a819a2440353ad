#pragma once

#include "crew/CharacterCard.hpp"
#include "ui/FocusableUI.hpp"

#include <json/value.h>

#include <SFML/Graphics/Color.hpp>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

class Memento;
class PlayerStats;

// One crew member: name, pronouns and any other text properties of its file, the three
// attributes (with the bonus its roles earned), traits, biography, colour, portrait,
// mementos (the first four are its badges) and experience counters. Read from character
// files (shipped, mods) and from the session save, written back into the session save.
// Characters are values: a copy shares the mementos and the portrait.
//
// Reading never needs a window: the portrait is decoded into memory and the card (its
// drawable side, `card`) makes textures and its name label only when the main thread shows
// it. The roster guards every character with its lock; a character does no locking itself.
class Character : public FocusableUI {
public:
    // A key that stops reading a character, named by its failure label.
    class ReadError : public std::runtime_error {
    public:
        explicit ReadError(const std::string& label)
            : std::runtime_error(label)
        {
        }
    };
    enum class Role { Leader, Medic, Engineer };

    // `assetsRoot` (ending in "/") holds the mementos and the shipped portraits.
    explicit Character(std::string assetsRoot);
    Character();

    void setFocus(bool focus) override { card.focused = focus; }

    // Reads a character file. False when the file cannot be parsed or gives no name (the
    // roster then leaves it out); every failure is logged with the path.
    bool loadFromFile(bool fromMod, const std::string& path, const std::string& shortName);
    // Reads a character object in its fixed order of steps. Throws ReadError with the label
    // of the failing step; the steps before it stay applied. Wrong values of keys without a
    // label are logged and leave their defaults.
    void fromJson(const Json::Value& object);
    // The object form of the session save (and of a character file). Logs "No mementos for".
    Json::Value toJson() const;

    // Throws std::out_of_range for a key the character lacks.
    const std::string& getProperty(const std::string& key) const;
    bool hasProperty(const std::string& key) const { return properties.count(key) != 0; }
    // The name, or "" before one was read.
    std::string name() const;
    // Attribute plus its role bonus: physical + medic, mental + engineer, social + leader
    // bonus, each weighted by bonusMultiplier. A name the character lacks counts as 0 and is
    // added with 0 (saved crew then carry it).
    std::int32_t getAttr(const std::string& attr);
    // Substring test, case-sensitive: "Lucky" matches "Unlucky".
    bool hasTrait(const std::string& text) const;

    // Loads "mementos/<mementoName>.json" from the assets, personalises it and appends it
    // (marking the mementos unseen); counted in `stats` unless it is "death". False, logged,
    // when the memento cannot be loaded.
    bool giveMemento(int day, const std::string& mementoName, const std::string& missionName,
                     PlayerStats* stats = nullptr);
    bool hasMemento(const std::string& mementoName) const;
    // Appends the four badges: rank, leader, medic, engineer.
    void addBadges();
    // Credit for a mission: a line on the rank badge and one more deployment (at most 4).
    void creditDeployment(const std::string& missionName);
    // Credit for holding a role: its times and bonus counters (at most 4) and its badge.
    // `missionName` "null" adds no line to the badge.
    void creditRole(Role role, const std::string& missionName);

    // Same character across lists and copies: the same file, else the same published id,
    // else the same name from the same origin (shipped or mod).
    bool sameCharacter(const Character& other) const;
    // The name as the card shows it: every space a line break.
    std::string nameText() const;

    // Card position (every picture), then the bounds.
    void setPosition(float x, float y) { card.setPosition(x, y); }
    void updateBounds() { card.updateBounds(); }
    // Main thread: textures and name label of the card (the death icon when `deathIcon`).
    void prepareCard(TextureManager& textures, bool deathIcon);

    std::unordered_map<std::string, std::int32_t> attributes;
    std::unordered_map<std::string, std::string> properties;
    sf::Color color;
    std::string history;
    std::vector<std::string> traits;
    // Texture names the file gave in "sprites", or the one name "imageBinary:" + name for an
    // embedded portrait (how toJson tells the two apart).
    std::vector<std::string> spriteNames;
    // The "sprites" list as read, written back beside an embedded portrait so that a saved
    // crew member saves the same after it is loaded again.
    std::vector<std::string> listedSprites;
    std::string loadedFilename;
    std::string filePath;
    // The "imageBinary" text exactly as read (only when it held a picture).
    std::string imageBase64;
    std::vector<std::shared_ptr<Memento>> mementos;
    std::uint32_t steamCharacterID = 0;
    bool isDead = false;
    bool isSecret = false;
    bool isFromMod = false;
    std::uint32_t timesDeployed = 0;
    std::uint32_t timesLeader = 0;
    std::uint32_t timesMedic = 0;
    std::uint32_t timesEngineer = 0;
    std::uint32_t bonusLeader = 0;
    std::uint32_t bonusMedic = 0;
    std::uint32_t bonusEngineer = 0;
    float bonusMultiplier = 0.f;
    bool unseenMementos = false;

    CharacterCard card;

private:
    std::string logSource() const;
    void readCounters(const Json::Value& object);
    void readColour(const Json::Value& object);
    void readPortrait(const Json::Value& object);
    std::string portraitForSave() const;

    std::string assetsRoot_;
};

#include "crew/Character.hpp"

#include "core/Base64.hpp"
#include "core/FileUtils.hpp"
#include "core/JsonRead.hpp"
#include "core/Logger.hpp"
#include "core/PictureBytes.hpp"
#include "core/TextFunctions.hpp"
#include "crew/CrewColours.hpp"
#include "crew/CrewVocabulary.hpp"
#include "missions/Memento.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <limits>
#include <set>

namespace {

const char* const counterKeys[] = { "TimesDeployed", "TimesLeader", "TimesMedic", "TimesEngineer",
                                    "BonusLeader",   "BonusMedic",  "BonusEngineer" };

// Keys that have a field of their own; every other key of a file is kept as a text property.
const std::set<std::string>& dedicatedKeys()
{
    static const std::set<std::string> keys = { "attributes",    "history",       "traits",          "imageBinary",
                                                "TimesDeployed", "TimesLeader",   "TimesMedic",      "TimesEngineer",
                                                "BonusLeader",   "BonusMedic",    "BonusEngineer",   "BonusMultiplier",
                                                "steamCharacterID", "sprites",    "UnseenMementos",  "mementos" };
    return keys;
}

std::int32_t clampToInt32(double value)
{
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(value, lowest, highest));
}

// The texts of the array `key` (none when absent); anything else fails with the key as label.
std::vector<std::string> textList(const Json::Value& object, const char* key)
{
    std::vector<std::string> texts;
    const Json::Value& list = object[key];
    if (list.isNull())
        return texts;
    if (!list.isArray())
        throw Character::ReadError(key);
    for (const Json::Value& element : list) {
        auto text = jsonText(element);
        if (!text)
            throw Character::ReadError(key);
        texts.push_back(*text);
    }
    return texts;
}

std::string hexColour(const sf::Color& colour)
{
    char text[8];
    std::snprintf(text, sizeof(text), "%02x%02x%02x", colour.r, colour.g, colour.b);
    return text;
}

struct BadgeLook {
    const char* title;
    const char* description;
    const char* picture;
};

const BadgeLook badges[] = {
    { "Rank 0", "All Missions:", "rank0.png" },
    { "Level 0 Leader",
      "Experienced Leaders perform better in situations requiring social interaction.\n\nLeader Missions:",
      "leader0.png" },
    { "Level 0 Medic",
      "Experienced Medics perform better in situations requiring physcial awareness and control.\n\nMedic Missions:",
      "medic0.png" },
    { "Level 0 Engineer",
      "Experienced Engineers perform better in situations requiring understanding and calculation.\n\nEngineer "
      "Missions:",
      "engineer0.png" },
};
constexpr std::size_t badgeCount = 4;

// One more credit on a counter that stops at 4; the value before the stop decides whether
// the badge picture changes.
std::uint32_t creditedValue(std::uint32_t counter)
{
    return counter >= 4 ? 5 : counter + 1;
}

} // namespace

Character::Character(std::string assetsRoot)
    : color(255, 0, 0, 255)
    , assetsRoot_(std::move(assetsRoot))
{
    properties["pronouns"] = "They/Them/Theirs";
}

Character::Character()
    : Character(assetsPath())
{
}

std::string Character::name() const
{
    auto found = properties.find("name");
    return found == properties.end() ? std::string() : found->second;
}

const std::string& Character::getProperty(const std::string& key) const
{
    auto found = properties.find(key);
    if (found == properties.end())
        // Reaches a script's error window: say whose property is missing.
        throw std::out_of_range("Character::getProperty, " + name() + " has no \"" + key + "\"");
    return found->second;
}

std::string Character::logSource() const
{
    return filePath.empty() ? "character " + name() : filePath;
}

bool Character::loadFromFile(bool fromMod, const std::string& path, const std::string& shortName)
{
    filePath = path;
    isFromMod = fromMod;
    loadedFilename = shortName;
    Json::Value root;
    std::string errors;
    if (!parseJsonFile(path, root, errors)) {
        QV_LOG << errors << "Could not parse character file " << path << " it will not be loaded!\n" << std::flush;
        return false;
    }
    try {
        fromJson(root);
    } catch (const ReadError& error) {
        QV_LOG << "Failed to load character file: " << path << " at: " << error.what() << std::endl;
    }
    if (!hasProperty("name")) {
        QV_LOG << "Warning: Character::loadFromFile, " << path << " gives no \"name\"; it is left out" << std::endl;
        return false;
    }
    return true;
}

void Character::fromJson(const Json::Value& object)
{
    if (!object.isObject())
        throw ReadError("generation");

    const Json::Value& secret = object["secret"];
    if (!secret.isNull()) {
        if (!secret.isBool() && !secret.isNumeric())
            throw ReadError("secret");
        isSecret = secret.asBool();
    }

    const Json::Value& attrs = object["attributes"];
    if (!attrs.isNull()) {
        if (!attrs.isObject())
            throw ReadError("attributes");
        for (auto member = attrs.begin(); member != attrs.end(); ++member) {
            if (member->isNull())
                continue;
            if (!member->isInt())
                throw ReadError("attributes");
            std::int32_t& value = attributes[member.name()];
            value = clampToInt32(static_cast<double>(value) + member->asInt());
        }
    }

    traits = textList(object, "traits");

    card.clearPictures();
    listedSprites = textList(object, "sprites");
    for (const std::string& sprite : listedSprites) {
        card.addPicture(sprite);
        spriteNames.push_back(sprite);
    }

    for (auto member = object.begin(); member != object.end(); ++member) {
        if (dedicatedKeys().count(member.name()))
            continue;
        auto text = jsonText(*member);
        if (!text)
            throw ReadError("generation");
        properties[member.name()] = *text;
    }

    readCounters(object);

    if (object.isMember("history")) {
        const Json::Value& text = object["history"];
        if (auto whole = jsonText(text)) {
            history = *whole;
        } else if (text.isArray()) {
            std::string joined;
            for (const Json::Value& part : text) {
                auto piece = jsonText(part);
                if (!piece)
                    throw ReadError("history");
                joined += *piece;
            }
            history = joined;
        } else {
            throw ReadError("history");
        }
    }

    readColour(object);
    readPortrait(object);
}

void Character::readCounters(const Json::Value& object)
{
    std::uint32_t* counters[] = { &timesDeployed, &timesLeader, &timesMedic, &timesEngineer,
                                  &bonusLeader,   &bonusMedic,  &bonusEngineer };
    auto wrongValue = [&](const char* key, const std::string& expected) {
        QV_LOG << "Warning: Character::fromJson, " << logSource() << " key \"" << key << "\" is not " << expected
               << "; it keeps its value" << std::endl;
    };
    for (std::size_t i = 0; i < std::size(counterKeys); ++i) {
        const Json::Value& value = object[counterKeys[i]];
        if (value.isNull())
            continue;
        if (value.isUInt())
            *counters[i] = value.asUInt();
        else
            wrongValue(counterKeys[i], "a whole number from 0 to 4294967295");
    }
    const Json::Value& multiplier = object["BonusMultiplier"];
    if (!multiplier.isNull()) {
        double weight = (multiplier.isNumeric() || multiplier.isBool()) ? multiplier.asDouble() : NAN;
        if (std::isfinite(weight) && std::fabs(weight) <= std::numeric_limits<float>::max())
            bonusMultiplier = static_cast<float>(weight);
        else
            wrongValue("BonusMultiplier", "a number");
    }
    const Json::Value& unseen = object["UnseenMementos"];
    if (!unseen.isNull()) {
        if (unseen.isBool())
            unseenMementos = unseen.asBool();
        else
            wrongValue("UnseenMementos", "true or false");
    }
    const Json::Value& published = object["steamCharacterID"];
    if (!published.isNull()) {
        if (published.isUInt())
            steamCharacterID = published.asUInt();
        else
            wrongValue("steamCharacterID", "a whole number from 0 to 4294967295");
    }
}

void Character::readColour(const Json::Value& object)
{
    const std::string who = name();
    const Json::Value& value = object["color"];
    if (value.isNull()) {
        std::cout << "No existing colour defined for " << who << ". Getting fallback." << std::endl;
        color = CrewColours::get().forName(who);
        return;
    }
    auto text = jsonText(value);
    if (!text) {
        std::cout << "Error while loading character colour for " << who << ". Falling back to default." << std::endl;
        color = CrewColours::get().forName(who);
        return;
    }
    color = parseHexColor(*text);
}

void Character::readPortrait(const Json::Value& object)
{
    const Json::Value& value = object["imageBinary"];
    if (value.isNull())
        return;
    // An empty or broken picture (an older save wrote "" when a portrait file could not be
    // read) counts as no picture, so the character keeps the sprites it has.
    sf::Image image;
    std::string why = "it is not a text";
    if (!value.isString()
        || PictureBytes::decodeBase64(value.asString(), image, why) != PictureBytes::Result::Decoded) {
        QV_LOG << "Warning: Character::fromJson, " << logSource() << " key \"imageBinary\" holds no picture ("
               << why << "); it is ignored" << std::endl;
        return;
    }
    imageBase64 = value.asString();
    card.setPortrait(image);
    spriteNames.assign(1, "imageBinary:" + name());
}

std::string Character::portraitForSave() const
{
    std::string bytes;
    if (!readWholeFile(assetsRoot_ + charactersFolder + spriteNames.front(), bytes))
        return {};
    return Base64::encode(bytes);
}

Json::Value Character::toJson() const
{
    const std::string who = name();
    Json::Value object(Json::objectValue);
    object["LoadedFilename"] = loadedFilename;
    const std::uint32_t counters[] = { timesDeployed, timesLeader, timesMedic, timesEngineer,
                                       bonusLeader,   bonusMedic,  bonusEngineer };
    for (std::size_t i = 0; i < std::size(counterKeys); ++i)
        object[counterKeys[i]] = Json::UInt(counters[i]);
    object["BonusMultiplier"] = static_cast<double>(bonusMultiplier);
    object["UnseenMementos"] = unseenMementos;

    // A character without pictures is legal in a file; it simply has no portrait to save.
    const bool embedded = !spriteNames.empty() && spriteNames.front() == "imageBinary:" + who;
    if (embedded)
        object["imageBinary"] = imageBase64;
    else if (!spriteNames.empty())
        object["imageBinary"] = portraitForSave();

    Json::Value attrs(Json::objectValue);
    for (const auto& [key, value] : attributes)
        attrs[key] = value;
    object["attributes"] = attrs;
    if (mementos.empty()) {
        QV_LOG << "No mementos for: " << who << std::endl;
    } else {
        Json::Value list(Json::arrayValue);
        for (const auto& memento : mementos)
            list.append(memento->toJson());
        object["mementos"] = list;
    }
    object["history"] = history;
    Json::Value traitList(Json::arrayValue);
    for (const std::string& trait : traits)
        traitList.append(trait);
    object["traits"] = traitList;
    const std::vector<std::string>& sprites = embedded ? listedSprites : spriteNames;
    if (!sprites.empty()) {
        Json::Value spriteList(Json::arrayValue);
        for (const std::string& sprite : sprites)
            spriteList.append(sprite);
        object["sprites"] = spriteList;
    }
    if (steamCharacterID != 0)
        object["steamCharacterID"] = Json::UInt(steamCharacterID);
    for (const auto& [key, value] : properties)
        object[key] = value;
    object["color"] = hexColour(color);
    object["secret"] = isSecret;
    return object;
}

std::int32_t Character::getAttr(const std::string& attr)
{
    std::uint32_t bonus = attr == "physical" ? bonusMedic
        : attr == "mental"                   ? bonusEngineer
        : attr == "social"                   ? bonusLeader
                                             : 0;
    float weighted = bonus == 0 ? 0.f : std::floor(static_cast<float>(bonus) * bonusMultiplier);
    if (!std::isfinite(weighted))
        weighted = 0.f;
    return clampToInt32(static_cast<double>(attributes[attr]) + static_cast<double>(weighted));
}

bool Character::hasTrait(const std::string& text) const
{
    return std::any_of(traits.begin(), traits.end(),
                       [&](const std::string& trait) { return trait.find(text) != std::string::npos; });
}

bool Character::giveMemento(int day, const std::string& mementoName, const std::string& missionName,
                            PlayerStats* stats)
{
    auto memento = Memento::give(name(), day, mementoName, missionName, stats, assetsRoot_);
    if (!memento)
        return false;
    mementos.push_back(memento);
    unseenMementos = true;
    return true;
}

bool Character::hasMemento(const std::string& mementoName) const
{
    return std::any_of(mementos.begin(), mementos.end(),
                       [&](const std::shared_ptr<Memento>& memento) { return memento->answersTo(mementoName); });
}

void Character::addBadges()
{
    const std::string who = name();
    for (const BadgeLook& look : badges) {
        auto badge = std::make_shared<Memento>(assetsRoot_);
        badge->setName(look.title);
        badge->setDescription(look.description);
        badge->setPicture(look.picture);
        badge->setInsetPicture("rank_inset.png");
        badge->setOwner(who, -1, "");
        mementos.push_back(badge);
    }
}

void Character::creditDeployment(const std::string& missionName)
{
    const std::uint32_t credited = creditedValue(timesDeployed);
    timesDeployed = std::min<std::uint32_t>(credited, 4);
    if (mementos.size() < badgeCount)
        return;
    Memento& rank = *mementos[0];
    rank.setDescription(rank.getDescription() + "\n - " + missionName);
    if (credited <= 4)
        rank.setPicture("rank" + std::to_string(credited) + ".png");
    rank.setName("Rank " + std::to_string(timesDeployed));
    rank.setOwner(name(), -1, "");
}

void Character::creditRole(Role role, const std::string& missionName)
{
    struct RoleParts {
        std::uint32_t& times;
        std::uint32_t& bonus;
        std::size_t badge;
        const char* picture;
        const char* word;
    };
    RoleParts parts = role == Role::Leader ? RoleParts{ timesLeader, bonusLeader, 1, "leader", " Leader" }
        : role == Role::Medic              ? RoleParts{ timesMedic, bonusMedic, 2, "medic", " Medic" }
                                           : RoleParts{ timesEngineer, bonusEngineer, 3, "engineer", " Engineer" };
    const std::uint32_t credited = creditedValue(parts.times);
    parts.times = std::min<std::uint32_t>(credited, 4);
    parts.bonus = std::min<std::uint32_t>(creditedValue(parts.bonus), 4);
    if (mementos.size() < badgeCount)
        return;
    Memento& badge = *mementos[parts.badge];
    if (missionName != "null")
        badge.setDescription(badge.getDescription() + "\n - " + missionName);
    if (credited <= 4)
        badge.setPicture(parts.picture + std::to_string(credited) + ".png");
    badge.setName("Level " + std::to_string(parts.times) + parts.word);
    // Like the rank badge, its origin line follows the new title.
    badge.setOwner(name(), -1, "");
}

bool Character::sameCharacter(const Character& other) const
{
    if (!filePath.empty() && !other.filePath.empty())
        return filePath == other.filePath;
    if (steamCharacterID != 0 && other.steamCharacterID != 0)
        return steamCharacterID == other.steamCharacterID;
    return name() == other.name() && isFromMod == other.isFromMod;
}

std::string Character::nameText() const
{
    std::string text = name();
    std::replace(text.begin(), text.end(), ' ', '\n');
    return text;
}

void Character::prepareCard(TextureManager& textures, bool deathIcon)
{
    card.prepare(textures, nameText(), color, deathIcon);
}

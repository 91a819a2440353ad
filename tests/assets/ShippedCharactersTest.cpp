// The crew that ships with the game (assets-src/static/char/) and the files that go with it: the
// things an edit to the content could break without any code noticing. The twelve names must be
// the ones the achievements count, the hidden two must stay hidden, every trait must be one the
// crew creator can show in its slots, and every portrait must be drawn and say the right species
// in its file name (the creator reads the species from it).
#include "achievements/AchievementManager.hpp"
#include "core/JsonRead.hpp"
#include "support/ShippedAssets.hpp"

#include <gtest/gtest.h>
#include <json/value.h>
#include <json/writer.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

const std::string portraitFolder = "general/character_related/characters/";

std::vector<ShippedFile> shippedCharacters()
{
    return readJsonFolder(sourceAssets() / "static" / "char");
}

const std::set<std::string> professions = {"Mechanic", "Farmer", "Politician", "Soldier", "Surgeon", "Scientist",
    "Athlete", "Comedian", "Counselor"};
const std::set<std::string> positiveTraits = {"Observant", "Lucky", "Empathic", "Cautious", "Abstemious", "Strong",
    "Stealthy", "Tough", "Teamworker", "Polite", "Confident", "Genial"};
const std::set<std::string> negativeTraits = {"Distracted", "Stubborn", "Violent", "Reckless", "Gluttonous", "Weak",
    "Addicted", "Disabled", "Loner", "Kleptomaniac", "Xenophobic", "Competitive"};

// The crew creator's slots after the species trait, by species.
std::vector<const std::set<std::string>*> creatorSlots(const std::string& species)
{
    if (species == "Cygen")
        return {&professions, &positiveTraits, &negativeTraits, &negativeTraits};
    if (species == "Cephalopod" || species == "Avian")
        return {&positiveTraits, &positiveTraits, &positiveTraits, &negativeTraits};
    return {&professions, &positiveTraits, &positiveTraits, &negativeTraits};
}

// The crew creator's reading of a portrait's file name.
std::string speciesForPortrait(const std::string& file)
{
    if (file.find("_cy") != std::string::npos)
        return "Cygen";
    if (file.find("_ceph") != std::string::npos)
        return "Cephalopod";
    if (file.find("tux") != std::string::npos)
        return "Avian";
    return "Human";
}

} // namespace

TEST(ShippedCharacters, AreTheTwelveTheAchievementsCountWithOnlyTheHiddenTwoSecret)
{
    std::multiset<std::string> names;
    std::set<std::string> secret;
    for (const ShippedFile& c : shippedCharacters()) {
        ASSERT_TRUE(c.json["name"].isString()) << c.file;
        names.insert(c.json["name"].asString());
        ASSERT_TRUE(c.json["secret"].isBool()) << c.file << ": \"secret\" must be true or false";
        if (c.json["secret"].asBool())
            secret.insert(c.json["name"].asString());
    }
    const auto& catalogue = AchievementManager::characterNames();
    EXPECT_EQ(names, std::multiset<std::string>(catalogue.begin(), catalogue.end()));
    EXPECT_EQ(secret, (std::set<std::string>{"Vodov Daveze", "Dorov Zivuv"}));
}

TEST(ShippedCharacters, UseTheCrewVocabularyInTheCreatorsSlotOrder)
{
    const std::set<std::string> pronounSets = {"he/him/his", "she/her/hers", "they/them/theirs", "xe/xem/xyrs"};
    for (const ShippedFile& c : shippedCharacters()) {
        EXPECT_EQ(pronounSets.count(c.json["pronouns"].asString()), 1u)
            << c.file << ": pronouns must be a set in lower case, not " << c.json["pronouns"];
        const Json::Value& traits = c.json["traits"];
        ASSERT_TRUE(traits.isArray() && traits.size() == 5) << c.file << ": the species and four traits";
        std::string species = traits[0].asString();
        auto slots = creatorSlots(species);
        EXPECT_TRUE(species == "Human" || species == "Cygen" || species == "Cephalopod" || species == "Avian")
            << c.file << ": the first trait must be the species, not " << species;
        std::set<std::string> seen;
        for (unsigned slot = 0; slot < slots.size(); ++slot) {
            std::string trait = traits[slot + 1].asString();
            EXPECT_EQ(slots[slot]->count(trait), 1u) << c.file << ": \"" << trait << "\" cannot stand in slot "
                                                     << slot + 1 << " for a " << species;
            EXPECT_TRUE(seen.insert(trait).second) << c.file << ": \"" << trait << "\" twice";
        }
    }
}

TEST(ShippedCharacters, HaveAttributesFromZeroToTenABiographyAndAColourOfTheirOwn)
{
    std::set<std::string> colours;
    for (const ShippedFile& c : shippedCharacters()) {
        const Json::Value& attributes = c.json["attributes"];
        ASSERT_TRUE(attributes.isObject()) << c.file;
        EXPECT_EQ(attributes.getMemberNames(), (std::vector<std::string>{"mental", "physical", "social"})) << c.file;
        for (const std::string& key : attributes.getMemberNames()) {
            EXPECT_TRUE(attributes[key].isInt() && attributes[key].asInt() >= 0 && attributes[key].asInt() <= 10)
                << c.file << ": " << key << " is " << attributes[key];
        }
        EXPECT_TRUE(c.json["history"].isString() && !c.json["history"].asString().empty()) << c.file;
        std::string colour = c.json["color"].asString();
        bool hex = colour.size() == 6 && std::all_of(colour.begin(), colour.end(), [](unsigned char ch) {
            return std::isdigit(ch) || (ch >= 'a' && ch <= 'f');
        });
        EXPECT_TRUE(hex) << c.file << ": colour \"" << colour << "\" is not six lower-case hex digits";
        EXPECT_TRUE(colours.insert(colour).second) << c.file << ": colour " << colour << " is already taken";
    }
}

TEST(ShippedCharacters, NameADrawnPortraitWhoseFileNameSaysTheirSpecies)
{
    auto sizes = manifestSizes();
    for (const ShippedFile& c : shippedCharacters()) {
        EXPECT_FALSE(c.json.isMember("imageBinary")) << c.file << ": shipped portraits come from the generator";
        const Json::Value& sprites = c.json["sprites"];
        ASSERT_TRUE(sprites.isArray() && sprites.size() == 1) << c.file << ": one portrait in \"sprites\"";
        std::string portrait = sprites[0].asString();
        auto listed = sizes.find(portraitFolder + portrait);
        ASSERT_TRUE(listed != sizes.end()) << c.file << ": " << portrait << " is not a drawn portrait";
        EXPECT_EQ(listed->second, std::make_pair(14u, 26u)) << portrait << " does not fit the crew card";
        EXPECT_EQ(speciesForPortrait(portrait), c.json["traits"][0].asString()) << c.file << ": " << portrait;
    }
}

TEST(ShippedCrewFiles, ColourListHoldsOnlySixDigitColours)
{
    Json::Value colours;
    std::string errors;
    ASSERT_TRUE(parseJsonFile((sourceAssets() / "static/general/character_related/character_colors.json").string(),
        colours, errors))
        << errors;
    ASSERT_TRUE(colours.isArray());
    EXPECT_GE(colours.size(), 12u);
    for (const Json::Value& colour : colours) {
        std::string text = colour.asString();
        EXPECT_TRUE(colour.isString() && text.size() == 6 && text.find_first_not_of("0123456789abcdef") == std::string::npos)
            << colour;
    }
}

TEST(ShippedCrewFiles, MementosNameEveryKeyAndADrawnPicture)
{
    auto sizes = manifestSizes();
    auto mementos = readJsonFolder(sourceAssets() / "static" / "mementos");
    std::set<std::string> files;
    for (const ShippedFile& m : mementos) {
        files.insert(m.file);
        for (const char* key : {"Name", "Description", "Origin", "InsetSprite", "MementoSprite"})
            EXPECT_TRUE(m.json[key].isString()) << m.file << ": \"" << key << "\" must be a text";
        for (const char* key : {"InsetSprite", "MementoSprite"})
            EXPECT_EQ(sizes.count("mementos/images/" + m.json[key].asString()), 1u)
                << m.file << ": " << m.json[key] << " is not drawn";
    }
    // The kill operation gives "death"; a new "Dorov Zivuv" is given "dorov_family_photo".
    EXPECT_EQ(files.count("death.json"), 1u);
    EXPECT_EQ(files.count("dorov_family_photo.json"), 1u);
}

// The crew creator's names file: three lists of short ASCII names, none of whose pairs is the
// name of a shipped character, so a made-up crew member is never taken for one of the cast.
TEST(ShippedCrewFiles, RandomNamesAreShortAsciiAndNeverACastName)
{
    Json::Value names;
    std::string errors;
    ASSERT_TRUE(parseJsonFile((sourceAssets() / "static" / "crew_creator" / "randomNames.json").string(), names, errors))
        << errors;
    std::set<std::string> cast;
    for (const ShippedFile& c : shippedCharacters())
        cast.insert(c.json["name"].asString());
    std::vector<std::string> firsts;
    for (const char* key : {"FirstMale", "FirstFemale", "LastNames"}) {
        ASSERT_TRUE(names[key].isArray()) << key;
        EXPECT_GE(names[key].size(), 20u) << key;
        for (const Json::Value& name : names[key]) {
            ASSERT_TRUE(name.isString()) << key;
            const std::string text = name.asString();
            EXPECT_TRUE(!text.empty() && text.size() <= 9) << text;
            EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)); }))
                << text;
            if (std::string(key) != "LastNames")
                firsts.push_back(text);
        }
    }
    for (const std::string& first : firsts)
        for (const Json::Value& last : names["LastNames"])
            EXPECT_EQ(cast.count(first + " " + last.asString()), 0u) << first << " " << last.asString();
}

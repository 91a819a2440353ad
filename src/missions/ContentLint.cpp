#include "missions/ContentLint.hpp"

#include "achievements/VoidAchievementManager.hpp"
#include "core/FileUtils.hpp"
#include "core/JsonRead.hpp"
#include "crew/Character.hpp"
#include "crew/CharacterManager.hpp"
#include "crew/CrewVocabulary.hpp"
#include "missions/LuaManager.hpp"
#include "missions/Memento.hpp"
#include "missions/Mission.hpp"
#include "world/SectorPictures.hpp"
#include "world/ShipSystemsFile.hpp"

#include <lua.hpp>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <regex>
#include <utility>

namespace fs = std::filesystem;

namespace {

const char* const settingsKey = "non Display Items";
const char* const libraryFile = "missions/library/library.lua";

struct MissionFolder {
    const char* json;
    const char* lua;
};
const MissionFolder missionFolders[] = {
    { "missions/json/", "missions/lua/" },
    { "missions/random/json/", "missions/random/lua/" },
    { "missions/events/json/", "missions/events/lua/" },
};

// Regular files of a folder, sorted by name (none when it is missing).
std::vector<std::string> filesIn(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        names.push_back(it->path().filename().string() + (it->is_directory() ? "/" : ""));
    std::sort(names.begin(), names.end());
    return names;
}

bool endsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string firstLine(const std::string& text)
{
    std::string line = text.substr(0, text.find('\n'));
    return line.empty() ? "cannot be read" : line;
}

std::size_t editDistance(const std::string& a, const std::string& b)
{
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({ row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1) });
            diagonal = above;
        }
    }
    return row[b.size()];
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

std::set<std::string> vocabulary(std::initializer_list<const std::vector<std::string>*> lists)
{
    std::set<std::string> words;
    for (const auto* list : lists)
        words.insert(list->begin(), list->end());
    return words;
}

const std::set<std::string> attributeNames = { "physical", "mental", "social" };

} // namespace

ContentLint::ContentLint(std::string root, std::string assets, bool isMod)
    : root_(std::move(root))
    , assets_(std::move(assets))
    , isMod_(isMod)
{
}

std::string ContentLint::fullPath(const std::string& relative) const
{
    if (fs::exists(root_ + relative))
        return root_ + relative;
    return assets_ + relative;
}

bool ContentLint::exists(const std::string& relative) const
{
    return fs::is_regular_file(root_ + relative) || fs::is_regular_file(assets_ + relative);
}

std::string ContentLint::closestName(const std::string& name, const std::set<std::string>& names)
{
    std::string best;
    std::size_t bestDistance = 3;
    for (const std::string& candidate : names) {
        const std::size_t distance = editDistance(name, candidate);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = candidate;
        }
    }
    return best;
}

LintReport ContentLint::run()
{
    report_ = LintReport();
    counted_.clear();
    bound_ = LuaManager::boundMethods();
    for (const std::string& picture : SectorPictures::fromAssets(assets_).planets)
        planetPictures_.insert(picture);
    if (isMod_)
        for (const std::string& picture : SectorPictures::fromAssets(root_).planets)
            planetPictures_.insert(picture);

    checkCharacters();
    checkMissions();
    checkStrayFiles();
    checkScripts();
    checkCrossScript();
    checkMementos();
    checkColours();
    checkRandomNames();
    checkShipSystems();
    return report_;
}

// ---- Mission files ----

void ContentLint::checkMissions()
{
    for (const MissionFolder& folder : missionFolders)
        for (const std::string& name : filesIn(root_ + folder.json))
            if (endsWith(name, ".json"))
                checkMissionFile(folder.json, name);
    if (counted_.count("missions") == 0)
        return;

    // The story runs 1, 2, 3 ... without a gap: the map only ever offers the next order.
    std::set<int> orders;
    for (const StoryEntry& entry : story_)
        orders.insert(entry.order);
    int expected = 1;
    for (int order : orders) {
        if (order != expected) {
            for (const StoryEntry& entry : story_)
                if (entry.order == order)
                    report_.error(entry.file, "Story Order",
                                  "story order " + std::to_string(order) + " follows a gap: no mission has order "
                                      + std::to_string(expected) + ", so the story stops there");
            expected = order;
        }
        ++expected;
    }
    // Content still to come rather than content that breaks: the map skips a named event that
    // is missing (with a log line) and places no event it does not have.
    if (!isMod_) {
        for (const char* event : { "starvation.json", "outofgas.json" })
            if (!namedEvents_.count(event))
                report_.warning(std::string("missions/events/json/") + event, "",
                              "the named event is missing: the map plays it when the ship runs out of "
                                  + std::string(event[0] == 's' ? "food" : "fuel"));
        if (foodEvents_ == 0)
            report_.warning("missions/json/", "", "there is no food event (\"Mission Type\" \"food\")");
        if (fuelEvents_ == 0)
            report_.warning("missions/json/", "", "there is no fuel event (\"Mission Type\" \"fuel\")");
    }
}

void ContentLint::checkMissionFile(const std::string& folder, const std::string& name)
{
    const std::string file = folder + name;
    const std::string path = root_ + file;
    count("missions");

    Json::Value root;
    std::string errors;
    if (!parseJsonFile(path, root, errors)) {
        report_.error(file, "", "the file does not parse: " + firstLine(errors));
        return;
    }
    if (!root.isObject()) {
        report_.error(file, "", "the file is not a JSON object");
        return;
    }
    for (const std::string& key : root.getMemberNames()) {
        if (key == settingsKey)
            continue;
        if (root[key].isArray() || root[key].isObject())
            report_.error(file, key, "a display value must be a text, a number or true/false");
    }
    if (root.isMember(settingsKey)) {
        const Json::Value& settings = root[settingsKey];
        if (!settings.isObject()) {
            report_.error(file, settingsKey, "must be an object");
        } else {
            for (const std::string& key : settings.getMemberNames()) {
                const Json::Value& value = settings[key];
                if (key == "Min Crew" || key == "Max Crew" || key == "Story Order") {
                    if (!value.isInt())
                        report_.error(file, key, "must be a whole number");
                } else if (key == "Mandatory" || key == "Engineer" || key == "Medic" || key == "Leader"
                           || key == "NoDeploy") {
                    if (!value.isBool())
                        report_.error(file, key, "must be true or false");
                } else if (value.isArray() || value.isObject()) {
                    report_.error(file, key, "must be a text, a number or true/false");
                }
            }
        }
    }

    Mission mission;
    mission.loadMissionFile(path, file);

    const std::string luaFile = mission.getItem("Lua file");
    if (luaFile == "null") {
        report_.error(file, "Lua file", "the mission names no \"Lua file\"");
    } else {
        const std::string relative = luaFile.substr(luaFile.find_first_not_of('/') == std::string::npos
                                                        ? luaFile.size()
                                                        : luaFile.find_first_not_of('/'));
        scriptsNamed_.insert(relative);
        if (!exists(relative))
            report_.error(file, "Lua file", "the script " + luaFile + " does not exist");
    }

    const std::string type = mission.getItem("Mission Type");
    const std::string image = mission.getItem("Image file");
    if (image != "null" && !planetPictures_.count(image))
        report_.error(file, "Image file", "\"" + image + "\" is not a planet picture (mapscreen/planets/)");
    else if (image == "null" && folder == "missions/json/")
        report_.error(file, "Image file", "the mission names no \"Image file\", so the map draws nothing");

    if (folder == "missions/json/") {
        if (type == "random" || type == "starvation" || type == "outofgas")
            report_.error(file, "Mission Type", "a \"" + type + "\" mission does not belong in missions/json/");
        if (mission.storyOrder != 0) {
            story_.push_back({ file, mission.storyOrder });
            if (mission.getItem("Recap") == "null")
                report_.error(file, "Recap", "a story mission needs a \"Recap\" for the sector summary");
        } else if (type == "food") {
            ++foodEvents_;
        } else if (type == "fuel") {
            ++fuelEvents_;
        }
    } else if (folder == "missions/random/json/") {
        if (type != "random")
            report_.error(file, "Mission Type", "a mission in missions/random/json/ must have \"Mission Type\" \"random\"");
    } else {
        if (type != "starvation" && type != "outofgas")
            report_.error(file, "Mission Type",
                          "a named event must have \"Mission Type\" \"starvation\" or \"outofgas\"");
        namedEvents_.insert(name);
    }

    if (mission.minCrew < 0 || mission.minCrew > mission.maxCrew)
        report_.error(file, "Min Crew",
                      "needs 0 <= Min Crew <= Max Crew (" + std::to_string(mission.minCrew) + ", "
                          + std::to_string(mission.maxCrew) + ")");
    if (mission.noDeploy && (mission.minCrew != 0 || mission.maxCrew != 0))
        report_.error(file, "NoDeploy", "a mission that sends no team needs Min Crew and Max Crew 0");
    if (mission.mandatory && mission.minCrew > 1)
        report_.error(file, "Mandatory",
                      "a mandatory mission with Min Crew above 1 can leave the deploy screen with no way out");
    if (mission.isDeployMission() && !mission.noDeploy && mission.maxCrew < 1)
        report_.error(file, "Max Crew", "a deploy mission needs Max Crew 1 or more");
}

void ContentLint::checkStrayFiles()
{
    const std::string missions = root_ + "missions/";
    if (!fs::is_directory(missions))
        return;
    std::set<std::string> expected = { "missions/json/", "missions/lua/", "missions/random/", "missions/events/",
        "missions/library/", "missions/random/json/", "missions/random/lua/", "missions/events/json/",
        "missions/events/lua/" };
    std::error_code error;
    for (fs::recursive_directory_iterator it(missions, error), end; !error && it != end; it.increment(error)) {
        const std::string relative = "missions/" + fs::relative(it->path(), missions).generic_string();
        if (it->is_directory()) {
            if (!expected.count(relative + "/")) {
                report_.warning(relative + "/", "", "a stray folder in the mission folders");
                it.disable_recursion_pending();
            }
            continue;
        }
        const std::string folder = relative.substr(0, relative.rfind('/') + 1);
        const bool jsonFolder = folder == "missions/json/" || folder == "missions/random/json/"
            || folder == "missions/events/json/";
        const bool luaFolder = folder == "missions/lua/" || folder == "missions/random/lua/"
            || folder == "missions/events/lua/" || folder == "missions/library/";
        if ((jsonFolder && endsWith(relative, ".json")) || (luaFolder && endsWith(relative, ".lua")))
            continue;
        report_.warning(relative, "", "a stray file in the mission folders");
    }
}

// ---- Scripts ----

void ContentLint::checkScripts()
{
    std::vector<std::string> files;
    if (fs::is_regular_file(root_ + libraryFile))
        files.push_back(libraryFile);
    for (const MissionFolder& folder : missionFolders)
        for (const std::string& name : filesIn(root_ + folder.lua))
            if (endsWith(name, ".lua"))
                files.push_back(folder.lua + name);

    std::set<std::string> libraryGlobals;
    std::string librarySource;
    if (readWholeFile(fullPath(libraryFile), librarySource))
        libraryGlobals = LuaSourceScan::scan(librarySource).globalDefinitions;

    for (const std::string& file : files) {
        count("scripts");
        std::string source;
        if (!readWholeFile(root_ + file, source)) {
            report_.error(file, "", "the script cannot be read");
            continue;
        }
        // Compiles as the game loads it: text only.
        lua_State* L = luaL_newstate();
        if (!L)
            continue;
        const int status = luaL_loadbufferx(L, source.data(), source.size(), ("=" + file).c_str(), "t");
        if (status != LUA_OK) {
            const std::string message = lua_tostring(L, -1) ? lua_tostring(L, -1) : "does not compile";
            std::smatch match;
            static const std::regex position("^[^:]*:([0-9]+): (.*)$");
            if (std::regex_match(message, match, position))
                report_.error(file, std::stoi(match[1]), "does not compile: " + match[2].str());
            else
                report_.error(file, "", "does not compile: " + message);
        }
        lua_close(L);
        if (status != LUA_OK)
            continue;

        scripts_.push_back({ file, LuaSourceScan::scan(source) });
        if (file != libraryFile && !scriptsNamed_.empty() && !scriptsNamed_.count(file))
            report_.warning(file, "", "no mission names this script in its \"Lua file\"");
    }
    for (const ScriptFacts& script : scripts_)
        checkScript(script, libraryGlobals);
}

void ContentLint::checkScript(const ScriptFacts& script, const std::set<std::string>& libraryGlobals)
{
    static const std::set<std::string> known = LuaManager::standardGlobals();
    std::set<std::string> reported;
    for (const LuaSourceScan::Name& use : script.scan.globalUses) {
        const std::string& name = use.name;
        if (known.count(name) || libraryGlobals.count(name) || script.scan.globalDefinitions.count(name)
            || reported.count(name))
            continue;
        reported.insert(name);
        std::set<std::string> candidates = known;
        candidates.insert(libraryGlobals.begin(), libraryGlobals.end());
        candidates.insert(script.scan.globalDefinitions.begin(), script.scan.globalDefinitions.end());
        const std::string closest = closestName(name, candidates);
        report_.error(script.file, use.line,
                      "\"" + name + "\" is neither bound, nor defined by the library or this script"
                          + (closest.empty() ? std::string(" (a typo?)") : " (did you mean \"" + closest + "\"?)"));
    }
    for (const LuaSourceScan::Call& call : script.scan.calls)
        checkCall(script.file, call);
    checkLiterals(script);
}

void ContentLint::checkCall(const std::string& file, const LuaSourceScan::Call& call)
{
    const auto object = bound_.find(call.object);
    if (object == bound_.end())
        return;
    const std::set<std::string>& methods = object->second;
    if (!methods.count(call.method)) {
        const std::string closest = closestName(call.method, methods);
        report_.error(file, call.line,
                      call.object + " has no function \"" + call.method + "\""
                          + (closest.empty() ? std::string() : " (did you mean \"" + closest + "\"?)"));
        return;
    }
    if (!call.colon)
        report_.error(file, call.line,
                      "call " + call.object + ":" + call.method + " with a colon; with a dot it is a Lua error");

    // The literal arguments the game will look up.
    const auto literal = [&](std::size_t index) -> const std::string* {
        if (index >= call.arguments.size() || !call.arguments[index].isString)
            return nullptr;
        return &call.arguments[index].text;
    };
    const std::string& m = call.method;
    if (m == "giveMemento" || m == "hasMemento") {
        if (const std::string* name = literal(1)) {
            if (!exists("mementos/" + *name + ".json"))
                report_.error(file, call.line, "there is no memento \"" + *name + "\" (mementos/" + *name + ".json)");
            if (m == "giveMemento")
                mementosGiven_.insert(*name);
        }
    } else if (m == "unlockAchievement") {
        if (const std::string* id = literal(0)) {
            static const std::set<std::string> ids = [] {
                std::set<std::string> all;
                VoidAchievementManager achievements;
                achievements.buildCatalogue();
                for (const Achievement& entry : achievements.getCatalogue())
                    all.insert(entry.getId());
                return all;
            }();
            if (!ids.count(*id)) {
                const std::string closest = closestName(*id, ids);
                report_.error(file, call.line,
                              "there is no achievement \"" + *id + "\""
                                  + (closest.empty() ? std::string() : " (did you mean \"" + closest + "\"?)"));
            }
        }
    } else if (m == "setEndScreen") {
        if (const std::string* picture = literal(0))
            if (!exists("end_screens/" + *picture))
                report_.error(file, call.line, "there is no end-screen picture \"" + *picture + "\" (end_screens/)");
    } else if (m == "addQuestItem" || m == "hasQuestItem" || m == "removeQuestItem") {
        const std::string* item = literal(0);
        if (m == "addQuestItem") {
            if (item)
                itemsAdded_.insert(*item);
            else
                itemsAddedByVariable_ = true;
        }
        if (item && item->find("_research") != std::string::npos) {
            const auto& ids = AchievementManager::researchIds();
            if (std::find(ids.begin(), ids.end(), *item) == ids.end()) {
                const std::string closest = closestName(*item, std::set<std::string>(ids.begin(), ids.end()));
                report_.error(file, call.line,
                              "\"" + *item + "\" is not one of the eleven research ids"
                                  + (closest.empty() ? std::string() : " (did you mean \"" + closest + "\"?)"));
            }
        }
    } else if (m == "newCrew" || m == "getCrewByName") {
        if (const std::string* name = literal(0)) {
            if (!characterNames_.count(*name))
                report_.error(file, call.line, "no character is named \"" + *name + "\"");
            else if (m == "newCrew" && !CharacterManager::mementoOnJoining(*name).empty())
                mementosGiven_.insert(CharacterManager::mementoOnJoining(*name));
        }
    } else if (m == "getCharAttr" || m == "leastAttr" || m == "mostAttr" || m == "totalAttr" || m == "crewWithMost"
               || m == "crewWithLeast") {
        if (const std::string* attribute = literal(m == "getCharAttr" ? 1 : 0))
            if (!attributeNames.count(*attribute))
                report_.error(file, call.line,
                              "\"" + *attribute + "\" is not an attribute (physical, mental or social)");
    } else if (m == "getRandomCrewByPronoun") {
        // The roster compares the first word of the member's set, as the files write it.
        if (const std::string* pronoun = literal(0))
            if (*pronoun != "he" && *pronoun != "she" && *pronoun != "they" && *pronoun != "xe")
                report_.error(file, call.line, "\"" + *pronoun + "\" is no first pronoun (he, she, they, xe)");
    } else if (m == "getCharTrait" || m == "getCrewTraits") {
        if (const std::string* trait = literal(m == "getCharTrait" ? 1 : 0)) {
            static const std::set<std::string> traits
                = vocabulary({ &CrewVocabulary::professions(), &CrewVocabulary::positiveTraits(),
                               &CrewVocabulary::negativeTraits(), &CrewVocabulary::species() });
            if (!traits.count(*trait)) {
                const std::string closest = closestName(*trait, traits);
                report_.error(file, call.line,
                              "\"" + *trait + "\" is no trait, profession or species of the crew"
                                  + (closest.empty() ? std::string() : " (did you mean \"" + closest + "\"?)"));
            }
        }
    }
}

void ContentLint::checkLiterals(const ScriptFacts& script)
{
    // Colour markup: "<c=R,G,B>" with three decimal components 0..255. A literal that ends
    // inside the tag is put together at run time and cannot be judged here.
    static const std::regex tag("^<c=([0-9]{1,3}),([0-9]{1,3}),([0-9]{1,3})>");
    for (const LuaSourceScan::Literal& literal : script.scan.literals) {
        for (std::size_t at = literal.text.find("<c="); at != std::string::npos;
             at = literal.text.find("<c=", at + 1)) {
            const std::string rest = literal.text.substr(at);
            if (rest.find('>') == std::string::npos && rest.find_first_not_of("<c=0123456789,") == std::string::npos)
                continue;
            // A Lua pattern that finds markup ("^(<c=[^>]*>)") is no markup itself.
            if (rest.substr(0, rest.find('>')).find_first_of("[]^%*+?()") != std::string::npos)
                continue;
            std::smatch match;
            bool good = std::regex_search(rest, match, tag);
            for (int k = 1; good && k <= 3; ++k)
                good = std::stoi(match[k]) <= 255;
            if (!good)
                report_.error(script.file, literal.line,
                              "bad colour markup \"" + rest.substr(0, rest.find('>') + 1)
                                  + "\": write <c=R,G,B> with R, G and B from 0 to 255");
        }
    }
}

void ContentLint::checkCrossScript()
{
    for (const ScriptFacts& script : scripts_)
        for (const LuaSourceScan::Call& call : script.scan.calls) {
            if (call.object != "msnMgr" || call.method != "hasQuestItem" || call.arguments.empty()
                || !call.arguments[0].isString)
                continue;
            const std::string& item = call.arguments[0].text;
            if (itemsAdded_.count(item))
                continue;
            const std::string message = "the quest item \"" + item + "\" is tested but no script adds it";
            if (itemsAddedByVariable_)
                report_.warning(script.file, call.line, message);
            else
                report_.error(script.file, call.line, message);
        }
}

// ---- Mementos ----

void ContentLint::checkMementos()
{
    for (const std::string& name : filesIn(root_ + "mementos/")) {
        if (!endsWith(name, ".json"))
            continue;
        const std::string file = "mementos/" + name;
        count("mementos");
        Json::Value parsed;
        std::string errors;
        if (!parseJsonFile(root_ + file, parsed, errors) || !parsed.isObject()) {
            report_.error(file, "", "the file does not parse as a JSON object: " + firstLine(errors));
            continue;
        }
        const Json::Value& root = parsed;
        bool complete = true;
        for (const char* key : { "Name", "Description", "Origin", "MementoSprite", "InsetSprite" })
            if (!root[key].isString()) {
                report_.error(file, key, root.isMember(key) ? "must be a text" : "is missing");
                complete = false;
            }
        for (const char* key : { "MementoSprite", "InsetSprite" })
            if (root[key].isString() && !exists("mementos/images/" + root[key].asString()))
                report_.error(file, key, "the picture mementos/images/" + root[key].asString() + " does not exist");
        if (complete) {
            Memento memento(root_);
            if (!memento.loadFile(root_ + file, name))
                report_.error(file, "", "the game cannot read this memento (see the log)");
        }
        const std::string stem = name.substr(0, name.size() - 5);
        const bool missionScripts = std::any_of(scripts_.begin(), scripts_.end(),
                                                [](const ScriptFacts& script) { return script.file != libraryFile; });
        if (stem != "death" && missionScripts && !mementosGiven_.count(stem))
            report_.warning(file, "", "no script gives this memento");
    }
}

// ---- Characters and lists ----

void ContentLint::checkCharacters()
{
    // Names scripts may use: the shipped crew and the mod's.
    std::vector<std::pair<std::string, bool>> files;
    for (const std::string& folder : { assets_, root_ }) {
        for (const std::string& name : filesIn(folder + "char/"))
            if (endsWith(name, ".json")) {
                Json::Value root;
                std::string errors;
                if (parseJsonFile(folder + "char/" + name, root, errors) && root["name"].isString())
                    characterNames_.insert(root["name"].asString());
            }
    }
    if (isMod_) {
        for (const std::string& folder : filesIn(root_ + "characters/"))
            if (endsWith(folder, "/"))
                for (const std::string& name : filesIn(root_ + "characters/" + folder))
                    if (endsWith(name, ".json"))
                        files.push_back({ "characters/" + folder + name, true });
    } else {
        for (const std::string& name : filesIn(root_ + "char/"))
            if (endsWith(name, ".json"))
                files.push_back({ "char/" + name, false });
    }
    for (const auto& [file, fromMod] : files)
        checkCharacter(file, fromMod);
}

void ContentLint::checkCharacter(const std::string& file, bool fromMod)
{
    count("characters");
    Json::Value parsed;
    std::string errors;
    if (!parseJsonFile(root_ + file, parsed, errors) || !parsed.isObject()) {
        report_.error(file, "", "the file does not parse as a JSON object: " + firstLine(errors));
        return;
    }
    const Json::Value& root = parsed;
    if (!root["name"].isString() || root["name"].asString().empty())
        report_.error(file, "name", "a character needs a name");
    else if (fromMod)
        characterNames_.insert(root["name"].asString());

    // The creator offers the sets capitalised; files may write them in lower case.
    const auto lower = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
        return text;
    };
    const auto& sets = CrewVocabulary::pronounSets();
    if (!root["pronouns"].isString()
        || std::none_of(sets.begin(), sets.end(),
                        [&](const std::string& set) { return lower(set) == lower(root["pronouns"].asString()); }))
        report_.error(file, "pronouns", "must be one of the pronoun sets (he/him/his, she/her/hers, ...)");

    const Json::Value& attributes = root["attributes"];
    for (const std::string& attribute : attributeNames) {
        const Json::Value& value = attributes.isObject() ? attributes[attribute] : Json::Value();
        if (!value.isInt() || value.asInt() < 0 || value.asInt() > 10)
            report_.error(file, "attributes." + attribute, "must be a whole number from 0 to 10");
    }

    const Json::Value& traits = root["traits"];
    std::string species;
    if (!traits.isArray() || traits.empty() || !traits[0].isString()
        || !CrewVocabulary::isSpecies(traits[0].asString())) {
        report_.error(file, "traits", "the first trait must be the species (Human, Cygen, Cephalopod, Avian)");
    } else {
        species = traits[0].asString();
        static const std::set<std::string> words = vocabulary(
            { &CrewVocabulary::professions(), &CrewVocabulary::positiveTraits(), &CrewVocabulary::negativeTraits() });
        for (Json::ArrayIndex i = 1; i < traits.size(); ++i)
            if (!traits[i].isString() || !words.count(traits[i].asString()))
                report_.error(file, "traits", "\"" + traits[i].asString() + "\" is not in the crew's vocabulary");
    }

    // The portrait: a shipped picture whose name says the species, or one embedded.
    const Json::Value& sprites = root["sprites"];
    const bool embedded = root["imageBinary"].isString() && !root["imageBinary"].asString().empty();
    if (!embedded) {
        if (!sprites.isArray() || sprites.empty() || !sprites[0].isString()) {
            report_.error(file, "sprites", "a character needs a portrait (\"sprites\" or \"imageBinary\")");
        } else {
            // The roster knows every picture in the folders under general/character_related/.
            const std::string picture = sprites[0].asString();
            bool found = false;
            for (const std::string& base : { root_, assets_ })
                for (const std::string& folder : filesIn(base + "general/character_related/"))
                    found = found
                        || (endsWith(folder, "/") && fs::is_regular_file(base + "general/character_related/" + folder + picture));
            if (!found)
                report_.error(file, "sprites",
                              "the portrait " + picture + " is in no folder of general/character_related/");
            else if (!species.empty() && speciesForPortrait(picture) != species)
                report_.error(file, "sprites",
                              "the portrait's name says " + speciesForPortrait(picture) + ", the traits say " + species);
        }
    }

    Character character(assets_);
    if (!character.loadFromFile(fromMod, root_ + file, file))
        report_.error(file, "", "the game cannot read this character (see the log)");
}

void ContentLint::checkColours()
{
    const std::string file = CharacterManager::coloursFile;
    if (!fs::exists(root_ + file)) {
        // A folder without it (a mod, a folder of missions) uses the assets' file.
        if (!isMod_ && !exists(file))
            report_.error(file, "", "the name colours file is missing");
        return;
    }
    count("lists");
    Json::Value root;
    std::string errors;
    if (!parseJsonFile(root_ + file, root, errors) || !root.isArray() || root.empty()) {
        report_.error(file, "", "must be a list of colours \"RRGGBB\"");
        return;
    }
    static const std::regex hex("^[0-9a-fA-F]{6}$");
    for (Json::ArrayIndex i = 0; i < root.size(); ++i)
        if (!root[i].isString() || !std::regex_match(root[i].asString(), hex))
            report_.error(file, "[" + std::to_string(i) + "]", "a colour is six hex digits \"RRGGBB\"");
}

void ContentLint::checkRandomNames()
{
    const std::string file = "crew_creator/randomNames.json";
    if (!fs::exists(root_ + file)) {
        if (!isMod_ && !exists(file))
            report_.warning(file, "", "the crew creator's random names file is not there yet");
        return;
    }
    count("lists");
    Json::Value root;
    std::string errors;
    if (!parseJsonFile(root_ + file, root, errors) || !root.isObject()) {
        report_.error(file, "", "the file does not parse as a JSON object: " + firstLine(errors));
        return;
    }
    std::map<std::string, std::vector<std::string>> lists;
    for (const char* key : { "FirstMale", "FirstFemale", "LastNames" }) {
        const Json::Value& list = root[key];
        if (!list.isArray()) {
            report_.error(file, key, "must be a list of texts");
            continue;
        }
        for (const Json::Value& name : list)
            if (name.isString() && !name.asString().empty())
                lists[key].push_back(name.asString());
            else
                report_.error(file, key, "every entry must be a text that is not empty");
    }
    // The name generator draws until the name is nobody's yet: each list of first names needs
    // one pairing with a last name that is not a character's.
    for (const char* key : { "FirstMale", "FirstFemale" }) {
        bool free = false;
        for (const std::string& first : lists[key])
            for (const std::string& last : lists["LastNames"])
                free = free || !characterNames_.count(first + " " + last);
        if (!free)
            report_.error(file, key,
                          "no first and last name pair is free of the characters' names, so the creator's name "
                          "generator cannot finish");
    }
}

void ContentLint::checkShipSystems()
{
    const std::string file = "ship_systems/systems.json";
    if (!fs::exists(root_ + file)) {
        // A folder without it (a mod, a folder of missions) uses the assets' file.
        if (!isMod_ && !exists(file))
            report_.error(file, "", "the ship systems file is missing");
        return;
    }
    count("lists");
    Json::Value root;
    std::string errors;
    if (!parseJsonFile(root_ + file, root, errors) || !root.isObject() || !root["Systems"].isArray()) {
        report_.error(file, "", "must be an object with a \"Systems\" list");
        return;
    }
    const std::size_t read = ShipSystemsFile::read(root_ + file).size();
    const Json::Value& systems = root["Systems"];
    for (Json::ArrayIndex i = 0; i < systems.size(); ++i)
        if (!systems[i].isObject() || !systems[i]["Sprite"].isString() || !systems[i]["Details"].isString())
            report_.error(file, "Systems[" + std::to_string(i) + "]",
                          "each system needs the texts \"Sprite\" and \"Details\"; the window leaves it out");
    if (read == 0 && systems.size() > 0 && !report_.hasErrors())
        report_.error(file, "", "the game reads no systems from this file");
}

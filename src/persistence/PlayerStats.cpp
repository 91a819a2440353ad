#include "persistence/PlayerStats.hpp"

#include "achievements/AchievementManager.hpp"
#include "core/FileUtils.hpp"
#include "core/JsonRead.hpp"
#include "core/Logger.hpp"
#include "core/NumberConversions.hpp"
#include "core/ProgramArguments.hpp"
#include "persistence/AtomicFile.hpp"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <limits>
#include <sstream>

namespace {

bool appendUnique(std::vector<std::string>& list, const std::string& name)
{
    if (std::find(list.begin(), list.end(), name) != list.end())
        return false;
    list.push_back(name);
    return true;
}

struct WrongType {
    std::string key;
};

std::int32_t readInt(const Json::Value& root, const char* key)
{
    const Json::Value& value = root[key];
    if (value.isNull())
        return 0;
    if (!value.isNumeric() || value.asDouble() < std::numeric_limits<std::int32_t>::min()
        || value.asDouble() > std::numeric_limits<std::int32_t>::max())
        throw WrongType { key };
    return static_cast<std::int32_t>(value.asDouble());
}

float readFloat(const Json::Value& root, const char* key)
{
    const Json::Value& value = root[key];
    if (value.isNull())
        return 0.0f;
    if (!value.isNumeric() || value.asDouble() > std::numeric_limits<float>::max()
        || value.asDouble() < -std::numeric_limits<float>::max())
        throw WrongType { key };
    return static_cast<float>(value.asDouble());
}

// Arrays and objects give their elements as text; any other member gives nothing.
void readList(const Json::Value& root, const char* key, std::vector<std::string>& list)
{
    const Json::Value& value = root[key];
    if (!value.isArray() && !value.isObject())
        return;
    for (const Json::Value& element : value) {
        if (element.isNull())
            continue;
        if (!element.isConvertibleTo(Json::stringValue))
            throw WrongType { key };
        appendUnique(list, element.asString());
    }
}

void appendNumbered(std::vector<std::string>& list, const std::string& prefix, std::int32_t last)
{
    for (std::int32_t n = static_cast<std::int32_t>(list.size()); n <= last; ++n)
        appendUnique(list, prefix + std::to_string(n));
}

// Keeps a copy of a save the game could not read beside it, under a name no save uses.
void keepUnreadable(const std::string& path)
{
    auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
        std::chrono::system_clock::now().time_since_epoch()).count();
    std::string base = path + ".corrupt-" + std::to_string(seconds);
    std::string target = base;
    for (int attempt = 1; std::filesystem::exists(target); ++attempt)
        target = base + "-" + std::to_string(attempt);
    std::error_code error;
    std::filesystem::copy_file(path, target, error);
    if (error)
        QV_LOG << "Error: PlayerStats::loadFile, could not keep the unreadable " << path << " as " << target << ": "
               << error.message() << std::endl;
    else
        QV_LOG << "Warning: PlayerStats::loadFile, kept the unreadable " << path << " as " << target << std::endl;
}

} // namespace

PlayerStats::AchievementSwitch PlayerStats::switchFromArguments()
{
    if (hasArgument("--achievements-clear"))
        return AchievementSwitch::Clear;
    if (hasArgument("--achievements-unlock"))
        return AchievementSwitch::Unlock;
    return AchievementSwitch::None;
}

PlayerStats::PlayerStats()
    : unlockedAchievements_(std::make_shared<std::vector<std::string>>())
{
}

void PlayerStats::setAchievementManager(AchievementManager* achievements)
{
    achievements_ = achievements;
    if (achievements_)
        achievements_->useUnlockedList(unlockedAchievements_);
}

void PlayerStats::addMemento(const std::string& name)
{
    appendUnique(collectedMementos_, name);
    if (achievements_)
        achievements_->setMementoCount(static_cast<int>(collectedMementos_.size()));
}

void PlayerStats::addPlanet(const std::string& name)
{
    if (name == "null")
        return;
    appendUnique(visitedPlanets_, name);
    if (achievements_)
        achievements_->setPlanetCount(static_cast<int>(visitedPlanets_.size()));
}

void PlayerStats::addAliveEndingMember(const std::string& name)
{
    appendUnique(aliveEndingMembers_, name);
    if (achievements_)
        achievements_->setCrewSaved(aliveEndingMembers_);
}

void PlayerStats::addKilledCrew(const std::string& name)
{
    appendUnique(killedCrew_, name);
    if (achievements_)
        achievements_->setCrewKilled(killedCrew_);
}

void PlayerStats::addResearch(const std::string& name)
{
    appendUnique(research_, name);
    if (achievements_)
        achievements_->setResearched(research_);
}

// Totals stop at the int32 limits: a save may hold any int32, and the game keeps adding.
void PlayerStats::addFoodUsed(std::int32_t amount)
{
    totalFoodUsed_ = saturatingAdd(totalFoodUsed_, amount);
    if (achievements_)
        achievements_->setFoodCount(totalFoodUsed_);
}

void PlayerStats::addFuelUsed(std::int32_t amount)
{
    totalFuelUsed_ = saturatingAdd(totalFuelUsed_, amount);
}

void PlayerStats::addDistanceTravelled(float distance)
{
    totalDistanceTravelled_ += distance;
    if (achievements_)
        achievements_->setDistanceTravelled(totalDistanceTravelled_);
}

void PlayerStats::addJump()
{
    totalJumpsMade_ = saturatingAdd(totalJumpsMade_, 1);
    if (achievements_)
        achievements_->setJumpCount(totalJumpsMade_);
}

void PlayerStats::reportAll()
{
    if (!achievements_)
        return;
    achievements_->setDistanceTravelled(totalDistanceTravelled_);
    achievements_->setFoodCount(totalFoodUsed_);
    achievements_->setJumpCount(totalJumpsMade_);
    achievements_->setMementoCount(static_cast<int>(collectedMementos_.size()));
    achievements_->setPlanetCount(static_cast<int>(visitedPlanets_.size()));
    achievements_->setCrewSaved(aliveEndingMembers_);
    achievements_->setCrewKilled(killedCrew_);
    achievements_->setResearched(research_);
}

Json::Value PlayerStats::serialize()
{
    std::cout << "Saving player data" << std::endl;
    Json::Value root(Json::objectValue);
    root["TotalFoodUsed"] = totalFoodUsed_;
    root["TotalFuelUsed"] = totalFuelUsed_;
    root["TotalJumpsMade"] = totalJumpsMade_;
    root["TotalDistanceTravelled"] = static_cast<double>(totalDistanceTravelled_);
    // An empty list leaves its key out.
    auto writeList = [&root](const char* key, const std::vector<std::string>& list) {
        for (const std::string& name : list)
            root[key].append(name);
    };
    writeList("TotalCollectedMementos", collectedMementos_);
    writeList("TotalVisitedPlanets", visitedPlanets_);
    writeList("AllAliveEndingMembers", aliveEndingMembers_);
    writeList("AllKilledCrew", killedCrew_);
    writeList("AllResearch", research_);
    writeList("unlockedAchievements", *unlockedAchievements_);
    reportAll();
    return root;
}

bool PlayerStats::deserialize(const Json::Value& root, AchievementSwitch achievementSwitch)
{
    if (achievementSwitch == AchievementSwitch::Clear) {
        reportAll();
        return true;
    }
    if (!root.isObject() && !root.isNull()) {
        QV_LOG << "Warning: PlayerStats::deserialize, the player save is not a JSON object" << std::endl;
        return false;
    }
    try {
        readAsPlayed(root);
        if (achievementSwitch == AchievementSwitch::None)
            readList(root, "unlockedAchievements", *unlockedAchievements_);
    } catch (const WrongType& wrong) {
        QV_LOG << "Warning: PlayerStats::deserialize, key \"" << wrong.key << "\" has the wrong type" << std::endl;
        reportAll();
        return false;
    }
    if (achievementSwitch == AchievementSwitch::Unlock)
        raiseToUnlocked();
    reportAll();
    return true;
}

void PlayerStats::readAsPlayed(const Json::Value& root)
{
    totalFoodUsed_ = readInt(root, "TotalFoodUsed");
    totalFuelUsed_ = readInt(root, "TotalFuelUsed");
    totalJumpsMade_ = readInt(root, "TotalJumpsMade");
    totalDistanceTravelled_ = readFloat(root, "TotalDistanceTravelled");
    readList(root, "TotalCollectedMementos", collectedMementos_);
    readList(root, "TotalVisitedPlanets", visitedPlanets_);
    readList(root, "AllAliveEndingMembers", aliveEndingMembers_);
    readList(root, "AllKilledCrew", killedCrew_);
    readList(root, "AllResearch", research_);
}

void PlayerStats::raiseToUnlocked()
{
    if (!achievements_)
        return;
    totalFoodUsed_ = std::max(totalFoodUsed_, achievements_->getThreshold("food_glutton"));
    totalFuelUsed_ = std::max(totalFuelUsed_, 999);
    totalDistanceTravelled_ = std::max(totalDistanceTravelled_,
                                       static_cast<float>(achievements_->getThreshold("space_traveller")));
    totalJumpsMade_ = std::max(totalJumpsMade_, achievements_->getThreshold("space_jumper"));
    appendNumbered(collectedMementos_, "memento", achievements_->getThreshold("memento_collector2"));
    appendNumbered(visitedPlanets_, "planet", achievements_->getThreshold("space_explorer"));
    for (const std::string& name : AchievementManager::characterNames()) {
        appendUnique(aliveEndingMembers_, name);
        appendUnique(killedCrew_, name);
    }
    for (const std::string& id : AchievementManager::researchIds())
        appendUnique(research_, id);
}

bool PlayerStats::saveFile(const std::string& path)
{
    if (path == keptAsItIs_) {
        QV_LOG << "Warning: PlayerStats::saveFile, not saving over " << path << ", which could not be read"
               << std::endl;
        return false;
    }
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    builder["precision"] = 9; // enough to give back every float exactly
    std::string text = Json::writeString(builder, serialize()) + "\n";
    return writeFileAtomically(path, text);
}

void PlayerStats::loadFile(const std::string& path, AchievementSwitch achievementSwitch)
{
    std::string contents;
    std::string error;
    switch (readWholeFile(path, contents, error)) {
    case FileRead::Missing:
        QV_LOG << "Could not open player save! " << path << std::endl;
        return;
    case FileRead::Unreadable:
        // Not a first start: the player's history is there, only out of reach. It is left
        // exactly as it is, and this run does not write its own statistics over it.
        QV_LOG << "Could not open player save! " << path << ": " << error
               << "; it is kept as it is and not saved over in this run" << std::endl;
        keptAsItIs_ = path;
        return;
    case FileRead::Read:
        break;
    }

    Json::Value root;
    std::string errors;
    bool unreadable = false;
    if (!parseJsonText(contents, root, errors)) {
        QV_LOG << errors << "could not parse options!" << std::endl;
        unreadable = true;
    }
    try {
        if (!deserialize(root, achievementSwitch)) {
            QV_LOG << "Failed to load saved player save." << std::endl;
            unreadable = true;
        }
    } catch (const std::exception& error) {
        QV_LOG << "Player Load failed, Give this to a developer: " << error.what() << std::endl;
        unreadable = true;
    }
    if (unreadable)
        keepUnreadable(path);
}

void PlayerStats::applyAchievementSwitch(AchievementSwitch achievementSwitch)
{
    if (!achievements_)
        return;
    if (achievementSwitch == AchievementSwitch::Clear) {
        QV_LOG << "Locking all acheivements" << std::endl;
        achievements_->clearAll();
    } else if (achievementSwitch == AchievementSwitch::Unlock) {
        QV_LOG << "Unlocking all acheivements" << std::endl;
        achievements_->unlockAll();
    }
}

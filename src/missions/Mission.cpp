#include "missions/Mission.hpp"

#include "core/JsonRead.hpp"
#include "core/Logger.hpp"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

const char* const settingsKey = "non Display Items";

} // namespace

void Mission::loadMissionFile(const std::string& fullPath, const std::string& relativePath)
{
    loadedFilename = relativePath;

    Json::Value root;
    std::string errors;
    if (!parseJsonFile(fullPath, root, errors)) {
        QV_LOG << errors << "Could not parse mission file: " << fullPath << " game will now exit!\n" << std::flush;
        return;
    }

    // Conversions follow the JSON library: a value it cannot convert (an array as a text,
    // a text as a number) throws, and the throw ends the load.
    std::string key;
    try {
        if (!root.isObject())
            throw std::runtime_error("the file is not a JSON object");
        for (auto member = root.begin(); member != root.end(); ++member) {
            key = member.name();
            if (key == settingsKey)
                continue;
            // The first character only sorts the items; it never reaches the screen.
            std::string label = key.empty() ? std::string() : key.substr(1);
            items[label] = member->asString();
            displayKeys.push_back(label);
        }
        if (root.isMember(settingsKey)) {
            key = settingsKey;
            readSettings(root[settingsKey], key);
        }
    } catch (const std::exception& error) {
        QV_LOG << "Failed to load mission file: " << fullPath << " (key \"" << key << "\": " << error.what() << ")"
               << std::endl;
    }
}

void Mission::readSettings(const Json::Value& settings, std::string& key)
{
    if (!settings.isObject())
        throw std::runtime_error("not an object");
    for (auto member = settings.begin(); member != settings.end(); ++member) {
        key = member.name();
        if (key == "Min Crew")
            minCrew = member->asInt();
        else if (key == "Max Crew")
            maxCrew = member->asInt();
        else if (key == "Story Order")
            storyOrder = member->asInt();
        else if (key == "Mandatory")
            mandatory = member->asBool();
        else if (key == "Engineer")
            engineer = member->asBool();
        else if (key == "Medic")
            medic = member->asBool();
        else if (key == "Leader")
            leader = member->asBool();
        else if (key == "NoDeploy")
            noDeploy = member->asBool();
        else
            items[key] = member->asString();
    }
}

std::string Mission::getItem(const std::string& key) const
{
    auto found = items.find(key);
    return found == items.end() ? std::string("null") : found->second;
}

bool Mission::isDeployMission() const
{
    std::string type = getItem("Mission Type");
    return type != "food" && type != "fuel" && type != "random" && type != "outofgas" && type != "starvation";
}

Json::Value Mission::toJson() const
{
    Json::Value object(Json::objectValue);
    object["LoadedFilename"] = loadedFilename;
    object["IsCompleted"] = isCompleted;
    return object;
}

#include "missions/Mission.hpp"

#include "core/JsonRead.hpp"
#include "core/Logger.hpp"

#include <charconv>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

const char* const settingsKey = "non Display Items";
// Story positions the catalogue takes: the story is a short chain counted from 1, and the
// next position is the highest completed one plus 1, which must not overflow.
constexpr std::int32_t highestStoryOrder = 10000;

// The text of a value as the screens show it. Decimals take their shortest form that reads
// back as the same number ("2.3", not the "2.2999999999999998" of seventeen digits), with
// ".0" kept on whole ones as the JSON library writes them; arrays and objects throw.
std::string valueText(const Json::Value& value)
{
    if (value.type() != Json::realValue)
        return value.asString();
    char digits[64];
    const auto [end, error] = std::to_chars(std::begin(digits), std::end(digits), value.asDouble());
    std::string text(digits, error == std::errc() ? end : digits);
    if (text.find_first_of(".eEn") == std::string::npos)
        text += ".0";
    return text;
}

} // namespace

bool Mission::loadMissionFile(const std::string& fullPath, const std::string& relativePath)
{
    loadedFilename = relativePath;

    Json::Value root;
    std::string errors;
    if (!parseJsonFile(fullPath, root, errors)) {
        QV_LOG << errors << "Could not parse mission file: " << fullPath << " game will now exit!\n" << std::flush;
        return false;
    }
    if (!root.isObject()) {
        QV_LOG << "Failed to load mission file: " << fullPath << " (the file is not a JSON object)" << std::endl;
        return false;
    }

    // Conversions follow the JSON library: a value it cannot convert (an array as a text,
    // a text as a number) throws, and the throw ends the load.
    std::string key;
    std::unordered_map<std::string, std::string> labelledBy;
    try {
        for (auto member = root.begin(); member != root.end(); ++member) {
            key = member.name();
            if (key == settingsKey)
                continue;
            // The first character only sorts the items; it never reaches the screen.
            std::string label = key.empty() ? std::string() : key.substr(1);
            items[label] = valueText(*member);
            displayKeys.push_back(label);
            auto [earlier, first] = labelledBy.try_emplace(label, key);
            if (!first)
                QV_LOG << "Warning: Mission::loadMissionFile, " << fullPath << ": \"" << earlier->second << "\" and \""
                       << key << "\" have the same label \"" << label << "\"; \"" << key << "\" is shown" << std::endl;
        }
        if (root.isMember(settingsKey)) {
            key = settingsKey;
            readSettings(root[settingsKey], key);
        }
    } catch (const std::exception& error) {
        QV_LOG << "Failed to load mission file: " << fullPath << " (key \"" << key << "\": " << error.what() << ")"
               << std::endl;
    }
    return true;
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
            storyOrder = readStoryOrder(*member);
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
            items[key] = valueText(*member);
    }
}

std::int32_t Mission::readStoryOrder(const Json::Value& value)
{
    const std::int32_t order = value.asInt();
    if (order < 0 || order > highestStoryOrder)
        throw std::out_of_range("a story order outside 0.." + std::to_string(highestStoryOrder));
    return order;
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

#include "world/ShipSystemsFile.hpp"

#include "core/FileUtils.hpp"
#include "core/JsonRead.hpp"
#include "core/Logger.hpp"

namespace {

void unparsable(const std::string& errors, const std::string& path)
{
    QV_LOG << errors << "Could not parse ship systems file " << path << " it will not be loaded!" << std::endl;
}

// One entry, or false with the reason.
bool readEntry(const Json::Value& entry, ShipSystemsFile::System& system, std::string& error)
{
    if (!entry.isObject()) {
        error = "an entry of \"Systems\" is not an object";
        return false;
    }
    const Json::Value& sprite = entry["Sprite"];
    const Json::Value& details = entry["Details"];
    if (!sprite.isString() || !details.isString()) {
        error = "\"Sprite\" and \"Details\" must both be texts";
        return false;
    }
    system = {sprite.asString(), details.asString()};
    return true;
}

} // namespace

std::vector<ShipSystemsFile::System> ShipSystemsFile::read(const std::string& path)
{
    std::string text;
    std::string error;
    if (readWholeFile(path, text, error) != FileRead::Read) {
        unparsable(error.empty() ? std::string() : error + "\n", path);
        return {};
    }
    return parse(text, path);
}

std::vector<ShipSystemsFile::System> ShipSystemsFile::parse(const std::string& text, const std::string& path)
{
    Json::Value root;
    std::string errors;
    if (!parseJsonText(text, root, errors)) {
        unparsable(errors, path);
        return {};
    }
    if (!root.isObject()) {
        unparsable("The root is not an object\n", path);
        return {};
    }
    const Json::Value& list = root["Systems"];
    if (!list.isArray()) {
        QV_LOG << "Failed to load ship systems file: " << path << " at: \"Systems\" is not a list" << std::endl;
        return {};
    }
    std::vector<System> systems;
    for (const Json::Value& entry : list) {
        System system;
        std::string error;
        if (readEntry(entry, system, error))
            systems.push_back(std::move(system));
        else
            QV_LOG << "Failed to load ship systems file: " << path << " at: " << error << std::endl;
    }
    return systems;
}

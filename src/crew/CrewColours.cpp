#include "crew/CrewColours.hpp"

#include "core/JsonRead.hpp"
#include "core/Logger.hpp"
#include "core/ProcessWide.hpp"
#include "core/TextFunctions.hpp"

#include <json/value.h>

CrewColours& CrewColours::get()
{
    return ProcessWide<CrewColours>::get();
}

void CrewColours::destroy()
{
    ProcessWide<CrewColours>::destroy();
}

void CrewColours::load(const std::string& path)
{
    if (loaded_)
        return;
    loaded_ = true;
    Json::Value root;
    std::string errors;
    if (!parseJsonFile(path, root, errors))
        QV_LOG << errors << "Could not parse colours file " << path << " it will not be loaded!\n" << std::flush;
    colours_.clear();
    if (root.isNull())
        return;
    if (!root.isArray()) {
        QV_LOG << "Failed to load colours file: " << path << " at: colors" << std::endl;
        return;
    }
    for (const Json::Value& element : root) {
        auto text = jsonText(element);
        if (!text) {
            QV_LOG << "Failed to load colours file: " << path << " at: colors" << std::endl;
            return;
        }
        colours_.push_back(parseHexColor(*text));
    }
}

sf::Color CrewColours::forName(const std::string& name) const
{
    return fallbackColor(name, colours_);
}

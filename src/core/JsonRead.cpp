#include "core/JsonRead.hpp"

#include <json/reader.h>

#include <exception>
#include <fstream>
#include <memory>
#include <sstream>

bool parseJsonText(const std::string& text, Json::Value& root, std::string& errors)
{
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    errors.clear();
    bool parsed = false;
    try {
        parsed = reader->parse(text.data(), text.data() + text.size(), &root, &errors);
    } catch (const std::exception& error) {
        errors = std::string(error.what()) + "\n";
    }
    if (!parsed)
        root = Json::Value();
    return parsed;
}

bool parseJsonFile(const std::string& path, Json::Value& root, std::string& errors)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        errors.clear();
        root = Json::Value();
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    return parseJsonText(text.str(), root, errors);
}

std::optional<std::string> jsonText(const Json::Value& value)
{
    if (value.isArray() || value.isObject())
        return std::nullopt;
    return value.asString();
}

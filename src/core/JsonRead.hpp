#pragma once

#include <json/value.h>

#include <optional>
#include <string>

// Reading JSON the same way everywhere: the reader's formatted error messages go into
// `errors` for the caller's log line, and nothing ever throws. (The JSON library throws,
// instead of reporting, for text nested deeper than its stack limit; that becomes an
// ordinary parse error here.) On failure `root` is null.
bool parseJsonText(const std::string& text, Json::Value& root, std::string& errors);
// Reads the whole file first; a file that cannot be opened is a failure with empty errors.
bool parseJsonFile(const std::string& path, Json::Value& root, std::string& errors);

// A value in the text form the JSON library's asString gives it (null "", a bool "true" or
// "false", a number in decimal, a text as it is); nothing for an array or an object, which
// have no text form.
std::optional<std::string> jsonText(const Json::Value& value);

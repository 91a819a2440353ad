#pragma once

// Reading what the game ships from the source tree (assets-src/), for the tests that guard the
// content: the character and memento files and the interface picture list.
#include "core/JsonRead.hpp"

#include <gtest/gtest.h>
#include <json/value.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

inline const std::filesystem::path& sourceAssets()
{
    static const std::filesystem::path folder = std::filesystem::path(QV_SOURCE_DIR) / "assets-src";
    return folder;
}

struct ShippedFile {
    std::string file;
    Json::Value json;
};

// Every file of `folder` as a JSON object, sorted by name; a file that is not one is a failure.
inline std::vector<ShippedFile> readJsonFolder(const std::filesystem::path& folder)
{
    std::vector<ShippedFile> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        Json::Value root;
        std::string errors;
        std::string name = entry.path().filename().string();
        if (!parseJsonFile(entry.path().string(), root, errors) || !root.isObject()) {
            ADD_FAILURE() << name << " is not a JSON object: " << errors;
            continue;
        }
        files.push_back({name, root});
    }
    std::sort(files.begin(), files.end(), [](const ShippedFile& a, const ShippedFile& b) { return a.file < b.file; });
    return files;
}

// Picture sizes by path from the interface manifest. A listed picture exists wherever assets are
// built: the generator fails when it does not draw one, and the asset tests check the result.
inline std::map<std::string, std::pair<unsigned, unsigned>> manifestSizes()
{
    std::map<std::string, std::pair<unsigned, unsigned>> sizes;
    std::ifstream list(sourceAssets() / "pictures.txt");
    std::string line;
    while (std::getline(list, line)) {
        std::istringstream fields(line);
        std::string path;
        unsigned width = 0, height = 0;
        if (!line.empty() && line[0] != '#' && fields >> path >> width >> height)
            sizes[path] = {width, height};
    }
    return sizes;
}

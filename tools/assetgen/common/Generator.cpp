#include "common/Generator.hpp"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace gen {

void Context::save(const Canvas& canvas, const std::string& relativePath)
{
    canvas.save(assetsDir + "/" + relativePath);
    pictures.push_back({relativePath, canvas.width(), canvas.height()});
    ++written;
}

std::vector<std::string> checkManifests(const Context& context, std::vector<std::string>& unlisted)
{
    std::map<std::string, const Context::Picture*> drawn;
    for (const auto& picture : context.pictures)
        drawn[picture.path] = &picture;
    std::vector<std::string> problems;
    std::map<std::string, bool> listed;
    std::vector<std::filesystem::path> manifests;
    for (const auto& entry : std::filesystem::directory_iterator(context.sourceDir)) {
        std::string name = entry.path().filename().string();
        if (name.rfind("pictures", 0) == 0 && entry.path().extension() == ".txt")
            manifests.push_back(entry.path());
    }
    std::sort(manifests.begin(), manifests.end());
    for (const auto& manifest : manifests) {
        std::ifstream in(manifest);
        std::string line;
        int number = 0;
        while (std::getline(in, line)) {
            ++number;
            if (line.empty() || line[0] == '#')
                continue;
            // "path width height ..." or "path WIDTHxHEIGHT ..."; the rest of the line is notes.
            std::istringstream fields(line);
            std::string path, size;
            unsigned width = 0, height = 0;
            bool ok = static_cast<bool>(fields >> path >> size);
            if (ok && size.find('x') != std::string::npos)
                ok = std::sscanf(size.c_str(), "%ux%u", &width, &height) == 2;
            else if (ok)
                ok = std::sscanf(size.c_str(), "%u", &width) == 1 && static_cast<bool>(fields >> height);
            if (!ok) {
                problems.push_back(manifest.filename().string() + ":" + std::to_string(number) + ": unreadable line");
                continue;
            }
            listed[path] = true;
            auto it = drawn.find(path);
            if (it == drawn.end())
                problems.push_back(path + " is listed but was not drawn");
            else if (it->second->width != width || it->second->height != height)
                problems.push_back(path + " is " + std::to_string(it->second->width) + " x " + std::to_string(it->second->height)
                    + ", the manifest says " + std::to_string(width) + " x " + std::to_string(height));
        }
    }
    for (const auto& picture : context.pictures)
        if (!listed.count(picture.path))
            unlisted.push_back(picture.path);
    return problems;
}

} // namespace gen

#pragma once

#include "support/TextFiles.hpp"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// Ways a file of the player's can be there and still not be readable by the game. The tests
// run as root too, which reads files whatever their permissions, so those cases come only
// for other users.
struct UnreadableFile {
    const char* what;
    std::function<void(const std::string& path)> make;
};

inline std::vector<UnreadableFile> unreadableFiles()
{
    std::vector<UnreadableFile> kinds = {
        {"a socket",
         [](const std::string& path) {
             int fd = socket(AF_UNIX, SOCK_STREAM, 0);
             sockaddr_un address{};
             address.sun_family = AF_UNIX;
             std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
             bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address));
             close(fd);
         }},
        {"a folder", [](const std::string& path) { std::filesystem::create_directories(path); }},
        {"a loop of links",
         [](const std::string& path) {
             std::filesystem::create_symlink(std::filesystem::path(path).filename(), path);
         }},
    };
    if (geteuid() != 0)
        kinds.push_back({"a file without read permission", [](const std::string& path) {
                             writeText(path, "{}");
                             chmod(path.c_str(), 0200);
                         }});
    return kinds;
}

#pragma once

#include "core/Logger.hpp"

#include <SFML/System/Err.hpp>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include <unistd.h>

// What every fuzz entry needs before its first input: a private user folder (under $TMPDIR),
// a log that discards (a reader logs every broken input), standard output and SFML's error
// stream quiet, and a scratch file for readers that take a path. Called from each entry.
inline const std::string& fuzzFolder()
{
    static const std::string folder = [] {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/qv-fuzz-XXXXXX";
        const std::string made = mkdtemp(pattern.data()) ? pattern : std::string("/tmp");
        setenv("XDG_DATA_HOME", (made + "/data").c_str(), 1);
        Logger::get();
        Logger::close();
        std::cout.rdbuf(nullptr);
        sf::err().rdbuf(nullptr);
        return made;
    }();
    return folder;
}

// Writes the input to the scratch file and returns its path.
inline std::string scratchFile(const std::uint8_t* data, std::size_t size, const char* name)
{
    const std::string path = fuzzFolder() + "/" + name;
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                   static_cast<std::streamsize>(size));
    return path;
}

#pragma once

#include <fstream>
#include <sstream>
#include <string>

// Whole-file reads and writes for tests that inspect what the game wrote.
inline std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void writeText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

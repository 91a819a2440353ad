#pragma once

#include "core/Logger.hpp"
#include "support/TempUserHome.hpp"

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

// Everything the current log holds so far.
inline std::string loggedText()
{
    std::cout.flush();
    Logger::flush();
    std::ifstream in(Logger::path());
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

// A private user folder with a fresh log that also receives standard output, as it does in
// the running game; text() reads back everything logged so far.
class LogCapture {
public:
    LogCapture()
    {
        Logger::resetForTests();
        Logger::get();
        console_ = std::cout.rdbuf(Logger::get().buffer());
    }
    ~LogCapture()
    {
        std::cout.rdbuf(console_);
        Logger::resetForTests();
    }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::string text() const { return loggedText(); }
    bool contains(const std::string& fragment) const { return text().find(fragment) != std::string::npos; }
    const TempUserHome& home() const { return home_; }

private:
    TempUserHome home_;
    std::streambuf* console_ = nullptr;
};

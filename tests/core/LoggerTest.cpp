#include "core/Logger.hpp"

#include "support/TempUserHome.hpp"
#include "support/TextFiles.hpp"

#include <SFML/System/Err.hpp>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include <fstream>
#include <iomanip>
#include <iostream>
#include <sstream>
#include <thread>
#include <vector>

TEST(Logger, FileNameUsesLocalTimeInItsFixedPattern)
{
    std::tm parts{};
    parts.tm_year = 2024 - 1900;
    parts.tm_mon = 4;
    parts.tm_mday = 1;
    parts.tm_hour = 13;
    parts.tm_min = 45;
    parts.tm_sec = 10;
    parts.tm_isdst = -1;
    EXPECT_EQ(Logger::fileNameFor(std::mktime(&parts)), "starlog-2024-05-01T13.45.10.log");
}

TEST(Logger, WritesIntoTheLogsFolderAndTakesOverStandardOutput)
{
    TempUserHome home;
    Logger::resetForTests();
    QV_LOG << "first line" << std::endl;
    std::string path = Logger::path();
    EXPECT_EQ(path.rfind(home.userFolder() + "logs/starlog-", 0), 0u) << path;

    std::streambuf* console = std::cout.rdbuf(Logger::get().buffer());
    std::cout << "Couldn't open the directory." << std::endl;
    std::cout.rdbuf(console);
    Logger::close();
    QV_LOG << "after sign-off" << std::endl; // discarded, never a new file

    EXPECT_EQ(readAll(path), "first line\nCouldn't open the directory.\n");
    Logger::resetForTests();
}

TEST(Logger, EachLineStartsWithDefaultFormatting)
{
    TempUserHome home;
    Logger::resetForTests();
    QV_LOG << std::hex << std::boolalpha << std::setfill('*') << std::setw(4) << 255 << std::endl;
    QV_LOG << 255 << " " << true << " " << 2.5 << std::endl;
    std::thread([] { QV_LOG << 16 << std::endl; }).join();
    std::string path = Logger::path();
    Logger::resetForTests();

    EXPECT_EQ(readAll(path), "**ff\n255 1 2.5\n16\n");
}

TEST(Logger, LinesFromManyThreadsStayWhole)
{
    TempUserHome home;
    Logger::resetForTests();
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t)
        writers.emplace_back([t] {
            for (int i = 0; i < 500; ++i)
                QV_LOG << "thread " << t << " line " << i << " end" << std::endl;
        });
    for (auto& writer : writers)
        writer.join();
    std::string path = Logger::path();
    Logger::resetForTests();

    std::ifstream in(path);
    std::string line;
    int count = 0;
    while (std::getline(in, line)) {
        ++count;
        int thread = -1, index = -1;
        char tail[8] = {};
        ASSERT_EQ(std::sscanf(line.c_str(), "thread %d line %d %3s", &thread, &index, tail), 3) << line;
        EXPECT_STREQ(tail, "end");
    }
    EXPECT_EQ(count, 2000);
}

// Whatever a library prints, one start writes at most its limit: then one notice, and later
// lines are dropped; the sign-off is still the last line.
TEST(Logger, PastItsLimitTheLogDropsLinesButStillSignsOff)
{
    TempUserHome home;
    Logger::resetForTests(100);
    for (int i = 0; i < 50; ++i)
        QV_LOG << "An internal call failed " << i << std::endl;
    const std::string path = Logger::path();
    Logger::signOff("Signing off...");
    Logger::resetForTests();

    const std::string text = readAll(path);
    EXPECT_EQ(text.rfind("An internal call failed 0\nAn internal call failed 1\n", 0), 0u) << text;
    EXPECT_LT(text.size(), 200u);
    EXPECT_EQ(text.find("The log has reached its size limit; later lines are dropped.\n"),
              text.rfind("The log has reached its size limit; later lines are dropped.\n"));
    EXPECT_NE(text.find("limit"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 15), "Signing off...\n");
}

// Two starts within one second get a file each (the second never empties the first, which
// may hold a crash), and only the newest few dozen logs are kept.
TEST(Logger, EveryStartGetsAFileOfItsOwnAndOldLogsGo)
{
    TempUserHome home;
    const std::string logs = home.userFolder() + "logs/";
    std::filesystem::create_directories(logs);
    const auto aged = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
    for (int i = 0; i < 40; ++i) {
        const std::string old = logs + "starlog-2020-01-01T00.00." + (i < 10 ? "0" : "") + std::to_string(i) + ".log";
        writeText(old, "old");
        std::filesystem::last_write_time(old, aged + std::chrono::seconds(i));
    }
    writeText(logs + "notes.txt", "not a log");

    std::vector<std::string> paths;
    for (int start = 0; start < 3; ++start) {
        Logger::resetForTests();
        QV_LOG << "start " << start << std::endl;
        paths.push_back(Logger::path());
    }
    Logger::resetForTests();
    EXPECT_NE(paths[0], paths[1]);
    EXPECT_NE(paths[1], paths[2]);
    for (int start = 0; start < 3; ++start)
        EXPECT_EQ(readAll(paths[start]), "start " + std::to_string(start) + "\n");

    int kept = 0;
    for (const auto& entry : std::filesystem::directory_iterator(logs))
        kept += entry.path().filename().string().rfind("starlog-", 0) == 0 ? 1 : 0;
    EXPECT_EQ(kept, 30);
    EXPECT_FALSE(std::filesystem::exists(logs + "starlog-2020-01-01T00.00.00.log")) << "the oldest go first";
    EXPECT_TRUE(std::filesystem::exists(logs + "starlog-2020-01-01T00.00.39.log"));
    EXPECT_TRUE(std::filesystem::exists(logs + "notes.txt"));
}

// At exit() (Xlib calls it when the display goes away) the log goes before the standard
// streams are flushed for the last time; they must no longer point into it.
TEST(LoggerDeathTest, StreamsPointedAtTheLogSurviveExit)
{
    TempUserHome home;
    EXPECT_EXIT(
        {
            Logger::resetForTests();
            for (std::ostream* stream : {&std::cout, &std::cerr, &std::clog, &sf::err()})
                stream->rdbuf(Logger::get().buffer());
            std::cout << "unfinished line without an end";
            std::exit(3);
        },
        ::testing::ExitedWithCode(3), "");
}

namespace {
// Stands for a process-wide object whose destructor logs, left to exit() to destroy.
struct LogsWhenDestroyed {
    ~LogsWhenDestroyed() { QV_LOG << "destroyed at exit" << std::endl; }
};
} // namespace

// exit() destroys this thread's objects before static ones (Xlib calls it when the display
// goes away); a static destructor that logs then must find a stream, not a destroyed one (the
// sanitizer build catches the use).
TEST(LoggerDeathTest, StaticDestructorsMayLogAfterExit)
{
    TempUserHome home;
    EXPECT_EXIT(
        {
            Logger::resetForTests();
            QV_LOG << "this thread's stream exists" << std::endl;
            static LogsWhenDestroyed last;
            std::exit(4);
        },
        ::testing::ExitedWithCode(4), "");
}

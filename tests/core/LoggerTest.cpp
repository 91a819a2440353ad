#include "core/Logger.hpp"

#include "support/TempUserHome.hpp"
#include "support/TextFiles.hpp"

#include <gtest/gtest.h>

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

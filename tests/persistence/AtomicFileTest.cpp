#include "persistence/AtomicFile.hpp"

#include "support/TempUserHome.hpp"
#include "support/TextFiles.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

TEST(AtomicFile, ReplacesTheFileWholeAndLeavesNoTemporaryBehind)
{
    TempUserHome home;
    std::string path = home.root() + "/options.json";
    ASSERT_TRUE(writeFileAtomically(path, "first"));
    ASSERT_TRUE(writeFileAtomically(path, "second, longer"));
    EXPECT_EQ(readAll(path), "second, longer");
    int entries = 0;
    for (const auto& entry : fs::directory_iterator(home.root()))
        entries += entry.path().filename().string().rfind("options.json", 0) == 0 ? 1 : 0;
    EXPECT_EQ(entries, 1);
}

TEST(AtomicFile, FailureKeepsTheOldFile)
{
    TempUserHome home;
    std::string folder = home.root() + "/locked";
    fs::create_directories(folder);
    std::string path = folder + "/save.json";
    ASSERT_TRUE(writeFileAtomically(path, "precious"));
    // A folder that cannot take new files: the write must fail and say so.
    EXPECT_FALSE(writeFileAtomically(home.root() + "/missing-folder/save.json", "x"));
    // Replacing a folder with a file fails at the rename; the temporary file is cleaned up.
    fs::create_directories(folder + "/dir.json");
    EXPECT_FALSE(writeFileAtomically(folder + "/dir.json", "x"));
    EXPECT_EQ(readAll(path), "precious");
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder))
        ++entries;
    EXPECT_EQ(entries, 2);
}

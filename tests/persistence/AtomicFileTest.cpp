#include "persistence/AtomicFile.hpp"

#include "support/TempUserHome.hpp"
#include "support/TextFiles.hpp"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

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

// What writes killed halfway left beside a file goes with the next write of that file; a live
// process's temporary file and other files' stay.
TEST(AtomicFile, AWriteRemovesWhatKilledWritesOfTheFileLeft)
{
    TempUserHome home;
    const std::string path = home.root() + "/playerSave.json";
    const std::string dead = path + ".tmp-999999999-3";
    const std::string live = path + ".tmp-" + std::to_string(getpid()) + "-7";
    const std::string other = home.root() + "/options.json.tmp-999999999-0";
    for (const std::string& file : {dead, live, other})
        writeText(file, "half a save");
    ASSERT_TRUE(writeFileAtomically(path, "whole"));
    EXPECT_FALSE(fs::exists(dead));
    EXPECT_TRUE(fs::exists(live));
    EXPECT_TRUE(fs::exists(other));
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

// A save keeps the permissions the player gave it, a new one follows the umask, and a save
// that is a link (to a synced folder, say) stays a link with its target rewritten.
TEST(AtomicFile, KeepsPermissionsAndWritesThroughLinks)
{
    TempUserHome home;
    const mode_t previous = ::umask(027);
    const std::string fresh = home.root() + "/fresh.json";
    ASSERT_TRUE(writeFileAtomically(fresh, "new"));
    EXPECT_EQ(fs::status(fresh).permissions(), fs::perms(0640));

    const std::string privateSave = home.root() + "/private.json";
    writeText(privateSave, "old");
    fs::permissions(privateSave, fs::perms(0600));
    ASSERT_TRUE(writeFileAtomically(privateSave, "newer"));
    EXPECT_EQ(fs::status(privateSave).permissions(), fs::perms(0600));
    ::umask(previous);

    fs::create_directories(home.root() + "/synced");
    writeText(home.root() + "/synced/save.json", "old");
    fs::create_symlink("synced/save.json", home.root() + "/save.json");
    fs::create_symlink(home.root() + "/save.json", home.root() + "/link-to-link.json");
    ASSERT_TRUE(writeFileAtomically(home.root() + "/link-to-link.json", "through two links"));
    EXPECT_TRUE(fs::is_symlink(home.root() + "/save.json"));
    EXPECT_TRUE(fs::is_symlink(home.root() + "/link-to-link.json"));
    EXPECT_EQ(readAll(home.root() + "/synced/save.json"), "through two links");

    fs::create_symlink("loop.json", home.root() + "/loop.json");
    EXPECT_FALSE(writeFileAtomically(home.root() + "/loop.json", "x"));
    EXPECT_TRUE(fs::is_symlink(home.root() + "/loop.json"));
}

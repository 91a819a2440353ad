#include "core/FileUtils.hpp"

#include "support/TempUserHome.hpp"

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

void touch(const std::string& path)
{
    std::ofstream(path) << "x";
}

bool contains(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

TEST(FileUtils, UserFoldersFollowXdgDataHomeAndAreRecreated)
{
    TempUserHome home;
    EXPECT_EQ(userPath(), home.userFolder());
    struct Case { std::string (*path)(); const char* name; };
    for (auto [path, name] : {Case{modsPath, "mods"}, Case{logsPath, "logs"}, Case{screenshotsPath, "screenshots"},
                              Case{savedPath, "saved"}, Case{charImagesPath, "charImages"}}) {
        EXPECT_EQ(path(), home.userFolder() + name + "/") << name;
        EXPECT_TRUE(fs::is_directory(home.userFolder() + name)) << name;
    }
    // The player deletes the whole folder while the game runs: the next request re-creates it.
    fs::remove_all(home.userFolder());
    EXPECT_EQ(savedPath(), home.userFolder() + "saved/");
    EXPECT_TRUE(fs::is_directory(home.userFolder() + "saved"));

    EXPECT_EQ(tempPath(), home.root() + "/tmp//Quorvane/");
    EXPECT_TRUE(fs::is_directory(home.root() + "/tmp/Quorvane"));
}

// XDG_DATA_HOME counts only as an absolute path, and without a usable HOME the home folder
// comes from the password database, never the shared /tmp or the working folder.
TEST(FileUtils, UserFolderFallsBackToTheHomeFolder)
{
    TempUserHome home;
    const char* oldHome = std::getenv("HOME");
    const std::string savedHome = oldHome ? oldHome : "";
    const passwd* user = getpwuid(getuid());
    ASSERT_NE(user, nullptr);
    const std::string databaseHome = user->pw_dir;
    struct Case {
        const char* xdg; // nullptr: unset
        const char* home;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {nullptr, home.root().c_str(), home.root() + "/.local/share/Quorvane/"},
        {"", home.root().c_str(), home.root() + "/.local/share/Quorvane/"},
        {"relative/data", home.root().c_str(), home.root() + "/.local/share/Quorvane/"},
        {"/elsewhere/data/", home.root().c_str(), "/elsewhere/data/Quorvane/"},
        {nullptr, nullptr, databaseHome + "/.local/share/Quorvane/"},
        {nullptr, "not/absolute", databaseHome + "/.local/share/Quorvane/"},
    };
    for (const Case& c : cases) {
        c.xdg ? setenv("XDG_DATA_HOME", c.xdg, 1) : unsetenv("XDG_DATA_HOME");
        c.home ? setenv("HOME", c.home, 1) : unsetenv("HOME");
        EXPECT_EQ(userFolderLocation(), c.expected) << (c.xdg ? c.xdg : "(unset)") << " " << (c.home ? c.home : "(unset)");
    }
    unsetenv("XDG_DATA_HOME");
    setenv("HOME", home.root().c_str(), 1);
    EXPECT_EQ(userPath(), home.root() + "/.local/share/Quorvane/");
    EXPECT_TRUE(fs::is_directory(home.root() + "/.local/share/Quorvane"));
    setenv("HOME", savedHome.c_str(), 1);
}

TEST(FileUtils, AssetsFolderIsBesideTheProgram)
{
    std::string program = programPath();
    ASSERT_FALSE(program.empty());
    EXPECT_EQ(assetsPath(), program.substr(0, program.rfind('/') + 1) + "assets/");
}

TEST(FileUtils, ListingsTakeRegularFilesByTheirSuffixSorted)
{
    TempUserHome home;
    std::string folder = home.root() + "/listing/";
    fs::create_directories(folder + "sub.json");
    fs::create_directories(folder + "pics");
    for (const char* name : {"b.json", "notes.json.bak", "a.json", "a.json~", ".a.json.swp", ".hidden.json",
                             "notes.jsonl", "PORTRAIT.PNG", "face.png", "beep.wav", "song.ogg", "readme"})
        touch(folder + name);
    fs::create_symlink(folder + "b.json", folder + "linked.json");
    fs::create_symlink(folder + "gone.json", folder + "dangling.json");

    // Editor leftovers, hidden files, folders and dangling links are no mission files.
    EXPECT_EQ(listJsonFiles(folder), (std::vector<std::string>{"a.json", "b.json", "linked.json"}));
    EXPECT_EQ(listPngFiles(folder), std::vector<std::string>{"face.png"});
    EXPECT_EQ(listWavFiles(folder), std::vector<std::string>{"beep.wav"});
    EXPECT_EQ(listOggFiles(folder), std::vector<std::string>{"song.ogg"});

    auto regular = listRegularFiles(folder);
    EXPECT_EQ(regular.size(), 13u);
    EXPECT_TRUE(std::is_sorted(regular.begin(), regular.end()));
    for (const char* absent : {".", "..", "sub.json", "pics", "dangling.json"})
        EXPECT_FALSE(contains(regular, absent)) << absent;

    EXPECT_TRUE(listJsonFiles(folder + "missing/").empty());
    EXPECT_TRUE(listRegularFiles(folder + "missing/").empty());
}

TEST(FileUtils, SplitBehavesLikeALineReader)
{
    struct Case { std::string text; char delimiter; std::vector<std::string> pieces; };
    const Case cases[] = {
        {"a,b,c", ',', {"a", "b", "c"}},
        {"a,b,", ',', {"a", "b"}},
        {",a", ',', {"", "a"}},
        {"a,,b", ',', {"a", "", "b"}},
        {"", ',', {}},
        {"abc", ',', {"abc"}},
        {",", ',', {""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(split(c.text, c.delimiter), c.pieces) << '"' << c.text << '"';
}

TEST(FileUtils, ReplaceAllContinuesAfterEachReplacement)
{
    struct Case { std::string text, from, to, result; };
    const Case cases[] = {
        {"C:\\Users\\me\\", "\\", "/", "C:/Users/me/"},
        {"aaa", "a", "aa", "aaaaaa"},
        {"abab", "ab", "", ""},
        {"xyz", "q", "r", "xyz"},
        {"xyz", "", "r", "xyz"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(replaceAll(c.text, c.from, c.to), c.result) << c.text;
}

TEST(FileUtils, OpenInShellPassesAHostilePathAsOneArgument)
{
    TempUserHome home;
    // A stand-in opener records its arguments; a shell would have run the injected command.
    std::string recorder = home.root() + "/opener.sh";
    std::string record = home.root() + "/args.txt";
    std::string pwned = home.root() + "/pwned";
    {
        std::ofstream script(recorder);
        script << "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" > '" << record << "'\n";
    }
    fs::permissions(recorder, fs::perms::owner_all);
    setenv("QV_OPENER", recorder.c_str(), 1);
    std::string hostile = "/tmp/my dir/it's \"here\"; touch " + pwned + " $(touch " + pwned + ")";
    openInShell(hostile);
    unsetenv("QV_OPENER");

    for (int i = 0; i < 100 && !fs::exists(record); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::ifstream in(record);
    std::string count, argument;
    std::getline(in, count);
    std::getline(in, argument);
    EXPECT_EQ(count, "1");
    EXPECT_EQ(argument, hostile);
    EXPECT_FALSE(fs::exists(pwned));
}

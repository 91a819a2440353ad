#pragma once

#include "missions/LintReport.hpp"
#include "missions/LuaSourceScan.hpp"

#include <map>
#include <set>
#include <string>
#include <vector>

// Checks the game's content without running it: mission files, mission scripts, mementos,
// characters and the lists the crew creator and the ship window read. Files are read with the
// game's own readers, and the names scripts may call are read back from the Lua binding
// itself, so the checks cannot drift from what the game does.
//
// The folder checked is either the assets folder or a mod laid out like it (a mod keeps its
// characters under "characters/<folder>/"); names a mod refers to (pictures, mementos,
// characters) may also come from the assets. The checker only reads.
class ContentLint {
public:
    // `root` is the folder checked, `assets` where references may also resolve (both ending
    // in "/"; they may be the same).
    ContentLint(std::string root, std::string assets, bool isMod = false);

    LintReport run();

    // After run(): how many files of each kind were looked at ("missions", "scripts",
    // "mementos", "characters", "lists").
    const std::map<std::string, int>& counted() const { return counted_; }
    // After run(): true when there were no mission files at all, so the story
    // rules had nothing to look at.
    bool noMissions() const { return counted_.count("missions") == 0; }

    // The closest name in `names` to `name` within two edits, or "" (for "did you mean").
    static std::string closestName(const std::string& name, const std::set<std::string>& names);

private:
    struct ScriptFacts {
        std::string file;
        LuaSourceScan scan;
    };

    void checkMissions();
    void checkMissionFile(const std::string& folder, const std::string& file);
    void checkStrayFiles();
    void checkScripts();
    void checkScript(const ScriptFacts& script, const std::set<std::string>& libraryGlobals);
    void checkCall(const std::string& file, const LuaSourceScan::Call& call);
    void checkLiterals(const ScriptFacts& script);
    void checkCrossScript();
    void checkMementos();
    void checkCharacters();
    void checkCharacter(const std::string& file, bool fromMod);
    void checkColours();
    void checkRandomNames();
    void checkShipSystems();

    bool exists(const std::string& relative) const;
    std::string fullPath(const std::string& relative) const;
    void count(const char* kind) { ++counted_[kind]; }

    std::string root_;
    std::string assets_;
    bool isMod_;
    LintReport report_;
    std::map<std::string, int> counted_;

    std::map<std::string, std::set<std::string>> bound_;
    std::set<std::string> characterNames_;
    std::set<std::string> planetPictures_;
    std::set<std::string> scriptsNamed_;
    std::vector<ScriptFacts> scripts_;
    struct StoryEntry {
        std::string file;
        int order;
    };
    std::vector<StoryEntry> story_;
    int foodEvents_ = 0;
    int fuelEvents_ = 0;
    std::set<std::string> namedEvents_;
    // Across scripts.
    std::set<std::string> mementosGiven_;
    std::set<std::string> itemsAdded_;
    bool itemsAddedByVariable_ = false;
};

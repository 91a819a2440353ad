#pragma once

#include <json/value.h>

#include <functional>
#include <string>

class CharacterManager;
class MissionManager;
class Sector;
class Ship;

// A run saved at one moment: the text of "sessionSave.json" and of the fog file beside it,
// with the paths they go to. Plain data, so it can be written on another thread while play
// goes on.
struct SessionSnapshot {
    std::string sessionPath;
    std::string fogPath;
    std::string sessionText;
    std::string fogText;
};

// The one saved run: saved/"sessionSave.json" with the members "Characters", "Missions",
// "Sector" and "Ship" (each written and read by the object that owns that part of the run)
// and saved/"fow.save", the fog of the saved sector.
//
// Saving is split in two: capture() reads the game (main thread only, like every owner it
// reads) and write() only puts the captured text on disk, so a save can run in the
// background without touching the live game. Both files are replaced atomically; a write
// that fails leaves the old files whole and reports false.
//
// The last three saves are kept beside each file as backups (SaveBackups), rotated on every
// save that succeeds. When "sessionSave.json" does not load, the file is left as it is and
// the newest backup that loads is played instead, which the log says.
//
// A load is all or nothing as far as the player is concerned: a file that is missing, is not
// JSON, or lacks a member (or has one that is not an object), a member its owner refuses and
// an owner that throws all make load() false with the reason logged, and the caller keeps
// the player on the title with the file untouched. Owners check what they read, so a
// refused member may have changed the run in memory; a failed load is never played on.
class SessionStore {
public:
    // `folder` holds the saves ("" the user's saved folder).
    SessionStore(CharacterManager& crew, MissionManager& missions, Sector& sector, Ship& ship,
                 std::string folder = {});

    // The "Missions" member: the mission runtime's own save and load unless replaced.
    std::function<Json::Value()> saveMissions;
    std::function<bool(const Json::Value&)> loadMissions;

    static std::string sessionPath();
    static std::string fogPath();
    // Whether there is a save the title's continue button can offer (it, or one of its
    // backups, opens for reading).
    static bool saveExists();
    std::string sessionFile() const;
    std::string fogFile() const;

    // Main thread: the run as it stands now, ready to be written.
    SessionSnapshot capture();
    // Any thread: the fog file, then the session file, each atomically, then the backups
    // move on. False (logged) when either could not be written; the session file and the
    // backups are then the previous ones.
    static bool write(const SessionSnapshot& snapshot);
    // capture() and write() in one, on the calling (main) thread.
    bool save();

    // Main thread: replaces the run in memory with the saved one. Clears the quest items and
    // the deploy team first, so nothing of the previous run survives into the loaded one.
    // Falls back to the backups, newest first, when the session file does not load.
    bool load();
    // The same from the text of a session file, without the backups (the fog comes from
    // fogFile(), or `fog` when given).
    bool loadText(const std::string& text);
    bool loadText(const std::string& text, const std::string& fog);

    // The compact one-line form every save is written in.
    static std::string compactText(const Json::Value& root);

private:
    bool loadFile(const std::string& path, const std::string& fog);
    bool loadMembers(const Json::Value& root, const std::string& fog);

    CharacterManager& crew_;
    MissionManager& missions_;
    Sector& sector_;
    Ship& ship_;
    std::string folder_;
};

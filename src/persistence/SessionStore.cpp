#include "persistence/SessionStore.hpp"

#include "core/FileUtils.hpp"
#include "core/JsonRead.hpp"
#include "core/Logger.hpp"
#include "crew/CharacterManager.hpp"
#include "missions/MissionManager.hpp"
#include "persistence/AtomicFile.hpp"
#include "persistence/SaveBackups.hpp"
#include "world/Sector.hpp"
#include "world/Ship.hpp"

#include <json/writer.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <utility>


namespace {

struct MemberCheck {
    const char* key;
    const char* failure;
};

// In the order they are loaded, each with the line logged when it fails.
const MemberCheck members[] = {
    {"Ship", "Failed to load saved ship state."},
    {"Characters", "Failed to load saved character state."},
    {"Missions", "Failed to load saved mission state."},
    {"Sector", "Failed to load saved sector state."},
};

} // namespace

SessionStore::SessionStore(CharacterManager& crew, MissionManager& missions, Sector& sector, Ship& ship,
                           std::string folder)
    : saveMissions([&missions] { return missions.saveMissions(); })
    , loadMissions([&missions](const Json::Value& member) {
        missions.loadMissions(member);
        return true;
    })
    , crew_(crew)
    , missions_(missions)
    , sector_(sector)
    , ship_(ship)
    , folder_(std::move(folder))
{
    if (!folder_.empty() && folder_.back() != '/')
        folder_ += '/';
}

std::string SessionStore::sessionFile() const
{
    return folder_.empty() ? sessionPath() : folder_ + "sessionSave.json";
}

std::string SessionStore::fogFile() const
{
    return folder_.empty() ? fogPath() : folder_ + "fow.save";
}

std::string SessionStore::sessionPath()
{
    return savedPath() + "sessionSave.json";
}

std::string SessionStore::fogPath()
{
    return savedPath() + "fow.save";
}

bool SessionStore::saveExists()
{
    const std::string path = sessionPath();
    for (int number = 0; number <= SaveBackups::kept; ++number) {
        std::FILE* file = std::fopen((number == 0 ? path : SaveBackups::backupPath(path, number)).c_str(), "rb");
        if (file) {
            std::fclose(file);
            return true;
        }
    }
    return false;
}

std::string SessionStore::compactText(const Json::Value& root)
{
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    builder["precision"] = 9; // enough to give back every float exactly
    return Json::writeString(builder, root) + "\n";
}

SessionSnapshot SessionStore::capture()
{
    // The members in the order their owners are asked; the writer sorts the keys.
    Json::Value root(Json::objectValue);
    root["Characters"] = crew_.toJson();
    root["Missions"] = saveMissions();
    root["Sector"] = sector_.toJson();
    root["Ship"] = ship_.toJson();
    SessionSnapshot snapshot;
    snapshot.sessionPath = sessionFile();
    snapshot.fogPath = fogFile();
    snapshot.sessionText = compactText(root);
    snapshot.fogText = sector_.fog().saveText();
    return snapshot;
}

bool SessionStore::write(const SessionSnapshot& snapshot)
{
    // The fog first: a stop between the two leaves the old session with a newer fog, which
    // still loads; the other way round a new session could meet a missing fog file.
    const std::string oldFog = SaveBackups::holdPrevious(snapshot.fogPath);
    const std::string oldSession = SaveBackups::holdPrevious(snapshot.sessionPath);
    if (!writeFileAtomically(snapshot.fogPath, snapshot.fogText)
        || !writeFileAtomically(snapshot.sessionPath, snapshot.sessionText)) {
        QV_LOG << "Error: SessionStore::write, the session was not saved to " << snapshot.sessionPath << std::endl;
        SaveBackups::release(oldFog);
        SaveBackups::release(oldSession);
        return false;
    }
    // Both files rotate together, so backup n of the session goes with backup n of the fog.
    SaveBackups::rotate(snapshot.fogPath, oldFog);
    SaveBackups::rotate(snapshot.sessionPath, oldSession);
    return true;
}

bool SessionStore::save()
{
    return write(capture());
}

bool SessionStore::load()
{
    const std::string path = sessionFile();
    if (loadFile(path, fogFile()))
        return true;
    for (int number = 1; number <= SaveBackups::kept; ++number) {
        const std::string backup = SaveBackups::backupPath(path, number);
        if (!std::filesystem::exists(backup))
            continue;
        std::string fog = SaveBackups::backupPath(fogFile(), number);
        if (!std::filesystem::exists(fog))
            fog = fogFile();
        QV_LOG << "Trying the backup " << backup << std::endl;
        if (loadFile(backup, fog)) {
            QV_LOG << "Loaded the backup " << backup << " instead of " << path << ", which is kept as it was"
                   << std::endl;
            return true;
        }
    }
    return false;
}

bool SessionStore::loadFile(const std::string& path, const std::string& fog)
{
    std::string text;
    std::string error;
    switch (readWholeFile(path, text, error)) {
    case FileRead::Missing:
        QV_LOG << "Could not open player save! " << path << std::endl;
        return false;
    case FileRead::Unreadable:
        QV_LOG << "Could not open player save! " << path << ": " << error << std::endl;
        return false;
    case FileRead::Read:
        break;
    }
    return loadText(text, fog);
}

bool SessionStore::loadText(const std::string& text)
{
    return loadText(text, fogFile());
}

bool SessionStore::loadText(const std::string& text, const std::string& fog)
{
    Json::Value root;
    std::string errors;
    bool loaded = parseJsonText(text, root, errors);
    if (!loaded)
        QV_LOG << errors << "could not parse options!" << std::endl;
    else if (!root.isObject()) {
        QV_LOG << "Error: SessionStore::load, the session save does not hold an object" << std::endl;
        loaded = false;
    }
    if (loaded) {
        // A member that is missing or not an object is a damaged save: nothing is loaded.
        for (const MemberCheck& member : members) {
            if (!root[member.key].isObject()) {
                QV_LOG << member.failure << " (\"" << member.key << "\" is missing or not an object)" << std::endl;
                loaded = false;
            }
        }
    }
    if (loaded)
        loaded = loadMembers(root, fog);
    if (!loaded)
        QV_LOG << "Failed to load save! ;_; I'm so sorry I failed you. Please contact me and I will make this right!"
               << std::endl;
    return loaded;
}

bool SessionStore::loadMembers(const Json::Value& root, const std::string& fog)
{
    // Nothing of the previous run may reach into the loaded one.
    missions_.clearQuestItems();
    crew_.setDeployTeam({});
    bool loaded = true;
    try {
        if (!ship_.fromJson(root["Ship"])) {
            QV_LOG << members[0].failure << std::endl;
            loaded = false;
        }
        if (!crew_.fromJson(root["Characters"])) {
            QV_LOG << members[1].failure << std::endl;
            loaded = false;
        }
        if (!loadMissions(root["Missions"])) {
            QV_LOG << members[2].failure << std::endl;
            loaded = false;
        }
        if (!sector_.fromJson(root["Sector"], fog)) {
            QV_LOG << members[3].failure << std::endl;
            loaded = false;
        }
    } catch (const std::exception& failure) {
        QV_LOG << "Load failed, Give this to a developer: " << failure.what() << std::endl;
        return false;
    }
    if (loaded) {
        // No mission is under way in a loaded run, and it has not ended.
        missions_.leaveMission();
    }
    return loaded;
}

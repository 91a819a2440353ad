#include "persistence/SessionStore.hpp"

#include "core/FileUtils.hpp"
#include "core/JsonRead.hpp"
#include "core/Logger.hpp"
#include "crew/CharacterManager.hpp"
#include "missions/MissionManager.hpp"
#include "persistence/AtomicFile.hpp"
#include "world/Sector.hpp"
#include "world/Ship.hpp"

#include <json/writer.h>

#include <cerrno>
#include <cstdio>
#include <exception>
#include <filesystem>

#include <signal.h>

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

// Temporary files that a save killed halfway left beside `target` ("<name>.tmp-<pid>-<n>"):
// removed once the process that made them is gone, so they do not pile up in the saved
// folder. A live process's file (another game writing at this moment) is left alone.
void removeStaleTemporaries(const std::string& target)
{
    namespace fs = std::filesystem;
    const fs::path path(target);
    const std::string prefix = path.filename().string() + ".tmp-";
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(path.parent_path(), error)) {
        const std::string name = entry.path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string pid = name.substr(prefix.size(), name.find('-', prefix.size()) - prefix.size());
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos || pid.size() > 9)
            continue;
        if (::kill(static_cast<pid_t>(std::stol(pid)), 0) == 0 || errno != ESRCH)
            continue;
        fs::remove(entry.path(), error);
    }
}

} // namespace

SessionStore::SessionStore(CharacterManager& crew, MissionManager& missions, Sector& sector, Ship& ship)
    : saveMissions([&missions] { return missions.saveMissions(); })
    , loadMissions([&missions](const Json::Value& member) {
        missions.loadMissions(member);
        return true;
    })
    , crew_(crew)
    , missions_(missions)
    , sector_(sector)
    , ship_(ship)
{
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
    std::FILE* file = std::fopen(sessionPath().c_str(), "rb");
    if (!file)
        return false;
    std::fclose(file);
    return true;
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
    snapshot.sessionPath = sessionPath();
    snapshot.fogPath = fogPath();
    snapshot.sessionText = compactText(root);
    snapshot.fogText = sector_.fog().saveText();
    return snapshot;
}

bool SessionStore::write(const SessionSnapshot& snapshot)
{
    // The fog first: a stop between the two leaves the old session with a newer fog, which
    // still loads; the other way round a new session could meet a missing fog file.
    if (!writeFileAtomically(snapshot.fogPath, snapshot.fogText)
        || !writeFileAtomically(snapshot.sessionPath, snapshot.sessionText)) {
        QV_LOG << "Error: SessionStore::write, the session was not saved to " << snapshot.sessionPath << std::endl;
        return false;
    }
    removeStaleTemporaries(snapshot.fogPath);
    removeStaleTemporaries(snapshot.sessionPath);
    return true;
}

bool SessionStore::save()
{
    return write(capture());
}

bool SessionStore::load()
{
    const std::string path = sessionPath();
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
    return loadText(text);
}

bool SessionStore::loadText(const std::string& text)
{
    Json::Value root;
    std::string errors;
    bool loaded = parseJsonText(text, root, errors);
    if (!loaded)
        QV_LOG << errors << "could not parse options!" << std::endl;
    else if (!root.isObject()) {
        QV_LOG << "Error: SessionStore::load, " << sessionPath() << " does not hold an object" << std::endl;
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
        loaded = loadMembers(root);
    if (!loaded)
        QV_LOG << "Failed to load save! ;_; I'm so sorry I failed you. Please contact me and I will make this right!"
               << std::endl;
    return loaded;
}

bool SessionStore::loadMembers(const Json::Value& root)
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
        if (!sector_.fromJson(root["Sector"], fogPath())) {
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

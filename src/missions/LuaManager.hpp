#pragma once

#include "core/PostedWork.hpp"
#include "missions/ScriptState.hpp"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

class AchievementManager;
class CharacterManager;
class MissionManager;
class Ship;

// Runs mission scripts. Each mission gets a fresh, sandboxed Lua state (ScriptState) on a
// worker thread of its own: the shared "missions/library/library.lua" runs first, then the
// game objects are bound (msnMgr, charMgr, luaMgr, ship), then the mission's script. One
// script runs at a time: starting another first stops the previous one and waits for it.
//
// A script error is logged ("Lua Environment Failed in doFile()!: lua: error: ...") and shown
// in the error window, which the window manager opens on the main thread. A stopped script
// (the mission left, the title menu, shutdown) logs one line and shows nothing. The state is
// closed on the worker when the script has ended.
//
// Main thread: everything but the bound functions (aliveCrewLeft, unlockAchievement), which
// run on the worker. What the script asks of main-thread objects (achievements) is queued
// and carried out by runMainThreadWork().
class LuaManager {
public:
    // The text of the error window.
    static const char* const errorWindowText;

    // `assetsRoot` (ending in "/") holds "missions/library/library.lua".
    LuaManager(MissionManager* missions, AchievementManager* achievements, std::string assetsRoot);
    LuaManager(MissionManager* missions, AchievementManager* achievements);
    // Stops and awaits the script.
    ~LuaManager();
    LuaManager(const LuaManager&) = delete;
    LuaManager& operator=(const LuaManager&) = delete;

    // The other objects scripts reach. Set before runScript; a missing one is left unbound.
    void setCrew(CharacterManager* crew) { crew_ = crew; }
    void setShip(Ship* ship) { ship_ = ship; }

    // Starts the script at `path` (a full path; empty does nothing) on a new worker after
    // stopping any script still running, and resets the mission runtime for it.
    void runScript(const std::string& path);
    // Asks the running script to stop and waits for it, at most `patience`. A script stuck
    // inside a single library call past that is left behind with a log line (it can no
    // longer touch the game: every bound call raises once stopped). True when no script runs.
    bool stopScript(std::chrono::milliseconds patience = std::chrono::seconds(2));
    // The mission is left, by whatever path (LEAVE, the title menu, an error window, shutdown):
    // the script is stopped and the mission runtime goes idle, so saves are allowed again.
    void leaveMission();
    // Waits, without stopping it, for the script to end (runner, tests).
    bool waitForScript(std::chrono::milliseconds timeout);
    bool isScriptRunning() const;
    // The first result of the last finished script chunk, as an int (0 when none).
    std::int32_t getScriptResult() const { return scriptResult_.load(); }

    // The log line of the last script error, "" when none since the last runScript.
    std::string lastErrorLine() const;

    // Carries out what scripts asked of main-thread objects since the last call.
    void runMainThreadWork();

    // Bound to scripts.
    std::vector<std::int32_t> aliveCrewLeft();
    void unlockAchievement(const std::string& id);
    // ship:addMissionMarker, counted against the mission's budget first.
    void addShipMarker(const std::string& name);

    // What scripts can call on each game object, read back from a state bound exactly as a
    // mission's is: global name ("msnMgr") -> method names. The content checker uses it, so
    // it can never drift from the binding.
    static std::map<std::string, std::set<std::string>> boundMethods();
    // The globals a script has before the library runs: what the sandbox keeps of the
    // standard libraries, and the usertype tables of the binding.
    static std::set<std::string> standardGlobals();

    // Where the error window goes; by default the window manager (handed to the main thread).
    std::function<void(const std::string&)> showErrorWindow;
    // The Lua state's memory cap for the next script.
    std::size_t memoryCap = ScriptState::defaultMemoryCap;
    // The Lua instructions the next script may run (ScriptState::setStepBudget); 0 for no
    // limit, as in the game.
    std::uint64_t stepBudget = 0;

private:
    struct Task {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> stop = std::make_shared<std::atomic<bool>>(false);
        std::mutex doneMutex;
        std::condition_variable done;
        bool finished = false;
    };

    void work(const std::shared_ptr<Task>& task, const std::string& path);
    bool loadLuaState(ScriptState& state);
    void doFile(ScriptState& state, const std::string& path);
    void bindGameObjects(lua_State* L);
    // Runs `read` in a fresh state bound to placeholder objects.
    static void readBoundState(const std::function<void(lua_State*)>& read);
    void reportError(const std::string& logLine);
    bool waitFor(Task& task, std::chrono::milliseconds timeout);

    MissionManager* missions_;
    AchievementManager* achievements_;
    CharacterManager* crew_ = nullptr;
    Ship* ship_ = nullptr;
    std::string assetsRoot_;
    std::shared_ptr<Task> task_;
    std::atomic<std::int32_t> scriptResult_ { 0 };
    mutable std::mutex errorMutex_;
    std::string lastErrorLine_;
    PostedWork mainThreadWork_;
};

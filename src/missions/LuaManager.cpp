#include "missions/LuaManager.hpp"

#include "achievements/AchievementManager.hpp"
#include "core/CrashHandler.hpp"
#include "core/FileUtils.hpp"
#include "core/Logger.hpp"
#include "crew/CharacterManager.hpp"
#include "missions/LuaBinding.hpp"
#include "missions/MissionManager.hpp"
#include "world/Ship.hpp"
#include "ui/WindowManager.hpp"

#include <utility>

const char* const LuaManager::errorWindowText =
    "Lua error detected!\n\nClick the button below to open the current game log.\nPlease send logs to "
    "support@quorvane.org";

LuaManager::LuaManager(MissionManager* missions, AchievementManager* achievements, std::string assetsRoot)
    : showErrorWindow([](const std::string& text) { WindowManager::get().showError(text); })
    , missions_(missions)
    , achievements_(achievements)
    , assetsRoot_(std::move(assetsRoot))
{
}

LuaManager::LuaManager(MissionManager* missions, AchievementManager* achievements)
    : LuaManager(missions, achievements, assetsPath())
{
}

LuaManager::~LuaManager()
{
    stopScript();
}

void LuaManager::runScript(const std::string& path)
{
    if (path.empty())
        return;
    // Whatever the mission flags say, a previous script may still be executing: it is
    // stopped and awaited before anything it could touch is reset.
    stopScript();
    missions_->resetForMission();
    {
        std::lock_guard<std::mutex> guard(errorMutex_);
        lastErrorLine_.clear();
    }
    auto task = std::make_shared<Task>();
    task_ = task;
    task->thread = std::thread([this, task, path] { work(task, path); });
}

bool LuaManager::waitFor(Task& task, std::chrono::milliseconds timeout)
{
    std::unique_lock<std::mutex> lock(task.doneMutex);
    return task.done.wait_for(lock, timeout, [&] { return task.finished; });
}

bool LuaManager::stopScript(std::chrono::milliseconds patience)
{
    if (!task_)
        return true;
    std::shared_ptr<Task> task = std::move(task_);
    task->stop->store(true);
    if (waitFor(*task, patience)) {
        task->thread.join();
        return true;
    }
    QV_LOG << "Warning: LuaManager::stopScript, the mission script did not stop in time and is left behind"
           << std::endl;
    task->thread.detach();
    return false;
}

void LuaManager::leaveMission()
{
    stopScript();
    if (missions_->phase() != MissionManager::Phase::Idle)
        missions_->leaveMission();
}

bool LuaManager::waitForScript(std::chrono::milliseconds timeout)
{
    if (!task_)
        return true;
    if (!waitFor(*task_, timeout))
        return false;
    task_->thread.join();
    task_.reset();
    return true;
}

bool LuaManager::isScriptRunning() const
{
    if (!task_)
        return false;
    std::lock_guard<std::mutex> guard(task_->doneMutex);
    return !task_->finished;
}

void LuaManager::work(const std::shared_ptr<Task>& task, const std::string& path)
{
    // A script that overflows this thread's stack still leaves a crash dump.
    installThreadSignalStack();
    {
        ScriptState state(task->stop, memoryCap);
        state.setStepBudget(stepBudget);
        if (loadLuaState(state))
            doFile(state, path);
        else if (!task->stop->load())
            missions_->leaveMission();
        if (!task->stop->load())
            missions_->scriptFinished(*task->stop);
    } // the state is closed here, on the thread that used it
    {
        std::lock_guard<std::mutex> guard(task->doneMutex);
        task->finished = true;
    }
    task->done.notify_all();
}

bool LuaManager::loadLuaState(ScriptState& state)
{
    std::string error;
    if (!state.open(error)) {
        reportError("Lua Environment Failed in loadLuaState()!: lua: error: " + error);
        return false;
    }
    // The shared library runs before anything is bound: it may only define functions that
    // use the game objects when called. A failing library is reported and the mission goes on.
    doFile(state, assetsRoot_ + "missions/library/library.lua");
    if (state.stopRequested())
        return false;
    if (!state.protect([this](lua_State* L) { bindGameObjects(L); }, error)) {
        reportError("Lua Environment Failed in loadLuaState()!: lua: error: " + error);
        return false;
    }
    return true;
}

void LuaManager::doFile(ScriptState& state, const std::string& path)
{
    if (state.stopRequested())
        return;
    missions_->reseedRandom();
    ScriptState::Outcome outcome = state.runFile(path);
    if (!outcome.ok) {
        if (state.stopRequested())
            QV_LOG << "Mission script stopped: " << path << std::endl;
        else
            reportError("Lua Environment Failed in doFile()!: lua: error: " + outcome.error);
        return;
    }
    scriptResult_ = outcome.result;
    if (outcome.result != 0) {
        // A chunk that returns a number other than 0 ends its mission successfully.
        QV_LOG << "-- " << outcome.resultText << std::endl;
        missions_->endMission(true);
    }
}

std::string LuaManager::lastErrorLine() const
{
    std::lock_guard<std::mutex> guard(errorMutex_);
    return lastErrorLine_;
}

void LuaManager::reportError(const std::string& logLine)
{
    QV_LOG << logLine << std::endl;
    {
        std::lock_guard<std::mutex> guard(errorMutex_);
        lastErrorLine_ = logLine;
    }
    if (showErrorWindow)
        showErrorWindow(errorWindowText);
}

void LuaManager::runMainThreadWork()
{
    mainThreadWork_.runAll();
}

std::vector<std::int32_t> LuaManager::aliveCrewLeft()
{
    std::vector<std::int32_t> alive;
    if (!crew_)
        return alive;
    auto guard = crew_->lock();
    const std::int32_t total = crew_->depCrewTotal();
    for (std::int32_t i = 0; i < total; ++i)
        if (crew_->crewIsAlive(i))
            alive.push_back(i);
    return alive;
}

void LuaManager::unlockAchievement(const std::string& id)
{
    AchievementManager* achievements = achievements_;
    mainThreadWork_.post([achievements, id] {
        if (achievements)
            achievements->unlockAchievement(id);
    });
}

void LuaManager::addShipMarker(const std::string& name)
{
    missions_->budget().chargeMarker(name.size());
    ship_->addMissionMarker(name);
}

void LuaManager::bindGameObjects(lua_State* L)
{
    LuaClass<MissionManager>(L, "MissionManager")
        .method<&MissionManager::addMessage>("addMessage")
        .method<&MissionManager::addHeader>("addHeader")
        .method<&MissionManager::addQuestItem>("addQuestItem")
        .method<&MissionManager::removeQuestItem>("removeQuestItem")
        .method<&MissionManager::hasQuestItem>("hasQuestItem")
        .method<&MissionManager::buildChoice>("buildChoice")
        .method<&MissionManager::buildLockedChoice>("buildLockedChoice")
        .method<&MissionManager::finalizeChoice>("finalizeChoice")
        .method<&MissionManager::getChoiceResponse>("getChoiceResponse")
        .method<&MissionManager::endMission>("endMission")
        .method<&MissionManager::setEndScreen>("setEndScreen")
        .method<&MissionManager::endGame>("endGame")
        .method<&MissionManager::getDeployStatus>("getDeployStatus")
        .method<&MissionManager::random>("random")
        .method<&MissionManager::getDifficulty>("getDifficulty")
        .method<&MissionManager::getDiffScale>("getDiffScale")
        .method<&MissionManager::rechoice>("rechoice")
        .method<&MissionManager::checkEveryoneLives>("checkEveryoneLives")
        .method<&MissionManager::hasLead>("hasLead")
        .method<&MissionManager::hasMed>("hasMed")
        .method<&MissionManager::hasEng>("hasEng")
        .method<&MissionManager::killCrew>("killCrew")
        .global("msnMgr", missions_);

    if (ship_)
        LuaClass<Ship>(L, "Ship")
            .method<&Ship::getHealth>("getHealth")
            .method<&Ship::getSensors>("getSensors")
            .method<&Ship::getShields>("getShields")
            .method<&Ship::getEngineSpeed>("getEngineSpeed")
            .method<&Ship::getFood>("getFood")
            .method<&Ship::getFuel>("getFuel")
            .method<&Ship::getDaysWithoutFood>("getDaysWithoutFood")
            .method<&Ship::adjustFood>("adjustFood")
            .method<&Ship::adjustFuel>("adjustFuel")
            .method<&Ship::adjustHealth>("adjustHealth")
            .method<&Ship::adjustSensors>("adjustSensors")
            .method<&Ship::adjustShields>("adjustShields")
            .method<&Ship::adjustEngineSpeed>("adjustEngineSpeed")
            .forward<&LuaManager::addShipMarker>("addMissionMarker", this)
            .global("ship", ship_);

    if (crew_)
        LuaClass<CharacterManager>(L, "CharacterManager")
            .method<&CharacterManager::getCharDetail>("getCharDetail")
            .method<&CharacterManager::getCharAttr>("getCharAttr")
            .method<&CharacterManager::getCharName>("getCharName")
            .method<&CharacterManager::getCharColoredName>("getCharColoredName")
            .method<&CharacterManager::getRandomCrewByPronoun>("getRandomCrewByPronoun")
            .method<&CharacterManager::getNominativePronoun>("getNominativePronoun")
            .method<&CharacterManager::getObliquePronoun>("getObliquePronoun")
            .method<&CharacterManager::getPossesivePronoun>("getPossesivePronoun")
            .method<&CharacterManager::getGender>("getGender")
            .method<&CharacterManager::getEng>("getEng")
            .method<&CharacterManager::getMed>("getMed")
            .method<&CharacterManager::getLead>("getLead")
            .method<&CharacterManager::getCrewByName>("getCrewByName")
            .method<&CharacterManager::getCrewTraits>("getCrewTraits")
            .method<&CharacterManager::getCharTrait>("getCharTrait")
            .method<&CharacterManager::giveMemento>("giveMemento")
            .method<&CharacterManager::hasMemento>("hasMemento")
            .method<&CharacterManager::randomCrew>("randomCrew")
            .method<&CharacterManager::leastAttr>("leastAttr")
            .method<&CharacterManager::mostAttr>("mostAttr")
            .method<&CharacterManager::totalAttr>("totalAttr")
            .method<&CharacterManager::crewWithMost>("crewWithMost")
            .method<&CharacterManager::crewWithLeast>("crewWithLeast")
            .method<&CharacterManager::depCrewLeft>("depCrewLeft")
            .method<&CharacterManager::newCrew>("newCrew")
            .method<&CharacterManager::randomCrewIgnoringCrew>("randomCrewIgnoringCrew")
            .method<&CharacterManager::depCrewTotal>("depCrewTotal")
            .method<&CharacterManager::crewOnShipLeft>("crewOnShipLeft")
            .method<&CharacterManager::crewIsAlive>("crewIsAlive")
            .global("charMgr", crew_)
            // "Constructing" a roster gives the one roster there is: a second one built on
            // the script thread would load every character again and answer for nobody.
            .alias("new", "charMgr");

    LuaClass<LuaManager>(L, "LuaManager")
        .method<&LuaManager::aliveCrewLeft>("aliveCrewLeft")
        .method<&LuaManager::unlockAchievement>("unlockAchievement")
        .global("luaMgr", this);
}

void LuaManager::readBoundState(const std::function<void(lua_State*)>& read)
{
    ScriptState state;
    std::string error;
    if (!state.open(error))
        return;
    // Bound but never called: the objects only need to be there.
    static char placeholder;
    LuaManager probe(nullptr, nullptr, "");
    probe.crew_ = reinterpret_cast<CharacterManager*>(&placeholder);
    probe.ship_ = reinterpret_cast<Ship*>(&placeholder);
    state.protect(
        [&](lua_State* L) {
            probe.bindGameObjects(L);
            read(L);
        },
        error);
}

std::map<std::string, std::set<std::string>> LuaManager::boundMethods()
{
    std::map<std::string, std::set<std::string>> methods;
    readBoundState([&](lua_State* L) {
        lua_pushglobaltable(L);
        lua_pushnil(L);
        while (lua_next(L, -2)) {
            // An object global: its metatable's __index holds the methods.
            if (lua_type(L, -2) == LUA_TSTRING && lua_type(L, -1) == LUA_TUSERDATA && lua_getmetatable(L, -1)) {
                const std::string global = lua_tostring(L, -3);
                if (lua_getfield(L, -1, "__index") == LUA_TTABLE) {
                    lua_pushnil(L);
                    while (lua_next(L, -2)) {
                        if (lua_type(L, -2) == LUA_TSTRING)
                            methods[global].insert(lua_tostring(L, -2));
                        lua_pop(L, 1);
                    }
                }
                lua_pop(L, 2);
            }
            lua_pop(L, 1);
        }
        lua_pop(L, 1);
    });
    return methods;
}

std::set<std::string> LuaManager::standardGlobals()
{
    std::set<std::string> names;
    readBoundState([&](lua_State* L) {
        lua_pushglobaltable(L);
        lua_pushnil(L);
        while (lua_next(L, -2)) {
            if (lua_type(L, -2) == LUA_TSTRING)
                names.insert(lua_tostring(L, -2));
            lua_pop(L, 1);
        }
        lua_pop(L, 1);
    });
    return names;
}

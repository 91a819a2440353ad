#include "missions/HeadlessMission.hpp"

#include "achievements/VoidAchievementManager.hpp"
#include "core/Logger.hpp"
#include "crew/CharacterManager.hpp"
#include "missions/LuaManager.hpp"
#include "missions/Memento.hpp"
#include "missions/Mission.hpp"
#include "missions/MissionManager.hpp"
#include "persistence/PlayerStats.hpp"
#include "world/Ship.hpp"
#include "world/ShipContext.hpp"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;

// How long the script may go without queueing anything, while it waits for a pick the answer
// list does not have, before the run counts as waiting.
constexpr auto waitingQuiet = std::chrono::milliseconds(200);
// How long a script may run on after its mission has ended before it is stopped.
constexpr auto endGrace = std::chrono::seconds(1);

Json::Value record(const char* type)
{
    Json::Value value(Json::objectValue);
    value["type"] = type;
    return value;
}

Json::Value textList(const std::vector<std::string>& texts)
{
    Json::Value list(Json::arrayValue);
    for (const std::string& text : texts)
        list.append(text);
    return list;
}

// The achievement manager of a headless run: every unlock becomes a transcript record.
class TranscriptAchievements : public VoidAchievementManager {
public:
    explicit TranscriptAchievements(const std::function<void(const Json::Value&)>& emit)
        : emit_(emit)
    {
    }
    bool unlockAchievement(const std::string& id) override
    {
        Json::Value line = record("achievement");
        line["id"] = id;
        emit_(line);
        return true;
    }

private:
    const std::function<void(const Json::Value&)>& emit_;
};

// The ship's surroundings in a headless run: statistics that go nowhere, no sounds.
class QuietShipContext : public ShipContext {
public:
    QuietShipContext(const Mission& mission, std::int32_t difficulty, PlayerStats& stats)
        : mission_(mission)
        , difficulty_(difficulty)
        , stats_(stats)
    {
    }
    PlayerStats& playerStats() override { return stats_; }
    std::int32_t livingCrewCount() override { return 0; }
    std::string currentMissionName() override { return mission_.getItem("Name"); }
    bool foodCheat() override { return false; }
    std::int32_t difficulty() override { return difficulty_; }
    void raiseJumpFlash() override {}
    void keepThrustersPlaying() override {}
    void stopThrusters() override {}
    void playJumpSound() override {}

private:
    const Mission& mission_;
    std::int32_t difficulty_;
    PlayerStats& stats_;
};

// The roster of a headless run: the characters of the assets (no mods), every one that is not
// secret aboard.
CharacterManager::Folders crewFolders(const std::string& assets)
{
    return { assets, assets + "no-mods-in-a-headless-run/", assets + "no-portraits-in-a-headless-run/" };
}

// What the transcript reports of the ship: the values a script can read or change.
Json::Value shipValues(const Ship& ship)
{
    Json::Value values(Json::objectValue);
    values["health"] = ship.getHealth();
    values["shields"] = ship.getShields();
    values["food"] = ship.getFood();
    values["fuel"] = ship.getFuel();
    values["daysWithoutFood"] = ship.getDaysWithoutFood();
    values["sensors"] = ship.getSensors();
    values["engineSpeed"] = ship.getEngineSpeed();
    Json::Value markers(Json::arrayValue);
    for (const MissionMarker& marker : ship.getMissionMarkers())
        markers.append(marker.name);
    values["markers"] = markers;
    values["upgradeLog"] = textList(ship.getUpgradeLog());
    return values;
}

// One headless run: the game objects, what has been reported so far, and the steps of the
// screen's loop.
class Session {
public:
    Session(const HeadlessMission::Options& options, const std::function<void(const Json::Value&)>& emit)
        : options_(options)
        , emit_(emit)
        , achievements_(emit)
        , missions_(&achievements_, options.assets)
        , shipContext_(mission_, options.difficulty, stats_)
        , ship_(shipContext_)
        , crew_(crewFolders(options.assets))
        , lua_(&missions_, &achievements_, options.assets)
    {
        lua_.showErrorWindow = [](const std::string&) {};
        missions_.setShip(&ship_);
        lua_.setShip(&ship_);
        crew_.setPlayerStats(&stats_);
        crew_.setJumpCountSource([this] { return ship_.getJumpCount(); });
        missions_.setCrew(&crew_);
        missions_.setPlayerStats(&stats_);
        lua_.setCrew(&crew_);
        missions_.onDeath = [this](const PendingDeath& death) { reportDeath(death); };
    }

    HeadlessMission::Outcome run()
    {
        const bool readable = mission_.loadMissionFile(options_.missionFile, options_.missionFile);
        const std::string luaFile = mission_.getItem("Lua file");
        Json::Value start = record("start");
        start["mission"] = mission_.getItem("Name");
        start["script"] = luaFile;
        start["difficulty"] = options_.difficulty;
        start["log"] = Logger::path();
        if (!readable || luaFile == "null") {
            emit_(start);
            Json::Value error = record("error");
            error["text"] = readable ? "the mission file names no \"Lua file\"" : "the mission file cannot be read";
            emit_(error);
            return finish(HeadlessMission::Outcome::BadSetUp);
        }

        missions_.difficulty = options_.difficulty;
        missions_.fixRandomSeed(options_.seed);
        missions_.scriptRandomNumbers(options_.randomNumbers);
        lua_.stepBudget = options_.stepBudget;
        if (options_.seed)
            crew_.seedRandom(*options_.seed);
        crew_.setCurrentMissionName(mission_.getItem("Name"));
        for (const std::string& item : options_.questItems)
            missions_.addQuestItem(item);
        // The ship as a new run on this difficulty has it, with the food and fuel asked for.
        ship_.resetForNewRun(options_.difficulty);
        if (options_.food)
            ship_.adjustFood(*options_.food - ship_.getFood());
        if (options_.fuel)
            ship_.adjustFuel(*options_.fuel - ship_.getFuel());
        if (options_.health)
            ship_.adjustHealth(*options_.health - ship_.getHealth());
        shipReported_ = shipValues(ship_);
        start["ship"] = shipReported_;
        const std::optional<Json::Value> team = deployTeam();
        if (!team) {
            emit_(start);
            Json::Value error = record("error");
            error["text"] = "a team member is not aboard, or a role is not a team position";
            emit_(error);
            return finish(HeadlessMission::Outcome::BadSetUp);
        }
        start["team"] = *team;
        aboardReported_ = aboard();
        questItems_ = missions_.questItemList();
        emit_(start);
        missions_.setCurrentMission(&mission_);
        lua_.runScript(scriptPath(luaFile));

        const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                                 std::chrono::duration<double>(options_.maxSeconds));
        lastActivity_ = Clock::now();
        for (;;) {
            step();
            if (auto outcome = verdict(deadline))
                return finish(*outcome);
            // The explorer's many short runs spend most of their time here.
            std::this_thread::sleep_for(options_.stopAtUnansweredSet ? std::chrono::microseconds(200)
                                                                     : std::chrono::microseconds(1000));
        }
    }

private:
    // The script under the assets folder; failing that, under the assets tree the mission
    // file itself lies in (".../missions/json/x.json" -> "..."), so a mod or a test can keep a
    // mission and its script together.
    std::string scriptPath(const std::string& luaFile) const
    {
        const std::string inAssets = options_.assets + luaFile;
        if (std::filesystem::exists(inAssets))
            return inAssets;
        const std::size_t at = options_.missionFile.rfind("/missions/");
        if (at != std::string::npos && std::filesystem::exists(options_.missionFile.substr(0, at) + luaFile))
            return options_.missionFile.substr(0, at) + luaFile;
        return inAssets;
    }

    // One frame of the stand-in screen.
    void step()
    {
        missions_.takeQueued();
        lua_.runMainThreadWork();
        crew_.flushStatistics();
        reportMessages();
        reportChoiceSets();
        answerOpenSets();
        reportQuestItems();
        reportShip();
        reportCrew();
        reportEnding();
    }

    // The team: the names asked for, or else as many as "Max Crew" allows (at least "Min
    // Crew" when there are enough aboard), the first aboard. The roles: the positions asked
    // for, or else the roles the mission uses go to the first members in the order leader,
    // medic, engineer. Reported as the start's "team"; nullopt when a name is not aboard or a
    // role position is outside the team.
    std::optional<Json::Value> deployTeam()
    {
        crew_.resetCrew();
        if (options_.crewAboard) {
            auto guard = crew_.lock();
            auto& aboard = crew_.getCrewOnShip();
            while (aboard.size() > static_cast<std::size_t>(std::max(*options_.crewAboard, 0)))
                aboard.pop_back();
        }
        std::vector<std::size_t> team;
        if (options_.team.empty()) {
            const std::size_t available = crew_.getCrewOnShip().size();
            const std::size_t wanted = static_cast<std::size_t>(
                std::max(options_.teamSize.value_or(std::max(mission_.maxCrew, mission_.minCrew)), 0));
            for (std::size_t position = 0; position < std::min(available, wanted); ++position)
                team.push_back(position);
        } else {
            const auto& aboard = crew_.getCrewOnShip();
            for (const std::string& name : options_.team) {
                const auto found = std::find_if(aboard.begin(), aboard.end(),
                                                [&](const Character& c) { return c.name() == name; });
                if (found == aboard.end())
                    return std::nullopt;
                team.push_back(static_cast<std::size_t>(found - aboard.begin()));
            }
        }
        {
            // As in a run, the team wears its badges, which the ending credits.
            auto guard = crew_.lock();
            for (std::size_t position : team)
                crew_.getCrewOnShip()[position].addBadges();
        }
        crew_.setDeployTeam(team);
        std::int32_t leader = -1, medic = -1, engineer = -1;
        if (options_.roles) {
            for (std::int32_t position : *options_.roles)
                if (position < -1 || position >= static_cast<std::int32_t>(team.size()))
                    return std::nullopt;
            leader = (*options_.roles)[0];
            medic = (*options_.roles)[1];
            engineer = (*options_.roles)[2];
        } else {
            std::int32_t next = 0;
            const auto role = [&](bool used) {
                return used && static_cast<std::size_t>(next) < team.size() ? next++ : -1;
            };
            leader = role(mission_.leader && !options_.withoutLeader);
            medic = role(mission_.medic && !options_.withoutMedic);
            engineer = role(mission_.engineer && !options_.withoutEngineer);
        }
        crew_.setRoles(leader, medic, engineer);

        Json::Value members(Json::arrayValue);
        for (std::int32_t i = 0; i < static_cast<std::int32_t>(team.size()); ++i) {
            Json::Value member(Json::objectValue);
            member["crew"] = i;
            member["name"] = crew_.getCharName(i);
            if (i == leader)
                member["role"] = "leader";
            else if (i == medic)
                member["role"] = "medic";
            else if (i == engineer)
                member["role"] = "engineer";
            members.append(member);
            mementosReported_.push_back(mementoNames(i));
        }
        return members;
    }

    std::vector<std::string> mementoNames(std::int32_t member)
    {
        auto guard = crew_.lock();
        std::vector<std::string> names;
        const auto team = crew_.getDeployTeam();
        for (const auto& memento : crew_.getCrewOnShip()[team[static_cast<std::size_t>(member)]].mementos)
            names.push_back(memento->getLoadedFilename());
        return names;
    }

    std::vector<std::string> aboard()
    {
        auto guard = crew_.lock();
        std::vector<std::string> names;
        for (const Character& member : crew_.getCrewOnShip())
            names.push_back(member.name());
        return names;
    }

    // Mementos given to the team and crew members who came aboard.
    void reportCrew()
    {
        for (std::int32_t i = 0; i < static_cast<std::int32_t>(mementosReported_.size()); ++i) {
            std::vector<std::string> now = mementoNames(i);
            auto& before = mementosReported_[static_cast<std::size_t>(i)];
            for (std::size_t k = before.size(); k < now.size(); ++k) {
                Json::Value line = record("memento");
                line["crew"] = i;
                line["name"] = crew_.getCharName(i);
                line["memento"] = now[k];
                emit_(line);
            }
            before = std::move(now);
        }
        std::vector<std::string> now = aboard();
        if (now != aboardReported_) {
            Json::Value line = record("aboard");
            line["crew"] = textList(now);
            emit_(line);
            aboardReported_ = std::move(now);
        }
    }

    // The ship's values that changed since the last report.
    void reportShip()
    {
        const Json::Value now = shipValues(ship_);
        if (now == shipReported_)
            return;
        Json::Value line = record("ship");
        for (const std::string& key : now.getMemberNames())
            if (now[key] != shipReported_[key])
                line[key] = now[key];
        emit_(line);
        shipReported_ = now;
    }

    void reportMessages()
    {
        const auto& shown = missions_.displayedMessages();
        for (; messagesReported_ < shown.size(); ++messagesReported_) {
            const MissionMessage& message = *shown[messagesReported_].message;
            Json::Value line = record("message");
            line["id"] = message.id;
            line["text"] = message.plainText;
            if (message.text != message.plainText)
                line["markup"] = message.text;
            if (message.isHeader)
                line["header"] = true;
            emit_(line);
            missions_.revealMessage(messagesReported_);
            lastActivity_ = Clock::now();
        }
    }

    void reportChoiceSets()
    {
        const auto& offered = missions_.offeredChoiceSets();
        for (; setsReported_ < offered.size(); ++setsReported_) {
            const MissionChoiceSet& set = *offered[setsReported_].set;
            Json::Value line = record("choices");
            line["set"] = static_cast<Json::UInt64>(setsReported_);
            Json::Value choices(Json::arrayValue);
            for (const MissionChoice& choice : set.choices) {
                Json::Value entry(Json::objectValue);
                entry["label"] = choice.label;
                if (choice.locked)
                    entry["locked"] = true;
                choices.append(entry);
            }
            line["choices"] = choices;
            emit_(line);
            // Every message is revealed as soon as it arrives, so each set is due at once.
            missions_.showChoiceSet(setsReported_);
            lastActivity_ = Clock::now();
        }
    }

    void answerOpenSets()
    {
        const auto& offered = missions_.offeredChoiceSets();
        waitingFor_.reset();
        for (std::size_t set = 0; set < offered.size(); ++set) {
            if (offered[set].answered)
                continue;
            if (nextAnswer_ >= options_.answers.size()) {
                waitingFor_ = set;
                return;
            }
            const std::int32_t answer = options_.answers[nextAnswer_++];
            Json::Value line = record("pick");
            line["set"] = static_cast<Json::UInt64>(set);
            line["answer"] = answer;
            if (!missions_.answerChoice(set, answer - 1)) {
                line["refused"] = true;
                emit_(line);
                badAnswer_ = true;
                return;
            }
            line["label"] = offered[set].set->choices[static_cast<std::size_t>(answer - 1)].label;
            emit_(line);
            lastActivity_ = Clock::now();
        }
    }

    void reportQuestItems()
    {
        std::vector<std::string> now = missions_.questItemList();
        if (now == questItems_)
            return;
        Json::Value line = record("questItems");
        line["items"] = textList(now);
        emit_(line);
        questItems_ = std::move(now);
    }

    void reportEnding()
    {
        if (endReported_ || missions_.phase() == MissionManager::Phase::Live
            || missions_.phase() == MissionManager::Phase::Idle)
            return;
        endReported_ = true;
        Json::Value line = record("end");
        line["success"] = mission_.isCompleted;
        line["gameEnded"] = missions_.gameEnded();
        line["gameOver"] = missions_.gameOver.load();
        if (missions_.endScreenRequested())
            line["endScreen"] = missions_.endScreenName();
        line["everyoneLivesChecked"] = missions_.everyoneLivesChecks() > 0;
        std::int32_t alive = 0;
        {
            auto guard = crew_.lock();
            for (const Character& member : crew_.getCrewOnShip())
                alive += member.isDead ? 0 : 1;
        }
        line["aliveAboard"] = alive;
        emit_(line);
        emit_(creditRecord());
        endedAt_ = Clock::now();
    }

    // What the ending credited: each team member's deployments and roles with the badge
    // titles they now carry. The credit is complete before the end is reported.
    Json::Value creditRecord()
    {
        Json::Value line = record("credit");
        Json::Value members(Json::arrayValue);
        auto guard = crew_.lock();
        const auto team = crew_.getDeployTeam();
        for (std::size_t i = 0; i < team.size(); ++i) {
            const Character& member = crew_.getCrewOnShip()[team[i]];
            Json::Value entry(Json::objectValue);
            entry["crew"] = static_cast<Json::UInt64>(i);
            entry["name"] = member.name();
            entry["timesDeployed"] = member.timesDeployed;
            entry["timesLeader"] = member.timesLeader;
            entry["timesMedic"] = member.timesMedic;
            entry["timesEngineer"] = member.timesEngineer;
            Json::Value badges(Json::arrayValue);
            for (std::size_t k = 0; k < member.mementos.size() && k < 4; ++k)
                badges.append(member.mementos[k]->getName());
            entry["badges"] = badges;
            members.append(entry);
        }
        line["team"] = members;
        return line;
    }

    void reportDeath(const PendingDeath& death)
    {
        Json::Value line = record("kill");
        line["crew"] = death.crewNumber;
        line["name"] = crew_.getCharName(death.crewNumber);
        line["epitaph"] = death.epitaph;
        line["sound"] = death.withSound;
        emit_(line);
    }

    // Whether the run is over, and how.
    std::optional<HeadlessMission::Outcome> verdict(Clock::time_point deadline)
    {
        using Outcome = HeadlessMission::Outcome;
        const bool scriptRuns = lua_.isScriptRunning();
        if (!lua_.lastErrorLine().empty() && !scriptRuns)
            return Outcome::ScriptError;
        if (badAnswer_)
            return Outcome::Waiting;
        if (missions_.phase() == MissionManager::Phase::Closed)
            if (!scriptRuns || Clock::now() - endedAt_ > endGrace)
                return Outcome::Ended;
        if (waitingFor_ && scriptRuns && missions_.phase() == MissionManager::Phase::Live
            && (options_.stopAtUnansweredSet || Clock::now() - lastActivity_ > waitingQuiet))
            return Outcome::Waiting;
        if (!scriptRuns && missions_.phase() == MissionManager::Phase::Live) {
            stuck_ = true;
            return Outcome::TimedOut;
        }
        if (Clock::now() > deadline)
            return Outcome::TimedOut;
        return std::nullopt;
    }

    HeadlessMission::Outcome finish(HeadlessMission::Outcome outcome)
    {
        lua_.leaveMission();
        step();
        Json::Value line = record("exit");
        line["code"] = static_cast<int>(outcome);
        switch (outcome) {
        case HeadlessMission::Outcome::Ended:
            line["status"] = "ended";
            break;
        case HeadlessMission::Outcome::BadSetUp:
            line["status"] = "bad set-up";
            break;
        case HeadlessMission::Outcome::ScriptError:
            line["status"] = "script error";
            line["error"] = lua_.lastErrorLine();
            break;
        case HeadlessMission::Outcome::Waiting:
            line["status"] = badAnswer_ ? "answer refused" : "waiting for an answer";
            if (waitingFor_)
                line["set"] = static_cast<Json::UInt64>(*waitingFor_);
            break;
        case HeadlessMission::Outcome::TimedOut:
            line["status"] = stuck_ ? "script returned without ending the mission" : "timed out";
            break;
        }
        emit_(line);
        return outcome;
    }

    const HeadlessMission::Options& options_;
    const std::function<void(const Json::Value&)>& emit_;
    TranscriptAchievements achievements_;
    Mission mission_;
    MissionManager missions_;
    PlayerStats stats_;
    QuietShipContext shipContext_;
    Ship ship_;
    CharacterManager crew_;
    LuaManager lua_;

    std::size_t messagesReported_ = 0;
    std::size_t setsReported_ = 0;
    std::size_t nextAnswer_ = 0;
    std::optional<std::size_t> waitingFor_;
    std::vector<std::string> questItems_;
    Json::Value shipReported_;
    std::vector<std::vector<std::string>> mementosReported_;
    std::vector<std::string> aboardReported_;
    bool badAnswer_ = false;
    bool endReported_ = false;
    bool stuck_ = false;
    Clock::time_point lastActivity_;
    Clock::time_point endedAt_;
};

} // namespace

HeadlessMission::HeadlessMission(Options options)
    : options_(std::move(options))
{
}

HeadlessMission::Outcome HeadlessMission::run(const std::function<void(const Json::Value&)>& emit)
{
    Session session(options_, emit);
    return session.run();
}

std::optional<std::int32_t> HeadlessMission::difficultyNamed(const std::string& name)
{
    if (name == "Easy")
        return MissionManager::easy;
    if (name == "Medium")
        return MissionManager::medium;
    if (name == "Hard")
        return MissionManager::hard;
    return std::nullopt;
}

#include "missions/MissionExplorer.hpp"

#include "core/FileUtils.hpp"
#include "core/Logger.hpp"
#include "crew/CharacterManager.hpp"
#include "missions/HeadlessMission.hpp"
#include "missions/LuaSourceScan.hpp"
#include "missions/Mission.hpp"
#include "missions/MissionManager.hpp"
#include "missions/ScriptState.hpp"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <utility>

namespace {

std::string joinPath(const std::vector<std::int32_t>& path)
{
    std::string text;
    for (std::int32_t answer : path)
        text += (text.empty() ? "" : ",") + std::to_string(answer);
    return text.empty() ? "(no answer)" : text;
}

Json::Value textSet(const std::set<std::string>& texts)
{
    Json::Value list(Json::arrayValue);
    for (const std::string& text : texts)
        list.append(text);
    return list;
}

std::set<std::string> readSet(const Json::Value& list)
{
    std::set<std::string> texts;
    for (const Json::Value& text : list)
        texts.insert(text.asString());
    return texts;
}

// The script a mission names, as the runner finds it.
std::string scriptOf(const Mission& mission, const std::string& missionFile, const std::string& assets)
{
    const std::string luaFile = mission.getItem("Lua file");
    std::string source;
    if (readWholeFile(assets + luaFile, source))
        return source;
    const std::size_t at = missionFile.rfind("/missions/");
    if (at != std::string::npos && readWholeFile(missionFile.substr(0, at) + luaFile, source))
        return source;
    return "";
}

} // namespace

// What one run of the script showed.
struct MissionExplorer::Run {
    std::vector<std::int32_t> answers;
    HeadlessMission::Outcome outcome = HeadlessMission::Outcome::Ended;
    Json::Value exit;
    std::optional<Json::Value> end;
    // Offered sets by number: the labels and which are locked.
    std::map<std::size_t, Json::Value> sets;
    std::int32_t fuel = 0;
    std::vector<std::string> achievements;
    std::vector<std::string> questItems;
    std::vector<std::string> mementos;
    std::string logLines;
};

MissionExplorer::MissionExplorer(Settings settings)
    : settings_(std::move(settings))
{
}

std::vector<MissionExplorer::Fixture> MissionExplorer::fixturesFor(const Mission& mission,
                                                                   const std::vector<std::string>& testedItems)
{
    // One base and variants that each change one thing: the paths of the base are what most
    // players see; each variant opens the branches that depend on that one thing.
    Fixture base;
    base.name = "Medium";
    base.difficulty = MissionManager::medium;
    base.crewAboard = 6;
    base.food = 100;
    base.fuel = 100;
    base.randomNumbers = { 0 };
    std::vector<Fixture> fixtures { base };
    const auto variant = [&](const std::string& name) -> Fixture& {
        fixtures.push_back(base);
        fixtures.back().name = name;
        return fixtures.back();
    };
    variant("Easy").difficulty = MissionManager::easy;
    fixtures.back().crewAboard = 8;
    variant("Hard").difficulty = MissionManager::hard;
    fixtures.back().crewAboard = 4;
    if (std::max(mission.maxCrew, mission.minCrew) > 1)
        variant("team of 1").teamSize = 1;
    if (mission.leader)
        variant("no leader").withoutLeader = true;
    if (mission.medic)
        variant("no medic").withoutMedic = true;
    if (mission.engineer)
        variant("no engineer").withoutEngineer = true;
    variant("food 0").food = 0;
    variant("fuel 0").fuel = 0;
    variant("hull 10").health = 10;
    // The last one aboard: the endings where nobody is left.
    variant("one aboard").crewAboard = 1;
    fixtures.back().teamSize = 1;
    if (!testedItems.empty()) {
        variant("all quest items").questItems = testedItems;
        if (testedItems.size() > 1 && testedItems.size() <= 4)
            for (const std::string& item : testedItems)
                variant("item " + item).questItems = { item };
    }
    variant("random 1").randomNumbers = { 1 };
    variant("random high").randomNumbers = { 0xFFFFFFFFu };
    variant("random 0,1").randomNumbers = { 0, 1 };
    return fixtures;
}

MissionExplorer::Result MissionExplorer::explore(const std::string& missionFile, const std::string& relativeName,
                                                 std::optional<std::size_t> onlyFixture)
{
    Result result;
    result.file = relativeName;
    Mission mission;
    mission.loadMissionFile(missionFile, relativeName);
    result.name = mission.getItem("Name");
    result.type = mission.getItem("Mission Type");
    result.storyOrder = mission.storyOrder;
    result.image = mission.getItem("Image file");

    std::vector<std::string> tested;
    for (const LuaSourceScan::Call& call : LuaSourceScan::scan(scriptOf(mission, missionFile, settings_.assets)).calls)
        if (call.object == "msnMgr" && call.method == "hasQuestItem" && !call.arguments.empty()
            && call.arguments[0].isString
            && std::find(tested.begin(), tested.end(), call.arguments[0].text) == tested.end())
            tested.push_back(call.arguments[0].text);

    newLogLines(); // what came before is not this mission's
    const std::vector<Fixture> fixtures = fixturesFor(mission, tested);
    for (std::size_t index = 0; index < fixtures.size(); ++index) {
        if (onlyFixture && index != *onlyFixture)
            continue;
        const Fixture& fixture = fixtures[index];
        if (settings_.deadline && Clock::now() > *settings_.deadline) {
            result.complete = false;
            break;
        }
        ++result.fixtures;
        explorePath(missionFile, fixture, mission, result);
    }
    return result;
}

void MissionExplorer::explorePath(const std::string& missionFile, const Fixture& fixture, const Mission& mission,
                                  Result& result)
{
    std::vector<std::vector<std::int32_t>> pending { {} };
    std::size_t runs = 0;
    while (!pending.empty()) {
        if (settings_.deadline && Clock::now() > *settings_.deadline) {
            result.complete = false;
            return;
        }
        if (runs == settings_.maxRunsPerFixture) {
            addFinding(result, "more than " + std::to_string(runs) + " runs for one fixture: the rest is not explored",
                       fixture, pending.back());
            return;
        }
        Run run;
        run.answers = std::move(pending.back());
        pending.pop_back();

        HeadlessMission::Options options;
        options.missionFile = missionFile;
        options.assets = settings_.assets;
        options.answers = run.answers;
        options.difficulty = fixture.difficulty;
        options.seed = 1;
        options.questItems = fixture.questItems;
        options.food = fixture.food;
        options.fuel = fixture.fuel;
        options.health = fixture.health;
        options.maxSeconds = settings_.maxSecondsPerRun;
        options.stopAtUnansweredSet = true;
        options.randomNumbers = fixture.randomNumbers;
        options.stepBudget = settings_.stepBudget;
        options.teamSize = fixture.teamSize;
        options.withoutLeader = fixture.withoutLeader;
        options.withoutMedic = fixture.withoutMedic;
        options.withoutEngineer = fixture.withoutEngineer;
        options.crewAboard = fixture.crewAboard;
        run.outcome = HeadlessMission(options).run([&](const Json::Value& line) {
            const std::string type = line["type"].asString();
            if (type == "start") {
                run.fuel = line["ship"]["fuel"].asInt();
            } else if (type == "ship" && line.isMember("fuel")) {
                run.fuel = line["fuel"].asInt();
            } else if (type == "choices") {
                run.sets[static_cast<std::size_t>(line["set"].asUInt64())] = line["choices"];
            } else if (type == "achievement") {
                run.achievements.push_back(line["id"].asString());
            } else if (type == "questItems") {
                for (const Json::Value& item : line["items"])
                    run.questItems.push_back(item.asString());
            } else if (type == "memento") {
                run.mementos.push_back(line["memento"].asString());
            } else if (type == "aboard") {
                // A newcomer's memento comes with them and is no team member's.
                for (const Json::Value& name : line["crew"])
                    if (!CharacterManager::mementoOnJoining(name.asString()).empty())
                        run.mementos.push_back(CharacterManager::mementoOnJoining(name.asString()));
            } else if (type == "end") {
                run.end = line;
            } else if (type == "exit") {
                run.exit = line;
            }
        });
        ++runs;
        ++result.runs;
        run.logLines = newLogLines();

        // A run that stopped at a set the answers did not reach goes on with each choice that
        // can be picked; every other run is a path to its end.
        if (run.outcome == HeadlessMission::Outcome::Waiting && run.exit.isMember("set")
            && run.exit["status"].asString() == "waiting for an answer") {
            const auto set = run.sets.find(static_cast<std::size_t>(run.exit["set"].asUInt64()));
            if (set != run.sets.end()) {
                bool pickable = false;
                if (run.answers.size() >= settings_.maxPicks) {
                    addFinding(result, "a path of more than " + std::to_string(settings_.maxPicks)
                                   + " picks (a loop of choices?): it is not followed further",
                               fixture, run.answers);
                    ++result.paths;
                    result.longestPath = std::max(result.longestPath, run.answers.size());
                    continue;
                }
                for (Json::ArrayIndex k = set->second.size(); k-- > 0;)
                    if (!set->second[k]["locked"].asBool()) {
                        pickable = true;
                        std::vector<std::int32_t> next = run.answers;
                        next.push_back(static_cast<std::int32_t>(k) + 1);
                        pending.push_back(std::move(next));
                    }
                check(run, fixture, mission, result);
                if (pickable)
                    continue;
                ++result.paths;
                result.longestPath = std::max(result.longestPath, run.answers.size());
                continue;
            }
        }
        ++result.paths;
        result.longestPath = std::max(result.longestPath, run.answers.size());
        check(run, fixture, mission, result);
    }
}

void MissionExplorer::check(const Run& run, const Fixture& fixture, const Mission& mission, Result& result)
{
    const auto finding = [&](const std::string& message) { addFinding(result, message, fixture, run.answers); };

    for (const auto& [set, choices] : run.sets) {
        if (choices.size() < 1 || choices.size() > 10)
            finding("choice set " + std::to_string(set) + " offers " + std::to_string(choices.size())
                    + " choices (1 to 10 fit the screen)");
        bool pickable = false;
        for (const Json::Value& choice : choices)
            pickable = pickable || !choice["locked"].asBool();
        if (!pickable)
            finding("choice set " + std::to_string(set) + " has no choice that can be picked");
    }
    for (std::size_t at = run.logLines.find("couldn't find"); at != std::string::npos;
         at = run.logLines.find("couldn't find", at + 1)) {
        const std::size_t from = run.logLines.rfind('\n', at) == std::string::npos ? 0 : run.logLines.rfind('\n', at) + 1;
        // The line up to its "!": the team size after it differs between fixtures.
        std::string line = run.logLines.substr(from, run.logLines.find('\n', at) - from);
        line = line.substr(0, line.find('!', at - from) == std::string::npos ? line.size() : line.find('!', at - from) + 1);
        finding("bad crew number: " + line);
    }

    const std::string status = run.exit["status"].asString();
    switch (run.outcome) {
    case HeadlessMission::Outcome::Ended:
        break;
    case HeadlessMission::Outcome::ScriptError: {
        std::string error = run.exit["error"].asString();
        const std::string prefix = "Lua Environment Failed in doFile()!: lua: error: ";
        if (error.rfind(prefix, 0) == 0)
            error.erase(0, prefix.size());
        if (error.find(ScriptState::budgetMessage) != std::string::npos)
            finding("the script ran past its step budget (an endless loop?)");
        else if (error.find("invalid vector<T> subscript") != std::string::npos)
            finding("rechoice names a choice set that was never offered: " + error);
        else
            finding("Lua error: " + error);
        break;
    }
    case HeadlessMission::Outcome::Waiting:
        if (status != "waiting for an answer")
            finding("the run stopped: " + status);
        break;
    case HeadlessMission::Outcome::TimedOut:
        finding(status == "timed out" ? "the run neither ended nor waited for a pick in time"
                                      : "the script returns without ending its mission, so LEAVE never becomes active");
        break;
    case HeadlessMission::Outcome::BadSetUp:
        finding("the mission cannot be played: " + run.exit["status"].asString());
        break;
    }

    for (const std::string& memento : run.mementos)
        result.mementos.insert(memento.substr(0, memento.rfind(".json")));
    for (const std::string& item : run.questItems)
        if (item.find("_research") != std::string::npos)
            result.research.insert(item);
    result.achievements.insert(run.achievements.begin(), run.achievements.end());
    if (!run.end)
        return;

    const Json::Value& end = *run.end;
    const bool gameEnded = end["gameEnded"].asBool();
    const bool lost = end["gameOver"].asBool();
    const std::string screen = end["endScreen"].asString();
    if (gameEnded) {
        result.endsRun = true;
        // A won run counts its place as visited, as a completed mission does.
        result.completed = result.completed || !lost;
        result.endings.insert((lost ? "lost" : "won") + (screen.empty() ? std::string() : " " + screen));
    } else {
        result.endings.insert(end["success"].asBool() ? "completed" : "not completed");
        result.completed = result.completed || end["success"].asBool();
    }
    if (mission.getItem("Mission Type") == "outofgas" && !gameEnded && run.fuel < 1)
        finding("the out-of-fuel event ends with fuel " + std::to_string(run.fuel) + " and the run goes on");
    if (!gameEnded && end["aliveAboard"].asInt() == 0)
        finding("nobody is left aboard, but the run goes on");
    if (gameEnded && !lost) {
        if (screen.empty())
            finding("a victory without an end screen (setEndScreen)");
        if (!end["everyoneLivesChecked"].asBool())
            finding("a victory that does not call checkEveryoneLives");
        if (std::none_of(run.achievements.begin(), run.achievements.end(),
                         [](const std::string& id) { return id.rfind("victory_", 0) == 0; }))
            finding("a victory that unlocks no victory achievement");
    }
}

void MissionExplorer::addFinding(Result& result, const std::string& message, const Fixture& fixture,
                                 const std::vector<std::int32_t>& path)
{
    for (Finding& earlier : result.findings)
        if (earlier.message == message) {
            ++earlier.times;
            return;
        }
    result.findings.push_back({ message, fixture.name, joinPath(path), 1 });
}

std::string MissionExplorer::newLogLines()
{
    if (settings_.logFile.empty())
        return "";
    std::cout.flush();
    Logger::flush();
    std::ifstream in(settings_.logFile, std::ios::binary);
    in.seekg(0, std::ios::end);
    const std::uint64_t size = static_cast<std::uint64_t>(in.tellg());
    if (size <= logOffset_) {
        logOffset_ = size;
        return "";
    }
    in.seekg(static_cast<std::streamoff>(logOffset_));
    std::string text(static_cast<std::size_t>(size - logOffset_), '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    logOffset_ = size;
    return text;
}

Json::Value MissionExplorer::Result::toJson() const
{
    Json::Value value(Json::objectValue);
    value["file"] = file;
    value["name"] = name;
    value["type"] = type;
    value["storyOrder"] = storyOrder;
    value["image"] = image;
    value["runs"] = static_cast<Json::UInt64>(runs);
    value["paths"] = static_cast<Json::UInt64>(paths);
    value["longestPath"] = static_cast<Json::UInt64>(longestPath);
    value["fixtures"] = static_cast<Json::UInt64>(fixtures);
    value["complete"] = complete;
    value["completed"] = completed;
    value["endsRun"] = endsRun;
    value["endings"] = textSet(endings);
    value["mementos"] = textSet(mementos);
    value["research"] = textSet(research);
    value["achievements"] = textSet(achievements);
    Json::Value list(Json::arrayValue);
    for (const Finding& finding : findings) {
        Json::Value entry(Json::objectValue);
        entry["message"] = finding.message;
        entry["fixture"] = finding.fixture;
        entry["path"] = finding.path;
        entry["times"] = static_cast<Json::UInt64>(finding.times);
        list.append(entry);
    }
    value["findings"] = list;
    return value;
}

MissionExplorer::Result MissionExplorer::Result::fromJson(const Json::Value& value)
{
    Result result;
    result.file = value["file"].asString();
    result.name = value["name"].asString();
    result.type = value["type"].asString();
    result.storyOrder = value["storyOrder"].asInt();
    result.image = value["image"].asString();
    result.runs = static_cast<std::size_t>(value["runs"].asUInt64());
    result.paths = static_cast<std::size_t>(value["paths"].asUInt64());
    result.longestPath = static_cast<std::size_t>(value["longestPath"].asUInt64());
    result.fixtures = static_cast<std::size_t>(value["fixtures"].asUInt64());
    result.complete = value["complete"].asBool();
    result.completed = value["completed"].asBool();
    result.endsRun = value["endsRun"].asBool();
    result.endings = readSet(value["endings"]);
    result.mementos = readSet(value["mementos"]);
    result.research = readSet(value["research"]);
    result.achievements = readSet(value["achievements"]);
    for (const Json::Value& entry : value["findings"])
        result.findings.push_back({ entry["message"].asString(), entry["fixture"].asString(),
                                    entry["path"].asString(), static_cast<std::size_t>(entry["times"].asUInt64()) });
    return result;
}

std::vector<std::string> MissionExplorer::walkStory(const std::vector<Result>& results,
                                                    const std::set<std::string>& planets,
                                                    std::vector<std::string>& finals)
{
    std::map<int, std::vector<const Result*>> story;
    for (const Result& result : results)
        if (result.storyOrder > 0)
            story[result.storyOrder].push_back(&result);
    std::vector<std::string> findings;
    finals.clear();
    if (story.empty())
        return findings;
    int order = 1;
    while (story.count(order)) {
        std::vector<std::string> placed;
        for (const Result* result : story[order]) {
            if (planets.count(result->image))
                placed.push_back(result->name);
            else
                findings.push_back(result->file + ": story order " + std::to_string(order)
                                   + " has no planet picture, so the map cannot place it");
            if (story.count(order + 1) && result->complete && !result->completed)
                findings.push_back(result->file + ": no path completes story order " + std::to_string(order)
                                   + ", so the story cannot go on from it");
        }
        if (placed.empty())
            break;
        finals = placed;
        ++order;
    }
    if (story.rbegin()->first >= order) {
        findings.push_back("story order " + std::to_string(order)
                           + " cannot be reached, so the story stops before its finals");
        finals.clear();
        return findings;
    }
    for (const Result* result : story[order - 1])
        if (result->complete && !result->endsRun)
            findings.push_back(result->file + ": a final story mission that ends the run on no path");
    return findings;
}

MissionExplorer::Result MissionExplorer::merge(const std::vector<Result>& parts)
{
    Result whole;
    if (parts.empty())
        return whole;
    whole = parts.front();
    whole.runs = whole.paths = whole.longestPath = whole.fixtures = 0;
    whole.complete = true;
    whole.completed = whole.endsRun = false;
    whole.endings.clear();
    whole.mementos.clear();
    whole.research.clear();
    whole.achievements.clear();
    whole.findings.clear();
    for (const Result& part : parts) {
        whole.runs += part.runs;
        whole.paths += part.paths;
        whole.fixtures += part.fixtures;
        whole.longestPath = std::max(whole.longestPath, part.longestPath);
        whole.complete = whole.complete && part.complete;
        whole.completed = whole.completed || part.completed;
        whole.endsRun = whole.endsRun || part.endsRun;
        whole.endings.insert(part.endings.begin(), part.endings.end());
        whole.mementos.insert(part.mementos.begin(), part.mementos.end());
        whole.research.insert(part.research.begin(), part.research.end());
        whole.achievements.insert(part.achievements.begin(), part.achievements.end());
        for (const Finding& finding : part.findings) {
            auto same = std::find_if(whole.findings.begin(), whole.findings.end(),
                                     [&](const Finding& f) { return f.message == finding.message; });
            if (same == whole.findings.end())
                whole.findings.push_back(finding);
            else
                same->times += finding.times;
        }
    }
    return whole;
}

// quorvane-explore: plays every path of every mission (see MissionExplorer) and prints a
// table per mission (paths, longest path, endings, findings), the findings, what the paths
// reach across all missions, and a walk over the story's order.
//
//   quorvane-explore [FOLDER] [--mods] [--json] [--budget SECONDS] [--jobs N] [--steps N]
//                    [--only NAME]
//
// FOLDER is an assets folder (default: the built assets beside the program); --mods plays
// the missions of the user's mods folder with the built assets. --budget bounds the whole
// run: missions not explored to the end by then are listed, and that is not an error.
// --steps is each run's Lua instruction budget; --only explores the mission files whose
// name contains NAME. Missions run in parallel, one process per mission and fixture (--jobs,
// default twice the number of cores: a run mostly waits for its script thread). Exit status:
// 0 no finding, 1 findings, 2 bad arguments.

#include "achievements/AchievementManager.hpp"
#include "core/FileUtils.hpp"
#include "core/JsonRead.hpp"
#include "core/Logger.hpp"
#include "missions/Mission.hpp"
#include "missions/MissionExplorer.hpp"
#include "world/SectorPictures.hpp"

#include <json/writer.h>

#include <SFML/System/Err.hpp>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

const char* const usage = "usage: quorvane-explore [FOLDER] [--mods] [--json] [--budget SECONDS] [--jobs N] "
                          "[--steps N] [--only NAME]\n";
const char* const missionFolders[] = { "missions/json/", "missions/random/json/", "missions/events/json/" };

std::string withSlash(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

struct Job {
    std::string file; // relative to the folder
    std::size_t fixture = 0;
    pid_t pid = -1;
    int fd = -1;
    std::string output;
};

// The child's side: explores one mission and writes its result as JSON to `fd`. Its log (and
// whatever the game's code prints) goes to a private user folder, never the player's.
[[noreturn]] void runChild(const std::string& folder, const Job& job, MissionExplorer::Settings settings,
                           const std::string& home, int fd)
{
    setenv("XDG_DATA_HOME", home.c_str(), 1);
    std::cout.rdbuf(nullptr); // the log's own start line goes nowhere, then everything into the log
    std::cout.rdbuf(Logger::get().buffer());
    sf::err().rdbuf(Logger::get().buffer());
    settings.logFile = Logger::path();
    MissionExplorer explorer(settings);
    const MissionExplorer::Result result = explorer.explore(folder + job.file, job.file, job.fixture);
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    const std::string text = Json::writeString(builder, result.toJson());
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = ::write(fd, text.data() + written, text.size() - written);
        if (n <= 0)
            break;
        written += static_cast<std::size_t>(n);
    }
    ::close(fd);
    Logger::close();
    std::_Exit(0);
}

std::string joined(const std::set<std::string>& texts)
{
    std::string text;
    for (const std::string& t : texts)
        text += (text.empty() ? "" : ", ") + t;
    return text.empty() ? "-" : text;
}

std::set<std::string> missing(const std::set<std::string>& all, const std::set<std::string>& reached)
{
    std::set<std::string> out;
    std::set_difference(all.begin(), all.end(), reached.begin(), reached.end(), std::inserter(out, out.end()));
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    std::string folder;
    bool mods = false;
    bool json = false;
    double budget = 0;
    unsigned jobs = 2 * std::max(1u, std::thread::hardware_concurrency());
    std::string only;
    MissionExplorer::Settings settings;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::cerr << "quorvane-explore: " << argument << " needs a value\n" << usage;
                std::exit(2);
            }
            return argv[++i];
        };
        const auto number = [&](double low, double high) {
            const std::string text = value();
            char* end = nullptr;
            const double n = std::strtod(text.c_str(), &end);
            if (text.empty() || *end != '\0' || !(n >= low && n <= high)) {
                std::cerr << "quorvane-explore: " << argument << " takes a number from " << low << " to " << high
                          << "\n";
                std::exit(2);
            }
            return n;
        };
        if (argument == "--mods")
            mods = true;
        else if (argument == "--json")
            json = true;
        else if (argument == "--budget")
            budget = number(1, 86400 * 7);
        else if (argument == "--jobs")
            jobs = static_cast<unsigned>(number(1, 64));
        else if (argument == "--steps")
            settings.stepBudget = static_cast<std::uint64_t>(number(1000, 1e12));
        else if (argument == "--only")
            only = value();
        else if (argument == "--help" || argument == "-h") {
            std::cout << usage;
            return 0;
        } else if (argument.rfind("--", 0) == 0 || !folder.empty()) {
            std::cerr << "quorvane-explore: not understood: " << argument << "\n" << usage;
            return 2;
        } else
            folder = argument;
    }
    const std::string assets = withSlash(assetsPath());
    const std::string root = mods ? withSlash(modsPath()) : folder.empty() ? assets : withSlash(folder);
    if (mods && !fs::is_directory(root)) {
        std::cout << "quorvane-explore: nothing to check: no mods folder at " << root << "\n";
        return 0;
    }
    if (!fs::is_directory(root)) {
        std::cerr << "quorvane-explore: no such folder: " << root << "\n";
        return 2;
    }
    // A folder with the game's library is a whole assets folder; any other (a mod, a folder of
    // missions) plays with the built assets' library, crew and mementos.
    settings.assets = fs::is_regular_file(root + "missions/library/library.lua") ? root : assets;
    const auto started = Clock::now();
    if (budget > 0)
        settings.deadline = started + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(budget));

    std::vector<Job> queue;
    for (const char* sub : missionFolders) {
        std::vector<std::string> names;
        std::error_code error;
        for (fs::directory_iterator it(root + sub, error), end; !error && it != end; it.increment(error))
            if (it->is_regular_file() && it->path().extension() == ".json")
                names.push_back(it->path().filename().string());
        std::sort(names.begin(), names.end());
        for (const std::string& name : names)
            if (only.empty() || (sub + name).find(only) != std::string::npos)
                for (std::size_t fixture = 0; fixture < MissionExplorer::maxFixtures; ++fixture)
                    queue.push_back(Job { sub + name, fixture, -1, -1, "" });
    }
    if (queue.empty()) {
        std::cout << "quorvane-explore: nothing to check: no missions in " << root << "missions/\n";
        return 0;
    }

    // One process per mission and fixture: each has its own game objects and its own log,
    // which tells its runs' warnings apart.
    char pattern[] = "/tmp/quorvane-explore-XXXXXX";
    const char* home = mkdtemp(pattern);
    if (!home) {
        std::cerr << "quorvane-explore: cannot make a temporary folder\n";
        return 2;
    }
    // What the explorer's own readers log goes to the temporary folder too, not among the
    // player's logs.
    setenv("XDG_DATA_HOME", home, 1);
    std::cout.flush();
    // Each mission's parts by fixture, so the merged findings name the same fixture each time.
    std::map<std::string, std::map<std::size_t, MissionExplorer::Result>> parts;
    std::vector<Job> running;
    std::size_t next = 0;
    while (next < queue.size() || !running.empty()) {
        while (next < queue.size() && running.size() < jobs) {
            Job job = queue[next];
            int pipeEnds[2];
            if (::pipe(pipeEnds) != 0) {
                std::cerr << "quorvane-explore: cannot make a pipe\n";
                return 2;
            }
            const std::string childHome = std::string(home) + "/" + std::to_string(next);
            const pid_t pid = ::fork();
            if (pid == 0) {
                ::close(pipeEnds[0]);
                runChild(root, job, settings, childHome, pipeEnds[1]);
            }
            ::close(pipeEnds[1]);
            job.pid = pid;
            job.fd = pipeEnds[0];
            running.push_back(job);
            ++next;
        }
        std::vector<pollfd> fds;
        for (const Job& job : running)
            fds.push_back({ job.fd, POLLIN, 0 });
        ::poll(fds.data(), fds.size(), 1000);
        for (std::size_t k = running.size(); k-- > 0;) {
            if (!(fds[k].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            char buffer[65536];
            const ssize_t n = ::read(running[k].fd, buffer, sizeof(buffer));
            if (n > 0) {
                running[k].output.append(buffer, static_cast<std::size_t>(n));
                continue;
            }
            ::close(running[k].fd);
            int status = 0;
            ::waitpid(running[k].pid, &status, 0);
            Json::Value value;
            std::string errors;
            if (parseJsonText(running[k].output, value, errors) && value.isObject()) {
                parts[running[k].file][running[k].fixture] = MissionExplorer::Result::fromJson(value);
            } else {
                MissionExplorer::Result failed;
                failed.file = running[k].file;
                failed.findings.push_back({ "the explorer's worker for this mission failed (status "
                                                + std::to_string(status) + ")",
                                            "fixture " + std::to_string(running[k].fixture), "", 1 });
                parts[running[k].file][running[k].fixture] = failed;
            }
            running.erase(running.begin() + static_cast<std::ptrdiff_t>(k));
        }
    }
    // Only now may this process open its log: a child forked with it open would share it.
    std::streambuf* console = std::cout.rdbuf(nullptr);
    Logger::get();
    std::cout.rdbuf(console);
    sf::err().rdbuf(Logger::get().buffer());
    // One process per mission and fixture; a mission's parts become one result again.
    std::vector<MissionExplorer::Result> results;
    for (const auto& [file, pieces] : parts) {
        std::vector<MissionExplorer::Result> inOrder;
        for (const auto& [fixture, piece] : pieces)
            inOrder.push_back(piece);
        results.push_back(MissionExplorer::merge(inOrder));
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();

    // Across all missions.
    std::set<std::string> mementos, research, achievements, places, allPlaces, allMementos, unfinished;
    std::size_t paths = 0, findings = 0, runs = 0;
    for (const auto& r : results) {
        mementos.insert(r.mementos.begin(), r.mementos.end());
        research.insert(r.research.begin(), r.research.end());
        achievements.insert(r.achievements.begin(), r.achievements.end());
        const bool place = r.file.rfind("missions/json/", 0) == 0 && r.type != "food" && r.type != "fuel"
            && r.name != "null";
        if (place)
            allPlaces.insert(r.name);
        if (place && r.completed)
            places.insert(r.name);
        if (!r.complete)
            unfinished.insert(r.file);
        paths += r.paths;
        runs += r.runs;
        for (const auto& f : r.findings)
            findings += f.times > 0 ? 1 : 0;
    }
    for (const std::string& base : { settings.assets, root }) {
        std::error_code error;
        for (fs::directory_iterator it(base + "mementos/", error), end; !error && it != end; it.increment(error))
            if (it->path().extension() == ".json" && it->path().stem() != "death")
                allMementos.insert(it->path().stem().string());
    }

    std::set<std::string> planets;
    for (const std::string& p : SectorPictures::fromAssets(settings.assets).planets)
        planets.insert(p);
    if (root != settings.assets)
        for (const std::string& p : SectorPictures::fromAssets(root).planets)
            planets.insert(p);
    std::vector<std::string> finals;
    // Only over the whole catalogue: a part of it (--only) has gaps by choice.
    const std::vector<std::string> storyFindings
        = only.empty() ? MissionExplorer::walkStory(results, planets, finals) : std::vector<std::string>();
    const bool hasStory = only.empty()
        && std::any_of(results.begin(), results.end(), [](const auto& r) { return r.storyOrder > 0; });
    findings += storyFindings.size();

    Logger::close();
    std::error_code ignored;
    fs::remove_all(home, ignored);

    std::ostringstream note;
    note << "explored " << results.size() << " missions in " << std::fixed << std::setprecision(1) << seconds
         << " s (" << runs << " runs over the fixture matrix, " << jobs << " jobs"
         << (budget > 0 ? ", budget " + std::to_string(static_cast<long long>(budget)) + " s" : std::string()) << ")";

    if (json) {
        Json::Value out(Json::objectValue);
        Json::Value list(Json::arrayValue);
        for (const auto& r : results)
            list.append(r.toJson());
        out["missions"] = list;
        Json::Value reached(Json::objectValue);
        const auto put = [](const std::set<std::string>& s) {
            Json::Value v(Json::arrayValue);
            for (const auto& t : s)
                v.append(t);
            return v;
        };
        reached["mementos"] = put(mementos);
        reached["mementosNotReached"] = put(missing(allMementos, mementos));
        reached["research"] = put(research);
        const auto& ids = AchievementManager::researchIds();
        reached["researchNotReached"] = put(missing(std::set<std::string>(ids.begin(), ids.end()), research));
        reached["achievements"] = put(achievements);
        reached["places"] = put(places);
        reached["placesNotReached"] = put(missing(allPlaces, places));
        out["reached"] = reached;
        out["story"] = Json::Value(Json::objectValue);
        Json::Value finalNames(Json::arrayValue);
        for (const auto& f : finals)
            finalNames.append(f);
        out["story"]["finals"] = finalNames;
        Json::Value storyList(Json::arrayValue);
        for (const auto& f : storyFindings)
            storyList.append(f);
        out["story"]["findings"] = storyList;
        out["notExplored"] = put(unfinished);
        out["paths"] = static_cast<Json::UInt64>(paths);
        out["findings"] = static_cast<Json::UInt64>(findings);
        out["seconds"] = seconds;
        out["note"] = note.str();
        Json::StreamWriterBuilder builder;
        builder["indentation"] = "  ";
        builder["emitUTF8"] = true;
        std::cout << Json::writeString(builder, out) << "\n";
        return findings ? 1 : 0;
    }

    std::cout << std::left << std::setw(44) << "mission" << std::right << std::setw(7) << "paths" << std::setw(9)
              << "longest" << std::setw(10) << "findings" << "  endings\n";
    for (const auto& r : results)
        std::cout << std::left << std::setw(44) << r.file << std::right << std::setw(7) << r.paths << std::setw(9)
                  << r.longestPath << std::setw(10) << r.findings.size() << "  " << joined(r.endings)
                  << (r.complete ? "" : " (not explored to the end)") << "\n";
    for (const auto& r : results)
        for (const auto& f : r.findings)
            std::cout << r.file << ": error: " << f.message << " [fixture " << f.fixture << ", answers " << f.path
                      << (f.times > 1 ? ", and " + std::to_string(f.times - 1) + " more" : std::string()) << "]\n";
    for (const auto& f : storyFindings)
        std::cout << "story: error: " << f << "\n";
    std::cout << "totals: " << results.size() << " missions, " << paths << " paths, " << findings << " findings\n";
    std::set<std::string> collectible;
    std::set_intersection(mementos.begin(), mementos.end(), allMementos.begin(), allMementos.end(),
                          std::inserter(collectible, collectible.end()));
    std::cout << "mementos reached: " << collectible.size() << " of " << allMementos.size()
              << "; not reached: " << joined(missing(allMementos, mementos)) << "\n";
    const auto& researchIds = AchievementManager::researchIds();
    const std::set<std::string> allResearch(researchIds.begin(), researchIds.end());
    std::cout << "research reached: " << research.size() << " of " << allResearch.size()
              << "; not reached: " << joined(missing(allResearch, research)) << "\n";
    std::cout << "achievements reached: " << joined(achievements) << "\n";
    std::cout << "places reached: " << places.size() << " of " << allPlaces.size()
              << "; not reached: " << joined(missing(allPlaces, places)) << "\n";
    if (hasStory)
        std::cout << "story: finals reachable: " << joined(std::set<std::string>(finals.begin(), finals.end()))
                  << "\n";
    if (!unfinished.empty())
        std::cout << "not explored to the end within the budget: " << joined(unfinished) << "\n";
    std::cout << note.str() << "\n";
    return findings ? 1 : 0;
}

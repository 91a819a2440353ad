// quorvane-mission: plays one mission's script without a window and prints what happens as
// JSON lines (see HeadlessMission).
//
//   quorvane-mission MISSION.json [--answers 1,3,2] [--difficulty Easy|Medium|Hard] [--seed N]
//                    [--assets DIR] [--quest-items a,b] [--food N] [--fuel N] [--max-seconds S]
//                    [--team "Name,Name"] [--roles L,M,E]
//
// Exit status: 0 the mission ended, 1 bad arguments or mission file, 2 a script error, 3 the
// script waits for an answer the list does not have (or an answer was refused), 4 neither
// ended nor waited within --max-seconds (default 10).

#include "core/FileUtils.hpp"
#include "core/Logger.hpp"
#include "missions/HeadlessMission.hpp"

#include <json/writer.h>

#include <array>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char* const usage =
    "usage: quorvane-mission MISSION.json [--answers 1,3,2] [--difficulty Easy|Medium|Hard] [--seed N]\n"
    "                        [--assets DIR] [--quest-items a,b] [--food N] [--fuel N] [--max-seconds S]\n"
    "                        [--team \"Name,Name\"] [--roles L,M,E]\n"
    "  --team: the team by character name, in slot order (default: the first aboard)\n"
    "  --roles: team positions (0-based, -1 none) of the leader, medic and engineer\n";

std::vector<std::string> splitList(const std::string& text)
{
    std::vector<std::string> parts;
    std::stringstream in(text);
    std::string part;
    while (std::getline(in, part, ','))
        if (!part.empty())
            parts.push_back(part);
    return parts;
}

std::optional<long long> wholeNumber(const std::string& text)
{
    if (text.empty())
        return std::nullopt;
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (*end != '\0' || value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return value;
}

// Reads the arguments into `options`; false (with a message on standard error) when one is
// not understood.
bool readArguments(int argc, char** argv, HeadlessMission::Options& options)
{
    options.assets = assetsPath();
    bool haveMission = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        auto value = [&]() -> std::optional<std::string> {
            if (i + 1 >= argc)
                return std::nullopt;
            return std::string(argv[++i]);
        };
        if (argument == "--help" || argument == "-h") {
            std::cout << usage;
            std::exit(0);
        }
        std::optional<std::string> given;
        if (argument.rfind("--", 0) == 0 && !(given = value())) {
            std::cerr << "quorvane-mission: " << argument << " needs a value\n";
            return false;
        }
        if (argument == "--answers") {
            for (const std::string& part : splitList(*given)) {
                auto number = wholeNumber(part);
                if (!number || *number < 1) {
                    std::cerr << "quorvane-mission: answers are numbers from 1: " << part << "\n";
                    return false;
                }
                options.answers.push_back(static_cast<std::int32_t>(*number));
            }
        } else if (argument == "--difficulty") {
            auto difficulty = HeadlessMission::difficultyNamed(*given);
            if (!difficulty) {
                std::cerr << "quorvane-mission: the difficulty is Easy, Medium or Hard\n";
                return false;
            }
            options.difficulty = *difficulty;
        } else if (argument == "--seed") {
            char* end = nullptr;
            const unsigned long long seed = std::strtoull(given->c_str(), &end, 10);
            if (given->empty() || *end != '\0') {
                std::cerr << "quorvane-mission: the seed is a whole number\n";
                return false;
            }
            options.seed = static_cast<std::uint32_t>(seed);
        } else if (argument == "--assets") {
            options.assets = *given;
            if (options.assets.back() != '/')
                options.assets += '/';
        } else if (argument == "--quest-items") {
            options.questItems = splitList(*given);
        } else if (argument == "--food" || argument == "--fuel") {
            auto number = wholeNumber(*given);
            if (!number) {
                std::cerr << "quorvane-mission: " << argument << " takes a whole number\n";
                return false;
            }
            (argument == "--food" ? options.food : options.fuel) = static_cast<std::int32_t>(*number);
        } else if (argument == "--team") {
            options.team = splitList(*given);
        } else if (argument == "--roles") {
            const std::vector<std::string> parts = splitList(*given);
            std::array<std::int32_t, 3> roles{ -1, -1, -1 };
            bool good = parts.size() == 3;
            for (std::size_t i = 0; good && i < 3; ++i) {
                auto number = wholeNumber(parts[i]);
                good = number && *number >= -1 && *number < 100;
                if (good)
                    roles[i] = static_cast<std::int32_t>(*number);
            }
            if (!good) {
                std::cerr << "quorvane-mission: --roles takes three team positions, -1 for none\n";
                return false;
            }
            options.roles = roles;
        } else if (argument == "--max-seconds") {
            char* end = nullptr;
            const double seconds = std::strtod(given->c_str(), &end);
            if (given->empty() || *end != '\0' || !(seconds > 0 && seconds <= 86400)) {
                std::cerr << "quorvane-mission: --max-seconds takes a number of seconds\n";
                return false;
            }
            options.maxSeconds = seconds;
        } else if (argument.rfind("--", 0) == 0) {
            std::cerr << "quorvane-mission: unknown option " << argument << "\n";
            return false;
        } else if (!haveMission) {
            options.missionFile = argument;
            haveMission = true;
        } else {
            std::cerr << "quorvane-mission: one mission at a time\n";
            return false;
        }
    }
    if (!haveMission)
        std::cerr << "quorvane-mission: which mission?\n";
    return haveMission;
}

} // namespace

int main(int argc, char** argv)
{
    HeadlessMission::Options options;
    if (!readArguments(argc, argv, options)) {
        std::cerr << usage;
        return static_cast<int>(HeadlessMission::Outcome::BadSetUp);
    }

    // Standard output carries the transcript only; what the game would print goes to its log.
    std::ostream transcript(std::cout.rdbuf());
    std::cout.rdbuf(nullptr); // the log's own start line goes nowhere, then everything into the log
    std::cout.rdbuf(Logger::get().buffer());

    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    builder["emitUTF8"] = true;
    std::unique_ptr<Json::StreamWriter> writer(builder.newStreamWriter());
    const auto emit = [&](const Json::Value& line) {
        writer->write(line, &transcript);
        transcript << '\n' << std::flush;
    };

    const HeadlessMission::Outcome outcome = HeadlessMission(options).run(emit);
    Logger::close();
    return static_cast<int>(outcome);
}

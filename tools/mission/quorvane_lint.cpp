// quorvane-lint: checks the game's content without running it (see ContentLint) and prints
// one line per finding, "file:line-or-key: error|warning: message".
//
//   quorvane-lint [FOLDER] [--mods] [--json]
//
// FOLDER is an assets folder or one laid out like it (default: the built assets beside the
// program); --mods checks the user's mods folder instead. Pictures, mementos and characters
// a folder names may also come from the built assets. Exit status:
// 0 no errors (warnings allowed), 1 errors, 2 bad arguments. With nothing to check (no
// missions or scripts yet) it says so on the last line.

#include "core/FileUtils.hpp"
#include "core/Logger.hpp"
#include "missions/ContentLint.hpp"

#include <json/writer.h>

#include <SFML/System/Err.hpp>

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

namespace {

const char* const usage = "usage: quorvane-lint [FOLDER] [--mods] [--json]\n";

std::string withSlash(std::string folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

} // namespace

int main(int argc, char** argv)
{
    std::string folder;
    bool mods = false;
    bool json = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--mods") {
            mods = true;
        } else if (argument == "--json") {
            json = true;
        } else if (argument == "--help" || argument == "-h") {
            std::cout << usage;
            return 0;
        } else if (argument.rfind("--", 0) == 0 || !folder.empty()) {
            std::cerr << "quorvane-lint: not understood: " << argument << "\n" << usage;
            return 2;
        } else {
            folder = argument;
        }
    }
    const std::string assets = withSlash(assetsPath());
    const std::string root = mods ? withSlash(modsPath()) : folder.empty() ? assets : withSlash(folder);
    if (mods && !std::filesystem::is_directory(root)) {
        std::cout << "quorvane-lint: nothing to check: no mods folder at " << root << "\n";
        return 0;
    }
    if (!std::filesystem::is_directory(root)) {
        std::cerr << "quorvane-lint: no such folder: " << root << "\n";
        return 2;
    }

    // Standard output carries the findings; what the game's readers log goes to the log file.
    std::ostream out(std::cout.rdbuf());
    std::cout.rdbuf(nullptr);
    std::cout.rdbuf(Logger::get().buffer());
    sf::err().rdbuf(Logger::get().buffer());

    // Names a folder refers to may also be the built assets' (a mod's missions use the game's
    // pictures and mementos).
    ContentLint lint(root, assets, mods);
    const LintReport report = lint.run();

    std::string summary;
    for (const auto& [kind, number] : lint.counted())
        summary += (summary.empty() ? "" : ", ") + std::to_string(number) + " " + kind;
    // "nothing to check" (what the test command's skip looks for) only when nothing else failed.
    const std::string nothing = !lint.noMissions() ? ""
        : report.hasErrors() ? "no missions yet in " + root + "missions/"
                             : "nothing to check: no missions in " + root + "missions/";
    if (json) {
        Json::Value result(Json::objectValue);
        result["folder"] = root;
        result["findings"] = report.toJson();
        result["errors"] = static_cast<Json::UInt64>(report.count(LintReport::Severity::Error));
        result["warnings"] = static_cast<Json::UInt64>(report.count(LintReport::Severity::Warning));
        Json::Value counted(Json::objectValue);
        for (const auto& [kind, number] : lint.counted())
            counted[kind] = number;
        result["checked"] = counted;
        if (!nothing.empty())
            result["note"] = nothing;
        Json::StreamWriterBuilder builder;
        builder["indentation"] = "  ";
        builder["emitUTF8"] = true;
        out << Json::writeString(builder, result) << "\n";
    } else {
        out << report.text();
        out << "quorvane-lint: " << report.count(LintReport::Severity::Error) << " errors, "
            << report.count(LintReport::Severity::Warning) << " warnings in " << (summary.empty() ? "no files" : summary)
            << "\n";
        if (!nothing.empty())
            out << "quorvane-lint: " << nothing << "\n";
    }
    out.flush();
    Logger::close();
    return report.hasErrors() ? 1 : 0;
}

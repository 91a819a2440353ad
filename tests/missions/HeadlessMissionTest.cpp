#include "missions/HeadlessMission.hpp"

#include "support/LogCapture.hpp"

#include <gtest/gtest.h>
#include <json/writer.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

const std::string staticAssets = std::string(QV_SOURCE_DIR) + "/assets-src/static/";
const std::string relay = std::string(QV_FIXTURES_DIR) + "/missions/runner/missions/json/relay.json";

// Runs a mission and keeps its transcript as one line of JSON per record.
struct Transcript {
    HeadlessMission::Outcome outcome;
    std::vector<std::string> lines;

    bool has(const std::string& fragment) const
    {
        for (const std::string& line : lines)
            if (line.find(fragment) != std::string::npos)
                return true;
        return false;
    }
};

Transcript play(HeadlessMission::Options options)
{
    Transcript transcript;
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    transcript.outcome = HeadlessMission(std::move(options))
                             .run([&](const Json::Value& line) { transcript.lines.push_back(Json::writeString(builder, line)); });
    return transcript;
}

HeadlessMission::Options relayWith(std::vector<std::int32_t> answers)
{
    HeadlessMission::Options options;
    options.missionFile = relay;
    options.assets = staticAssets;
    options.answers = std::move(answers);
    options.seed = 1;
    return options;
}

} // namespace

TEST(HeadlessMission, PlaysTheFixtureMissionByItsAnswers)
{
    LogCapture log;
    using Outcome = HeadlessMission::Outcome;
    const struct {
        std::vector<std::int32_t> answers;
        std::vector<std::string> quest;
        Outcome outcome;
        const char* expected;
    } cases[] = {
        { { 1 }, {}, Outcome::Ended, R"("success":true,"type":"end")" },
        { { 1 }, {}, Outcome::Ended, R"({"crew":0,"memento":"buoy_lamp.json")" },
        { { 2, 1 }, {}, Outcome::Ended, R"({"label":"2. Hail again","locked":true})" },
        // Whether the death comes with its message (with the sound) or with the mission's end
        // (without) depends on how far the text has got: only the epitaph is certain.
        { { 3 }, { "bypass_key" }, Outcome::Ended, R"("epitaph":"<charName> was lost when the relay went dark.")" },
        { { 2 }, {}, Outcome::Waiting, R"("status":"waiting for an answer")" },
        { { 3 }, {}, Outcome::Waiting, R"("status":"answer refused")" },
    };
    for (const auto& c : cases) {
        auto options = relayWith(c.answers);
        options.questItems = c.quest;
        const Transcript transcript = play(options);
        EXPECT_EQ(transcript.outcome, c.outcome) << transcript.lines.back();
        EXPECT_TRUE(transcript.has(c.expected)) << c.expected;
        EXPECT_NE(transcript.lines.back().find("\"type\":\"exit\""), std::string::npos);
    }
}

TEST(HeadlessMission, ErrorsLoopsAndStrandedScriptsHaveTheirOwnStatus)
{
    LogCapture log;
    const std::string root = log.home().root() + "/mod/";
    std::filesystem::create_directories(root + "missions/json");
    std::filesystem::create_directories(root + "missions/lua");
    using Outcome = HeadlessMission::Outcome;
    const struct {
        const char* script;
        Outcome outcome;
        const char* expected;
    } cases[] = {
        { "msnMgr:addMessage('a') error('no carrier')", Outcome::ScriptError, "no carrier" },
        { "while true do end", Outcome::TimedOut, R"("status":"timed out")" },
        { "msnMgr:addMessage('and then nothing')", Outcome::TimedOut, "returned without ending" },
        { "return 1", Outcome::Ended, R"("success":true)" },
    };
    for (const auto& c : cases) {
        std::ofstream(root + "missions/lua/m.lua") << c.script;
        std::ofstream(root + "missions/json/m.json") << R"({"1Name": "M", "non Display Items": {"Lua file": "/missions/lua/m.lua"}})";
        HeadlessMission::Options options;
        options.missionFile = root + "missions/json/m.json";
        options.assets = staticAssets;
        options.maxSeconds = 0.3;
        const Transcript transcript = play(options);
        EXPECT_EQ(transcript.outcome, c.outcome) << c.script;
        EXPECT_TRUE(transcript.has(c.expected)) << c.script << ": " << transcript.lines.back();
    }
}

TEST(HeadlessMission, TheTeamAndItsRolesCanBeChosen)
{
    LogCapture log;
    using Outcome = HeadlessMission::Outcome;
    auto options = relayWith({ 1 });
    options.team = { "Rivir Rezuri", "Zuveda Dared" };
    options.roles = std::array<std::int32_t, 3>{ -1, 0, 1 };
    const Transcript chosen = play(options);
    EXPECT_EQ(chosen.outcome, Outcome::Ended);
    EXPECT_TRUE(chosen.has(R"({"crew":0,"name":"Rivir Rezuri","role":"medic"},{"crew":1,"name":"Zuveda Dared","role":"engineer"})"))
        << chosen.lines.front();

    const struct {
        std::vector<std::string> team;
        std::array<std::int32_t, 3> roles;
    } refused[] = {
        { { "Nobody Aboard" }, { -1, -1, -1 } },
        { { "Rivir Rezuri" }, { 1, -1, -1 } },
    };
    for (const auto& c : refused) {
        options.team = c.team;
        options.roles = c.roles;
        EXPECT_EQ(play(options).outcome, Outcome::BadSetUp) << c.team.front();
    }
}

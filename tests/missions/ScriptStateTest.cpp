#include "missions/ScriptState.hpp"

#include "support/LogCapture.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>

namespace {

class Sandbox : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(state.open(error)) << error;
    }
    ScriptState::Outcome run(const std::string& chunk) { return state.runText(chunk, "=test"); }

    LogCapture log;
    ScriptState state;
};

} // namespace

TEST_F(Sandbox, OnlyTheFourLibrariesAndNoFileAccess)
{
    for (const char* name : { "os", "io", "require", "debug", "package", "coroutine", "utf8", "dofile", "loadfile" })
        EXPECT_EQ(run(std::string("return type(") + name + ")").resultText, "nil") << name;
    for (const char* name : { "string", "math", "table", "pcall", "load", "setmetatable" })
        EXPECT_NE(run(std::string("return type(") + name + ")").resultText, "nil") << name;
    ASSERT_TRUE(run("print('hull', 3, nil)").ok);
    EXPECT_TRUE(log.contains("hull\t3\tnil\n"));
}

TEST_F(Sandbox, LoadReadsTextOnlyAndFinalizersAreRefused)
{
    auto binary = run("local f, message = load(string.dump(function() return 1 end)) return message");
    ASSERT_TRUE(binary.ok) << binary.error;
    EXPECT_NE(binary.resultText.find("attempt to load a binary chunk"), std::string::npos) << binary.resultText;
    EXPECT_EQ(run("return load('return 7')()").result, 7) << "text chunks still load";
    EXPECT_EQ(run("return load('return x', 'chunk', 'b', {x = 3})").resultText, "") << "the mode cannot be changed";
    EXPECT_EQ(run("local f = load('return x', 'chunk', 'bt', {x = 3}) return f()").result, 3);

    auto finalizer = run("setmetatable({}, {__gc = function() while true do end end})");
    EXPECT_FALSE(finalizer.ok);
    EXPECT_NE(finalizer.error.find("finalizers (__gc) are not available"), std::string::npos) << finalizer.error;
    EXPECT_TRUE(run("local t = setmetatable({}, {__index = function() return 5 end}) assert(t.x == 5)").ok);
}

TEST(ScriptLimits, MemoryPastTheCapIsAnErrorAndTheStateLivesOn)
{
    LogCapture log;
    ScriptState state(std::make_shared<std::atomic<bool>>(false), std::size_t(16) << 20);
    std::string error;
    ASSERT_TRUE(state.open(error)) << error;
    auto outcome = state.runText("local t = {} for i = 1, 1e9 do t[i] = string.rep('x', 1000) .. i end", "=hog");
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.error, "not enough memory");
    EXPECT_LE(state.memoryInUse(), state.memoryCap());
    auto one = state.runText("return string.rep('x', 2^30)", "=rep");
    EXPECT_FALSE(one.ok) << "one huge string is refused as well";
    EXPECT_EQ(state.runText("collectgarbage() return 1 + 1", "=after").result, 2);
}

TEST(ScriptLimits, DeepRecursionIsALuaError)
{
    LogCapture log;
    ScriptState state;
    std::string error;
    ASSERT_TRUE(state.open(error)) << error;
    const struct {
        const char* script;
        const char* fragment;
    } cases[] = {
        { "local function f(n) return f(n + 1) + 1 end return f(1)", "stack overflow" },
        { "local t = setmetatable({}, {__index = function(t, k) return t[k] end}) return t.x", "stack overflow" },
        { "local function f(s) return (string.gsub(s, '.', f)) end return f('a')", "stack overflow" },
        { "assert(load(string.rep('(', 100000) .. '1' .. string.rep(')', 100000)))", "C levels" },
    };
    for (const auto& c : cases) {
        auto outcome = state.runText(c.script, "=deep");
        EXPECT_FALSE(outcome.ok) << c.script;
        EXPECT_NE(outcome.error.find(c.fragment), std::string::npos) << c.script << ": " << outcome.error;
    }
}

TEST(ScriptLimits, AStopEndsEndlessLoopsAlsoInsidePcall)
{
    LogCapture log;
    const char* scripts[] = {
        "while true do end",
        "while true do pcall(function() while true do end end) end",
        "while true do xpcall(function() while true do end end, function() while true do end end) end",
        "local function f() return pcall(f) end while true do f() end",
        "while true do xpcall(function() error('x') end, function() while true do end end) end",
    };
    for (const char* script : scripts) {
        auto stop = std::make_shared<std::atomic<bool>>(false);
        ScriptState state(stop);
        std::string error;
        ASSERT_TRUE(state.open(error)) << error;
        auto run = std::async(std::launch::async, [&] { return state.runText(script, "=loop"); });
        EXPECT_EQ(run.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout) << script;
        const auto asked = std::chrono::steady_clock::now();
        stop->store(true);
        ASSERT_EQ(run.wait_for(std::chrono::seconds(1)), std::future_status::ready) << script;
        EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::seconds(1));
        auto outcome = run.get();
        EXPECT_FALSE(outcome.ok) << script;
    }
}

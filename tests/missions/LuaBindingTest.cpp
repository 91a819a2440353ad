#include "missions/LuaBinding.hpp"
#include "missions/ScriptState.hpp"

#include "support/LogCapture.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// A bound object that records what reached it.
struct Probe {
    std::int32_t lastInt = 12345;
    float lastFloat = 12345.f;
    bool lastBool = false;
    std::string lastText = "unset";

    void takeInt(std::int32_t value) { lastInt = value; }
    void takeFloat(float value) { lastFloat = value; }
    void takeBool(bool value) { lastBool = value; }
    void takeText(const std::string& value) { lastText = value; }
    void takeThree(std::int32_t a, const std::string& b, bool c)
    {
        lastInt = a;
        lastText = b;
        lastBool = c;
    }
    std::int32_t sum(std::int32_t a, std::int32_t b) { return a + b; }
    float half(float value) { return value / 2; }
    std::string echo(const std::string& text) { return text; }
    std::vector<std::int32_t> upTo(std::int32_t count)
    {
        std::vector<std::int32_t> values;
        for (std::int32_t i = 0; i < count; ++i)
            values.push_back(i);
        return values;
    }
    void fail() { throw std::runtime_error("the reactor is offline"); }
    void failOddly() { throw 42; }
};

struct OtherProbe {
    void ping() {}
};

class Binding : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(state.open(error)) << error;
        ASSERT_TRUE(state.protect(
            [this](lua_State* L) {
                LuaClass<Probe>(L, "Probe")
                    .method<&Probe::takeInt>("takeInt")
                    .method<&Probe::takeFloat>("takeFloat")
                    .method<&Probe::takeBool>("takeBool")
                    .method<&Probe::takeText>("takeText")
                    .method<&Probe::takeThree>("takeThree")
                    .method<&Probe::sum>("sum")
                    .method<&Probe::half>("half")
                    .method<&Probe::echo>("echo")
                    .method<&Probe::upTo>("upTo")
                    .method<&Probe::fail>("fail")
                    .method<&Probe::failOddly>("failOddly")
                    .global("probe", &probe);
                LuaClass<OtherProbe>(L, "OtherProbe").method<&OtherProbe::ping>("ping").global("other", &other);
            },
            error))
            << error;
    }

    ScriptState::Outcome run(const std::string& chunk) { return state.runText(chunk, "=test"); }

    LogCapture log;
    ScriptState state;
    Probe probe;
    OtherProbe other;
};

} // namespace

TEST_F(Binding, IntArgumentsRoundHalvesAwayFromZeroAndNeverFail)
{
    const std::int32_t max = std::numeric_limits<std::int32_t>::max();
    const std::int32_t min = std::numeric_limits<std::int32_t>::min();
    const struct {
        const char* lua;
        std::int32_t expected;
    } cases[] = {
        { "7", 7 },           { "1.5", 2 },     { "-2.5", -3 },           { "2.4999", 2 },
        { "'3'", 3 },         { "' 0x10 '", 16 }, { "'three'", 0 },        { "{}", 0 },
        { "nil", 0 },         { "true", 0 },    { "0/0", 0 },             { "1/0", max },
        { "-1/0", min },      { "2^40", max },  { "math.maxinteger", max }, { "math.mininteger", min },
    };
    for (const auto& c : cases) {
        probe.lastInt = 12345;
        auto outcome = run(std::string("probe:takeInt(") + c.lua + ")");
        ASSERT_TRUE(outcome.ok) << c.lua << ": " << outcome.error;
        EXPECT_EQ(probe.lastInt, c.expected) << c.lua;
    }
    ASSERT_TRUE(run("probe:takeInt()").ok);
    EXPECT_EQ(probe.lastInt, 0) << "a missing argument reads as nil";
}

TEST_F(Binding, TextFloatAndBoolArguments)
{
    const struct {
        const char* lua;
        const char* expected;
    } texts[] = {
        { "nil", "" },   { "1", "1" },       { "1.0", "1.0" },   { "-0.0", "-0.0" }, { "0.1", "0.1" },
        { "1e100", "1e+100" }, { "{}", "" }, { "true", "" },
    };
    for (const auto& c : texts) {
        ASSERT_TRUE(run(std::string("probe:takeText(") + c.lua + ")").ok) << c.lua;
        EXPECT_EQ(probe.lastText, c.expected) << c.lua;
    }
    ASSERT_TRUE(run("probe:takeText('a\\0b')").ok);
    EXPECT_EQ(probe.lastText, std::string("a\0b", 3)) << "strings keep embedded zeros";

    ASSERT_TRUE(run("probe:takeFloat(0/0)").ok);
    EXPECT_EQ(probe.lastFloat, 0.f) << "NaN counts as 0";
    ASSERT_TRUE(run("probe:takeFloat('2.5')").ok);
    EXPECT_EQ(probe.lastFloat, 2.5f);
    ASSERT_TRUE(run("probe:takeFloat({})").ok);
    EXPECT_EQ(probe.lastFloat, 0.f);

    const struct {
        const char* lua;
        bool expected;
    } truths[] = { { "nil", false }, { "false", false }, { "0", true }, { "''", true }, { "{}", true } };
    for (const auto& c : truths) {
        probe.lastBool = !c.expected;
        ASSERT_TRUE(run(std::string("probe:takeBool(") + c.lua + ")").ok) << c.lua;
        EXPECT_EQ(probe.lastBool, c.expected) << c.lua;
    }

    ASSERT_TRUE(run("probe:takeThree(2.5, 4)").ok);
    EXPECT_EQ(probe.lastInt, 3);
    EXPECT_EQ(probe.lastText, "4");
    EXPECT_FALSE(probe.lastBool) << "the missing third argument is nil";
}

TEST_F(Binding, ResultsComeBackTyped)
{
    auto outcome = run(R"(
        local s = probe:sum(2, 3)
        assert(math.type(s) == "integer" and s == 5)
        assert(probe:half(3) == 1.5)
        assert(probe:echo(12) == "12")
        local t = probe:upTo(3)
        assert(#t == 3 and t[1] == 0 and t[3] == 2)
        return "done"
    )");
    ASSERT_TRUE(outcome.ok) << outcome.error;
    EXPECT_EQ(outcome.resultText, "done");
}

TEST_F(Binding, AWrongOrMissingObjectIsALuaErrorNamingTheMethod)
{
    for (const char* call : { "Probe.takeInt(5)", "probe.takeInt(5)", "Probe.takeInt(other, 5)", "Probe.takeInt({}, 5)" }) {
        auto outcome = run(call);
        EXPECT_FALSE(outcome.ok) << call;
        EXPECT_NE(outcome.error.find("Probe.takeInt needs its object: call it with a colon"), std::string::npos)
            << call << ": " << outcome.error;
    }
    EXPECT_EQ(probe.lastInt, 12345);
    EXPECT_TRUE(run("Probe.takeInt(probe, 5)").ok) << "an explicit object is fine";
    EXPECT_EQ(probe.lastInt, 5);
    EXPECT_EQ(run("return getmetatable(probe)").resultText, "Probe") << "the metatable is out of reach";
}

TEST_F(Binding, ANativeExceptionBecomesALuaErrorTheScriptCanCatch)
{
    auto outcome = run("\n\nprobe:fail()");
    ASSERT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.error, "test:3: the reactor is offline");
    EXPECT_EQ(run("probe:failOddly()").error, "test:1: caught (...) exception");
    auto caught = run("local ok, message = pcall(probe.fail, probe) return ok and 'no' or message");
    ASSERT_TRUE(caught.ok) << caught.error;
    EXPECT_EQ(caught.resultText, "the reactor is offline") << "called straight from pcall: no script position";
}

namespace {

int destroyedGuards = 0;

struct Guard {
    ~Guard() { ++destroyedGuards; }
};

int raiseWithAGuard(lua_State* L)
{
    Guard guard;
    std::string text = "a string that owns memory beyond the small buffer";
    return luaL_error(L, "raised with %s", text.c_str());
}

} // namespace

TEST_F(Binding, ALuaErrorThroughCppFramesRunsTheirDestructors)
{
    destroyedGuards = 0;
    lua_register(state.lua(), "raiseWithAGuard", raiseWithAGuard);
    auto outcome = run("raiseWithAGuard()");
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(destroyedGuards, 1) << "Lua must raise errors as C++ exceptions here";
}

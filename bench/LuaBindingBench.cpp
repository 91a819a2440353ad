// The cost of the typed binding: a script calling a bound function (self check, stop check,
// argument and result conversion, C++ try) against the same call written by hand as a raw
// lua_CFunction that trusts its object. Each iteration is one script call; the loop itself
// runs in Lua, so both sides pay the same interpreter cost.

#include "crew/CharacterManager.hpp"
#include "missions/LuaBinding.hpp"
#include "missions/ScriptState.hpp"
#include "support/FakeShipContext.hpp"
#include "world/Ship.hpp"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int callsPerRun = 10000;

// ship:rawFuel(): the same work as the bound getFuel, with no checks at all.
int rawFuel(lua_State* L)
{
    Ship* ship = static_cast<Ship*>(static_cast<LuaObjectBlock*>(lua_touserdata(L, 1))->object);
    lua_pushinteger(L, ship->getFuel());
    return 1;
}

// charMgr:rawName(i): getCharName by hand.
int rawName(lua_State* L)
{
    auto* roster = static_cast<CharacterManager*>(static_cast<LuaObjectBlock*>(lua_touserdata(L, 1))->object);
    const std::string name = roster->getCharName(static_cast<std::int32_t>(lua_tointeger(L, 2)));
    lua_pushlstring(L, name.data(), name.size());
    return 1;
}

// The ship and the shipped crew (the first three deployed) as scripts see them.
struct ShipScripts {
    ShipScripts()
        : ship(context)
    {
        std::string error;
        state.open(error);
        roster.resetCrew();
        roster.setDeployTeam({ 0, 1, 2 });
        state.protect(
            [this](lua_State* L) {
                LuaClass<Ship>(L, "Ship").method<&Ship::getFuel>("getFuel").global("ship", &ship);
                lua_getglobal(L, "Ship");
                lua_pushcfunction(L, rawFuel);
                lua_setfield(L, -2, "rawFuel");
                LuaClass<CharacterManager>(L, "CharacterManager")
                    .method<&CharacterManager::getCharName>("getCharName")
                    .global("charMgr", &roster);
                lua_getglobal(L, "CharacterManager");
                lua_pushcfunction(L, rawName);
                lua_setfield(L, -2, "rawName");
            },
            error);
    }
    void run(const std::string& chunk, benchmark::State& benchmarkState)
    {
        const std::string loop = "local v for i = 1, " + std::to_string(callsPerRun) + " do v = " + chunk + " end";
        for (auto _ : benchmarkState) {
            auto outcome = state.runText(loop, "=bench");
            benchmark::DoNotOptimize(outcome.ok);
        }
        benchmarkState.SetItemsProcessed(benchmarkState.iterations() * callsPerRun);
    }

    FakeShipContext context;
    Ship ship;
    CharacterManager roster{ { std::string(QV_SOURCE_DIR) + "/assets-src/static/", "/nonexistent/", "/nonexistent/" } };
    ScriptState state;
};

// One script call per item: `chunk` is the expression the loop assigns.
void ScriptCall(benchmark::State& state, const char* chunk)
{
    ShipScripts scripts;
    scripts.run(chunk, state);
}

} // namespace

BENCHMARK_CAPTURE(ScriptCall, BoundShipGetFuel, "ship:getFuel()");
BENCHMARK_CAPTURE(ScriptCall, RawShipGetFuel, "ship:rawFuel()");
BENCHMARK_CAPTURE(ScriptCall, BoundCharName, "charMgr:getCharName(0)");
BENCHMARK_CAPTURE(ScriptCall, RawCharName, "charMgr:rawName(0)");
// The interpreter's own loop and assignment, for reading the four above.
BENCHMARK_CAPTURE(ScriptCall, EmptyLoop, "1");

// The cost of the typed binding: a script calling a bound function (self check, stop check,
// argument and result conversion, C++ try) against the same call written by hand as a raw
// lua_CFunction that trusts its object. Each iteration is one script call; the loop itself
// runs in Lua, so both sides pay the same interpreter cost.

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

struct ShipScripts {
    ShipScripts()
        : ship(context)
    {
        std::string error;
        state.open(error);
        state.protect(
            [this](lua_State* L) {
                LuaClass<Ship>(L, "Ship").method<&Ship::getFuel>("getFuel").global("ship", &ship);
                lua_getglobal(L, "Ship");
                lua_pushcfunction(L, rawFuel);
                lua_setfield(L, -2, "rawFuel");
            },
            error);
    }
    void run(const std::string& chunk, benchmark::State& benchmarkState)
    {
        const std::string loop = "local n = 0 for i = 1, " + std::to_string(callsPerRun) + " do n = n + " + chunk + " end return n";
        for (auto _ : benchmarkState) {
            auto outcome = state.runText(loop, "=bench");
            benchmark::DoNotOptimize(outcome.result);
        }
        benchmarkState.SetItemsProcessed(benchmarkState.iterations() * callsPerRun);
    }

    FakeShipContext context;
    Ship ship;
    ScriptState state;
};

void BoundShipGetFuel(benchmark::State& state)
{
    ShipScripts scripts;
    scripts.run("ship:getFuel()", state);
}

void RawShipGetFuel(benchmark::State& state)
{
    ShipScripts scripts;
    scripts.run("ship:rawFuel()", state);
}

// The interpreter's own loop and addition, for reading the two above.
void EmptyLoop(benchmark::State& state)
{
    ShipScripts scripts;
    scripts.run("1", state);
}

} // namespace

BENCHMARK(BoundShipGetFuel);
BENCHMARK(RawShipGetFuel);
BENCHMARK(EmptyLoop);

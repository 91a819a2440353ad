#include "missions/ScriptState.hpp"

#include "core/Logger.hpp"
#include "missions/LuaConvert.hpp"

#include <cstdlib>
#include <cstring>
#include <exception>
#include <stdexcept>

namespace {

// Instructions between two looks at the stop flag: a tight loop runs some ten thousand
// checks a second, and the check is one relaxed load.
constexpr int hookInterval = 1000;

// load(chunk [, chunkname [, mode [, env]]]) with the mode always "t".
int loadTextOnly(lua_State* L)
{
    const bool hasEnvironment = !lua_isnone(L, 4);
    lua_settop(L, 4);
    lua_pushliteral(L, "t");
    lua_replace(L, 3);
    if (!hasEnvironment)
        lua_settop(L, 3); // an absent environment differs from an explicit nil one
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_insert(L, 1);
    lua_call(L, lua_gettop(L) - 1, LUA_MULTRET);
    return lua_gettop(L);
}

// The message handler of an xpcall, guarded: once the script is being stopped it hands the
// error on untouched. The stop error is raised from the count hook, and Lua then calls the
// handler with hooks still off, so a looping handler could otherwise never be stopped.
int guardedMessageHandler(lua_State* L)
{
    if (ScriptState::of(L).stopRequested())
        return 1;
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_insert(L, 1);
    lua_call(L, lua_gettop(L) - 1, 1);
    return 1;
}

// xpcall(f, handler, ...) with the handler guarded as above.
int xpcallGuarded(lua_State* L)
{
    luaL_checktype(L, 2, LUA_TFUNCTION);
    lua_pushvalue(L, 2);
    lua_pushcclosure(L, guardedMessageHandler, 1);
    lua_replace(L, 2);
    lua_pushvalue(L, lua_upvalueindex(1));
    lua_insert(L, 1);
    lua_call(L, lua_gettop(L) - 1, LUA_MULTRET);
    return lua_gettop(L);
}

// The standard setmetatable, except that a metatable carrying a finalizer is refused. Only
// the metatable's own __gc at the time of the call can make a table finalizable, so adding one
// later changes nothing.
int setMetatableWithoutFinalizer(lua_State* L)
{
    const int type = lua_type(L, 2);
    luaL_checktype(L, 1, LUA_TTABLE);
    luaL_argcheck(L, type == LUA_TNIL || type == LUA_TTABLE, 2, "nil or table expected");
    if (type == LUA_TTABLE) {
        lua_pushliteral(L, "__gc");
        if (lua_rawget(L, 2) != LUA_TNIL)
            return luaL_error(L, "finalizers (__gc) are not available to mission scripts");
        lua_pop(L, 1);
    }
    if (luaL_getmetafield(L, 1, "__metatable") != LUA_TNIL)
        return luaL_error(L, "cannot change a protected metatable");
    lua_settop(L, 2);
    lua_setmetatable(L, 1);
    return 1;
}

// print(...): the values as tostring() shows them, tab-separated, as one log line.
int printToLog(lua_State* L)
{
    const int count = lua_gettop(L);
    luaL_checkstack(L, 2 * count + 1, "too many values to print");
    for (int i = 1; i <= count; ++i) {
        if (i > 1)
            lua_pushliteral(L, "\t");
        luaL_tolstring(L, i, nullptr);
    }
    lua_concat(L, count == 0 ? 0 : 2 * count - 1);
    std::size_t length = 0;
    const char* line = lua_tolstring(L, -1, &length);
    try {
        QV_LOG.write(line, static_cast<std::streamsize>(length)) << std::endl;
    } catch (...) {
        // A line that cannot be logged is dropped; the script goes on.
    }
    return 0;
}

void openLibrary(lua_State* L, const char* name, lua_CFunction open)
{
    luaL_requiref(L, name, open, 1);
    lua_pop(L, 1);
}

int runProtected(lua_State* L)
{
    auto* body = static_cast<const std::function<void(lua_State*)>*>(lua_touserdata(L, 1));
    lua_remove(L, 1);
    char failure[512] = {};
    // Only std::exception is caught: a Lua error travels as an exception of another type and
    // must pass through untouched to the protected call that owns it.
    try {
        (*body)(L);
        return 0;
    } catch (const std::exception& thrown) {
        std::strncpy(failure, thrown.what(), sizeof(failure) - 1);
    }
    lua_pushstring(L, failure);
    return lua_error(L);
}

} // namespace

ScriptState::ScriptState(std::shared_ptr<std::atomic<bool>> stopFlag, std::size_t memoryCap)
    : stop_(std::move(stopFlag))
    , cap_(memoryCap)
{
    L_ = lua_newstate(&ScriptState::allocate, this);
    if (L_) {
        lua_atpanic(L_, &ScriptState::panic);
        lua_sethook(L_, &ScriptState::countHook, LUA_MASKCOUNT, hookInterval);
    }
}

ScriptState::~ScriptState()
{
    // No script-made finalizer can run here (setmetatable refuses them), so closing is quick.
    if (L_)
        lua_close(L_);
}

void* ScriptState::allocate(void* self, void* block, std::size_t oldSize, std::size_t newSize)
{
    auto* state = static_cast<ScriptState*>(self);
    // For a new block `oldSize` tells the kind of object, not a size.
    const std::size_t held = block ? oldSize : 0;
    if (newSize == 0) {
        std::free(block);
        state->used_ -= held;
        return nullptr;
    }
    // Growing past the cap fails (Lua raises "not enough memory"); shrinking never fails.
    if (newSize > held && state->used_ - held + newSize > state->cap_)
        return nullptr;
    void* moved = std::realloc(block, newSize);
    if (!moved)
        return nullptr;
    state->used_ = state->used_ - held + newSize;
    return moved;
}

void ScriptState::countHook(lua_State* L, lua_Debug*)
{
    ScriptState& state = of(L);
    if (state.budget_ != 0 && !state.budgetSpent_) {
        state.steps_ += hookInterval;
        if (state.steps_ > state.budget_) {
            state.budgetSpent_ = true;
            lua_sethook(L, &ScriptState::countHook, LUA_MASKCOUNT, 1);
        }
    }
    if (state.budgetSpent_)
        luaL_error(L, "%s", budgetMessage);
    if (!state.stopRequested())
        return;
    // From now on every instruction raises, so an error caught by pcall is raised again at
    // the next instruction of the caller, until the chunk itself ends.
    lua_sethook(L, &ScriptState::countHook, LUA_MASKCOUNT, 1);
    luaL_error(L, "%s", stoppedMessage);
}

int ScriptState::panic(lua_State* L)
{
    // An error outside any protected call (never expected: every run is protected) becomes a
    // C++ exception instead of ending the program.
    const int type = lua_type(L, -1);
    std::string message = type == LUA_TSTRING || type == LUA_TNUMBER
        ? errorText(L, -1)
        : std::string("An unexpected error occurred and panic has been invoked");
    throw std::runtime_error("lua: error: " + message);
}

ScriptState& ScriptState::of(lua_State* L)
{
    void* self = nullptr;
    lua_getallocf(L, &self);
    return *static_cast<ScriptState*>(self);
}

void ScriptState::checkStopped(lua_State* L)
{
    if (of(L).stopRequested())
        luaL_error(L, "%s", stoppedMessage);
}

std::string ScriptState::errorText(lua_State* L, int index)
{
    switch (lua_type(L, index)) {
    case LUA_TSTRING: {
        std::size_t length = 0;
        const char* text = lua_tolstring(L, index, &length);
        return std::string(text, length);
    }
    case LUA_TNUMBER:
        return textFromView(viewArgument(L, index));
    default:
        return std::string("(error object is a ") + lua_typename(L, lua_type(L, index)) + " value)";
    }
}

bool ScriptState::open(std::string& error)
{
    if (!L_) {
        error = "could not create a Lua state";
        return false;
    }
    return protect(
        [](lua_State* L) {
            openLibrary(L, "_G", luaopen_base);
            openLibrary(L, LUA_MATHLIBNAME, luaopen_math);
            openLibrary(L, LUA_STRLIBNAME, luaopen_string);
            openLibrary(L, LUA_TABLIBNAME, luaopen_table);

            lua_getglobal(L, "load");
            lua_pushcclosure(L, loadTextOnly, 1);
            lua_setglobal(L, "load");
            lua_getglobal(L, "xpcall");
            lua_pushcclosure(L, xpcallGuarded, 1);
            lua_setglobal(L, "xpcall");
            lua_pushnil(L);
            lua_setglobal(L, "dofile");
            lua_pushnil(L);
            lua_setglobal(L, "loadfile");
            lua_pushcfunction(L, setMetatableWithoutFinalizer);
            lua_setglobal(L, "setmetatable");
            lua_pushcfunction(L, printToLog);
            lua_setglobal(L, "print");
        },
        error);
}

bool ScriptState::protect(const std::function<void(lua_State*)>& body, std::string& error)
{
    if (!L_) {
        error = "could not create a Lua state";
        return false;
    }
    const int top = lua_gettop(L_);
    // Neither push allocates (a light C function, a light userdata), so nothing here can raise
    // outside the protected call.
    lua_pushcfunction(L_, runProtected);
    lua_pushlightuserdata(L_, const_cast<std::function<void(lua_State*)>*>(&body));
    const int status = lua_pcall(L_, 1, 0, 0);
    if (status == LUA_OK) {
        lua_settop(L_, top);
        return true;
    }
    error = status == LUA_ERRMEM ? std::string("not enough memory") : errorText(L_, -1);
    lua_settop(L_, top);
    return false;
}

ScriptState::Outcome ScriptState::run(const std::function<int(lua_State*)>& load)
{
    Outcome outcome;
    outcome.ok = protect(
        [&](lua_State* L) {
            const int base = lua_gettop(L);
            if (load(L) != LUA_OK)
                lua_error(L);
            lua_call(L, 0, LUA_MULTRET);
            if (lua_gettop(L) > base) {
                const LuaArgView first = viewArgument(L, base + 1);
                outcome.returnedValue = true;
                outcome.result = intFromView(first);
                outcome.resultText = textFromView(first);
            }
            lua_settop(L, base);
        },
        outcome.error);
    return outcome;
}

ScriptState::Outcome ScriptState::runFile(const std::string& path)
{
    return run([&](lua_State* L) { return luaL_loadfilex(L, path.c_str(), "t"); });
}

ScriptState::Outcome ScriptState::runText(const std::string& chunk, const std::string& chunkName)
{
    return run([&](lua_State* L) {
        return luaL_loadbufferx(L, chunk.data(), chunk.size(), chunkName.c_str(), "t");
    });
}

#include "missions/LuaBinding.hpp"

#include <cstring>
#include <exception>

void NativeFailure::capture() noexcept
{
    failed = true;
    try {
        throw;
    } catch (const std::exception& thrown) {
        std::strncpy(text, thrown.what(), sizeof(text) - 1);
    } catch (...) {
        std::strncpy(text, "caught (...) exception", sizeof(text) - 1);
    }
}

void raiseNativeError(lua_State* L, const char* text)
{
    luaL_where(L, 1);
    lua_pushstring(L, text);
    lua_concat(L, 2);
    lua_error(L);
    std::terminate(); // lua_error does not return
}

void raiseBadSelf(lua_State* L)
{
    const char* method = lua_tostring(L, lua_upvalueindex(1));
    luaL_error(L, "%s needs its object: call it with a colon, as in object:method(...)", method ? method : "?");
    std::terminate(); // luaL_error does not return
}

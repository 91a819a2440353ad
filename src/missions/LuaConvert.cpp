#include "missions/LuaConvert.hpp"

#include "core/NumberConversions.hpp"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

LuaArgView viewArgument(lua_State* L, int index)
{
    LuaArgView view;
    view.type = lua_type(L, index);
    view.truth = lua_toboolean(L, index) != 0;
    switch (view.type) {
    case LUA_TNUMBER:
        view.isInteger = lua_isinteger(L, index) != 0;
        if (view.isInteger)
            view.integer = lua_tointegerx(L, index, nullptr);
        view.number = lua_tonumberx(L, index, nullptr);
        break;
    case LUA_TSTRING: {
        // Only for a string: lua_tolstring on a number would convert it in place and allocate.
        view.text = lua_tolstring(L, index, &view.length);
        int isNumber = 0;
        lua_Number number = lua_tonumberx(L, index, &isNumber); // reads the string, allocates nothing
        if (isNumber)
            view.number = number;
        break;
    }
    default:
        break;
    }
    return view;
}

std::string luaNumberText(lua_Integer value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof(buffer), LUA_INTEGER_FMT, static_cast<LUAI_UACINT>(value));
    return buffer;
}

std::string luaNumberText(lua_Number value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof(buffer), LUA_NUMBER_FMT, static_cast<LUAI_UACNUMBER>(value));
    if (buffer[std::strspn(buffer, "-0123456789")] == '\0') {
        // Reads like an integer: Lua marks a float with ".0".
        std::size_t length = std::strlen(buffer);
        buffer[length] = '.';
        buffer[length + 1] = '0';
        buffer[length + 2] = '\0';
    }
    return buffer;
}

std::int32_t intFromView(const LuaArgView& view)
{
    if (view.type == LUA_TNUMBER && view.isInteger) {
        if (view.integer < std::numeric_limits<std::int32_t>::min())
            return std::numeric_limits<std::int32_t>::min();
        if (view.integer > std::numeric_limits<std::int32_t>::max())
            return std::numeric_limits<std::int32_t>::max();
        return static_cast<std::int32_t>(view.integer);
    }
    return roundToInt32(view.number);
}

float floatFromView(const LuaArgView& view)
{
    // Beyond the float range a conversion is not defined: such numbers are infinities here.
    constexpr double largest = std::numeric_limits<float>::max();
    if (view.number > largest)
        return std::numeric_limits<float>::infinity();
    if (view.number < -largest)
        return -std::numeric_limits<float>::infinity();
    return nanToZero(static_cast<float>(view.number));
}

bool boolFromView(const LuaArgView& view)
{
    return view.truth;
}

std::string textFromView(const LuaArgView& view)
{
    if (view.type == LUA_TSTRING)
        return std::string(view.text, view.length);
    if (view.type == LUA_TNUMBER)
        return view.isInteger ? luaNumberText(view.integer) : luaNumberText(view.number);
    return std::string();
}

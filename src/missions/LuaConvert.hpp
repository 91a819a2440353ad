#pragma once

#include <lua.hpp>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// How values cross between a mission script and the game's functions. A script never gets an
// error for the type of an argument: every value converts to something, and a missing
// argument reads as nil.
//
//   int    an integer as it is (clamped to the 32-bit range); any other value through its
//          number value (strings like "3" included, anything else 0), rounded to the nearest
//          integer with halves away from zero; NaN is 0, infinities the nearest limit
//   float  the number value (non-numbers and NaN are 0)
//   bool   Lua truth: only nil and false are false
//   text   a string as it is; a number in Lua's own form (1 -> "1", 1.0 -> "1.0"); anything
//          else ""
//
// Reading is split in two so that no Lua call can raise while C++ objects are being built:
// viewArgument() copies what the stack holds into a LuaArgView (it allocates nothing and
// never raises), and the from* functions turn a view into a C++ value (plain C++, which may
// throw std::bad_alloc but touches no Lua state). A view's text points into the Lua stack
// and stays valid while the argument stays there, i.e. for the whole bound call.

struct LuaArgView {
    int type = LUA_TNONE;
    bool isInteger = false;
    lua_Integer integer = 0;
    lua_Number number = 0;   // the number value (also of a numeric string); 0 otherwise
    bool truth = false;
    const char* text = nullptr; // only for strings
    std::size_t length = 0;
};

LuaArgView viewArgument(lua_State* L, int index);

// Lua's text for a number: "%lld" for integers, "%.14g" for floats with ".0" added when the
// result would read as an integer.
std::string luaNumberText(lua_Integer value);
std::string luaNumberText(lua_Number value);

std::int32_t intFromView(const LuaArgView& view);
float floatFromView(const LuaArgView& view);
bool boolFromView(const LuaArgView& view);
std::string textFromView(const LuaArgView& view);

// The typed conversions the bindings use, one specialisation per C++ type a bound function
// takes or returns. get() is plain C++; push() may raise a Lua memory error (it allocates in
// the state), so it is only called outside C++ try blocks.
template <class T>
struct LuaValue;

template <>
struct LuaValue<std::int32_t> {
    static std::int32_t get(const LuaArgView& view) { return intFromView(view); }
    static void push(lua_State* L, std::int32_t value) { lua_pushinteger(L, value); }
};

template <>
struct LuaValue<float> {
    static float get(const LuaArgView& view) { return floatFromView(view); }
    static void push(lua_State* L, float value) { lua_pushnumber(L, static_cast<lua_Number>(value)); }
};

template <>
struct LuaValue<bool> {
    static bool get(const LuaArgView& view) { return boolFromView(view); }
    static void push(lua_State* L, bool value) { lua_pushboolean(L, value ? 1 : 0); }
};

template <>
struct LuaValue<std::string> {
    static std::string get(const LuaArgView& view) { return textFromView(view); }
    static void push(lua_State* L, const std::string& value) { lua_pushlstring(L, value.data(), value.size()); }
};

// A list of numbers becomes a new array table (1, 2, 3, ...).
template <>
struct LuaValue<std::vector<std::int32_t>> {
    static void push(lua_State* L, const std::vector<std::int32_t>& values)
    {
        lua_createtable(L, static_cast<int>(values.size()), 0);
        for (std::size_t i = 0; i < values.size(); ++i) {
            lua_pushinteger(L, values[i]);
            lua_rawseti(L, -2, static_cast<lua_Integer>(i + 1));
        }
    }
};

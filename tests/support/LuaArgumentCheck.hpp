#pragma once

#include "missions/LuaBinding.hpp"
#include "missions/LuaConvert.hpp"
#include "missions/ScriptState.hpp"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

// The checks behind the Lua argument fuzz entry and its bounded unit-test run. Bytes become up
// to four Lua values (nil, booleans, integers and floats of any bit pattern, strings, numeric
// strings, tables), which then cross into a bound function both directly through the
// conversions and through a real bound call, and once more as a dot-call without the object.
// checkLuaArguments returns "" when every rule held, else what broke.
//
// Layout: per value one selector byte (its low 3 bits the kind), then the value's bytes: 8 for
// numbers, one length byte and that many bytes for strings.

struct ArgumentProbe {
    std::int32_t i = 0;
    float f = 0;
    bool b = false;
    std::string s;
    void take(std::int32_t intValue, float floatValue, bool boolValue, const std::string& text)
    {
        i = intValue;
        f = floatValue;
        b = boolValue;
        s = text;
    }
};

class LuaArgumentCheck {
public:
    LuaArgumentCheck()
    {
        std::string error;
        state_.open(error);
        state_.protect([this](lua_State* L) { LuaClass<ArgumentProbe>(L, "ArgumentProbe").method<&ArgumentProbe::take>("take").global("probe", &probe_); },
                       error);
    }

    std::string check(const std::uint8_t* data, std::size_t size)
    {
        lua_State* L = state_.lua();
        lua_settop(L, 0);
        const int count = pushValues(L, data, size);
        for (int index = 1; index <= count; ++index)
            if (std::string broken = checkOne(L, index); !broken.empty())
                return broken;
        return checkCall(L, count);
    }

private:
    static std::uint64_t bytesAt(const std::uint8_t* data, std::size_t size, std::size_t& at)
    {
        std::uint64_t value = 0;
        for (int k = 0; k < 8; ++k)
            value = value << 8 | (at < size ? data[at++] : 0);
        return value;
    }

    static int pushValues(lua_State* L, const std::uint8_t* data, std::size_t size)
    {
        std::size_t at = 0;
        int count = 0;
        while (at < size && count < 4) {
            const int kind = data[at++] & 7;
            switch (kind) {
            case 0:
                lua_pushnil(L);
                break;
            case 1:
                lua_pushboolean(L, at < size && (data[at++] & 1));
                break;
            case 2:
                lua_pushinteger(L, static_cast<lua_Integer>(bytesAt(data, size, at)));
                break;
            case 3: {
                const std::uint64_t bits = bytesAt(data, size, at);
                double number;
                std::memcpy(&number, &bits, sizeof number);
                lua_pushnumber(L, number);
                break;
            }
            case 4:
            case 5: {
                std::size_t length = at < size ? data[at++] : 0;
                length = std::min(length, size - at);
                lua_pushlstring(L, reinterpret_cast<const char*>(data + at), length);
                at += length;
                break;
            }
            default:
                lua_newtable(L);
                break;
            }
            ++count;
        }
        return count;
    }

    // The conversions of one value against Lua's own reading of it.
    static std::string checkOne(lua_State* L, int index)
    {
        const LuaArgView view = viewArgument(L, index);
        const std::int32_t asInt = intFromView(view);
        const float asFloat = floatFromView(view);
        const std::string asText = textFromView(view);
        if (boolFromView(view) != (lua_toboolean(L, index) != 0))
            return "bool differs from Lua truth";
        if (std::isnan(asFloat))
            return "a float argument is NaN";
        int isNumber = 0;
        const lua_Number number = lua_tonumberx(L, index, &isNumber);
        if (view.type == LUA_TNUMBER && view.isInteger) {
            const lua_Integer integer = lua_tointegerx(L, index, nullptr);
            const lua_Integer clamped = std::clamp<lua_Integer>(integer, INT32_MIN, INT32_MAX);
            if (asInt != clamped)
                return "integer not kept or clamped";
        } else if (isNumber && std::isfinite(number)) {
            if (number > INT32_MIN && number < INT32_MAX) {
                const double off = number - asInt;
                if (std::fabs(off) > 0.5 || (std::fabs(off) == 0.5 && (off > 0) != (number < 0)))
                    return "not rounded to the nearest, halves away from zero";
            } else if (asInt != (number > 0 ? INT32_MAX : INT32_MIN)) {
                return "beyond the range and not at the limit";
            }
        } else if (asInt != (isNumber && number > 0 && !std::isnan(number) ? INT32_MAX
                              : isNumber && number < 0                   ? INT32_MIN
                                                                         : 0)) {
            return "a non-number or NaN is not 0";
        }
        if (view.type == LUA_TNUMBER || view.type == LUA_TSTRING) {
            lua_pushvalue(L, index);
            std::size_t length = 0;
            const char* lua = lua_tolstring(L, -1, &length); // Lua's own text of the value
            const bool same = asText == std::string(lua, length);
            lua_pop(L, 1);
            if (!same)
                return "text differs from Lua's tostring";
        } else if (!asText.empty()) {
            return "a non-string, non-number gave text";
        }
        return "";
    }

    // The same values through a real bound call, and as a dot-call without the object.
    std::string checkCall(lua_State* L, int count)
    {
        probe_ = ArgumentProbe();
        lua_getglobal(L, "probe");
        lua_getfield(L, -1, "take");
        lua_insert(L, -2); // take, probe
        for (int index = 1; index <= count; ++index)
            lua_pushvalue(L, index);
        if (lua_pcall(L, count + 1, 0, 0) != LUA_OK)
            return "a bound call failed: " + ScriptState::errorText(L, -1);
        const LuaArgView none = viewArgument(L, lua_gettop(L) + 1);
        const auto argument = [&](int position) { return position <= count ? viewArgument(L, position) : none; };
        if (probe_.i != intFromView(argument(1)) || probe_.b != boolFromView(argument(3))
            || probe_.s != textFromView(argument(4)))
            return "the bound call saw other values";
        const float expected = floatFromView(argument(2));
        if (!(probe_.f == expected || (std::isinf(probe_.f) && std::isinf(expected))))
            return "the bound call saw another float";

        lua_getglobal(L, "ArgumentProbe");
        lua_getfield(L, -1, "take");
        for (int index = 1; index <= count; ++index)
            lua_pushvalue(L, index);
        const int status = lua_pcall(L, count, 0, 0);
        const bool refused = status != LUA_OK && lua_type(L, -1) == LUA_TSTRING;
        lua_settop(L, count);
        if (!refused)
            return "a dot-call was not refused";
        return "";
    }

    ScriptState state_;
    ArgumentProbe probe_;
};

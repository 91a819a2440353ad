#pragma once

#include "missions/LuaConvert.hpp"
#include "missions/ScriptState.hpp"

#include <lua.hpp>

#include <cstddef>
#include <optional>
#include <tuple>
#include <type_traits>
#include <utility>

// Binds C++ member functions into a script state as the methods of a usertype, e.g.
//
//   LuaClass<Ship>(L, "Ship").method<&Ship::getFuel>("getFuel").global("ship", &ship);
//
// Scripts call them with a colon (ship:getFuel()). Every bound call, generated from the
// member function's own signature:
// 1. checks that the first argument is an object of the usertype (a dot-call, a wrong object
//    or a missing one is a Lua error naming the method, never a crash);
// 2. raises the stop error when the run has been stopped;
// 3. reads the arguments through LuaConvert (never an error for a type; a missing argument
//    is nil), calls the function inside a C++ try, and outside it either pushes the result
//    or turns a caught C++ exception into a Lua error with the exception's text (or
//    "caught (...) exception"), prefixed with the script position like any Lua error.
// The objects are referred to, not owned: Lua never destroys them, and the owner keeps them
// alive for as long as the state runs.
//
// Registration allocates in the state and may raise: run it inside ScriptState::protect.

template <class M>
struct LuaMethodTraits;

template <class C, class R, class... A>
struct LuaMethodTraits<R (C::*)(A...)> {
    using Class = C;
    using Result = std::decay_t<R>;
    using Args = std::tuple<std::decay_t<A>...>;
    static constexpr std::size_t arity = sizeof...(A);
};

template <class C, class R, class... A>
struct LuaMethodTraits<R (C::*)(A...) const> : LuaMethodTraits<R (C::*)(A...)> {
};

// The text of a C++ exception caught in a bound call, copied into a fixed buffer so that
// keeping it cannot throw in turn.
struct NativeFailure {
    bool failed = false;
    char text[512] = {};
    // Call only inside a catch block.
    void capture() noexcept;
};

// Raises a Lua error with `text`, prefixed with the calling script's position.
[[noreturn]] void raiseNativeError(lua_State* L, const char* text);
// Raises the error of a call whose first argument is not its object; the method's
// "Type.name" is the closure's first upvalue.
[[noreturn]] void raiseBadSelf(lua_State* L);

// The registry key of T's metatable (one per bound type).
template <class T>
const void* luaClassKey()
{
    static const char key = 0;
    return &key;
}

// What a bound object's userdata holds: the object and its type's key. Scripts cannot make
// userdata of their own, so a block of this size carrying T's key is a T.
struct LuaObjectBlock {
    void* object;
    const void* typeKey;
};

// The object behind argument `index` when it is a T, else nullptr. Allocates nothing and
// never raises.
template <class T>
T* luaSelf(lua_State* L, int index)
{
    if (lua_type(L, index) != LUA_TUSERDATA || lua_rawlen(L, index) != sizeof(LuaObjectBlock))
        return nullptr;
    const auto* block = static_cast<const LuaObjectBlock*>(lua_touserdata(L, index));
    return block->typeKey == luaClassKey<T>() ? static_cast<T*>(block->object) : nullptr;
}

template <auto Method, class C, std::size_t... I>
int luaInvoke(lua_State* L, C* object, std::index_sequence<I...>)
{
    using Traits = LuaMethodTraits<decltype(Method)>;
    using Result = typename Traits::Result;
    using Args = typename Traits::Args;
    // Argument 1 is the object itself.
    [[maybe_unused]] const LuaArgView views[sizeof...(I) + 1] = { viewArgument(L, static_cast<int>(I) + 2)... };
    NativeFailure failure;
    if constexpr (std::is_void_v<Result>) {
        try {
            (object->*Method)(LuaValue<std::tuple_element_t<I, Args>>::get(views[I])...);
        } catch (...) {
            failure.capture();
        }
        if (failure.failed)
            raiseNativeError(L, failure.text);
        return 0;
    } else {
        std::optional<Result> result;
        try {
            result.emplace((object->*Method)(LuaValue<std::tuple_element_t<I, Args>>::get(views[I])...));
        } catch (...) {
            failure.capture();
        }
        if (failure.failed)
            raiseNativeError(L, failure.text);
        LuaValue<Result>::push(L, *result);
        return 1;
    }
}

template <auto Method>
int luaBoundCall(lua_State* L)
{
    using Traits = LuaMethodTraits<decltype(Method)>;
    auto* object = luaSelf<typename Traits::Class>(L, 1);
    if (!object)
        raiseBadSelf(L);
    ScriptState::checkStopped(L);
    return luaInvoke<Method>(L, object, std::make_index_sequence<Traits::arity>{});
}

// A method of usertype T that the game carries out elsewhere: the call is checked as a T
// method (colon, stop), then goes to `Method` on the receiver held as the closure's second
// upvalue (e.g. a ship method the mission runtime counts first).
template <class T, auto Method>
int luaForwardCall(lua_State* L)
{
    using Traits = LuaMethodTraits<decltype(Method)>;
    if (!luaSelf<T>(L, 1))
        raiseBadSelf(L);
    ScriptState::checkStopped(L);
    auto* receiver = static_cast<typename Traits::Class*>(lua_touserdata(L, lua_upvalueindex(2)));
    return luaInvoke<Method>(L, receiver, std::make_index_sequence<Traits::arity>{});
}

// Registers one usertype. Keeps its methods table on the stack while it lives; the
// protected call it runs in restores the stack afterwards.
template <class T>
class LuaClass {
public:
    // The metatable goes into the registry; a global table of the same name holds the
    // methods (and is the objects' __index).
    LuaClass(lua_State* L, const char* name)
        : L_(L)
        , name_(name)
    {
        lua_newtable(L);
        lua_pushvalue(L, -1);
        lua_setglobal(L, name);
        lua_newtable(L);
        lua_pushvalue(L, -2);
        lua_setfield(L, -2, "__index");
        lua_pushstring(L, name);
        lua_setfield(L, -2, "__name");
        // getmetatable() shows the name only; the metatable itself stays out of reach.
        lua_pushstring(L, name);
        lua_setfield(L, -2, "__metatable");
        lua_rawsetp(L, LUA_REGISTRYINDEX, luaClassKey<T>());
        methods_ = lua_gettop(L);
    }

    template <auto Method>
    LuaClass& method(const char* luaName)
    {
        lua_pushfstring(L_, "%s.%s", name_, luaName);
        lua_pushcclosure(L_, &luaBoundCall<Method>, 1);
        lua_setfield(L_, methods_, luaName);
        return *this;
    }

    // A member whose calls go to `Method` of `receiver` (see luaForwardCall).
    template <auto Method>
    LuaClass& forward(const char* luaName, typename LuaMethodTraits<decltype(Method)>::Class* receiver)
    {
        lua_pushfstring(L_, "%s.%s", name_, luaName);
        lua_pushlightuserdata(L_, receiver);
        lua_pushcclosure(L_, &luaForwardCall<T, Method>, 2);
        lua_setfield(L_, methods_, luaName);
        return *this;
    }

    // A member that answers with the object of global `globalName` (set before).
    LuaClass& alias(const char* luaName, const char* globalName)
    {
        lua_getglobal(L_, globalName);
        lua_pushcclosure(L_, &returnUpvalue, 1);
        lua_setfield(L_, methods_, luaName);
        return *this;
    }

    // Global `globalName` becomes an object of this type referring to `object`.
    LuaClass& global(const char* globalName, T* object)
    {
        auto* block = static_cast<LuaObjectBlock*>(lua_newuserdata(L_, sizeof(LuaObjectBlock)));
        block->object = object;
        block->typeKey = luaClassKey<T>();
        lua_rawgetp(L_, LUA_REGISTRYINDEX, luaClassKey<T>());
        lua_setmetatable(L_, -2);
        lua_setglobal(L_, globalName);
        return *this;
    }

private:
    static int returnUpvalue(lua_State* L)
    {
        lua_pushvalue(L, lua_upvalueindex(1));
        return 1;
    }

    lua_State* L_;
    const char* name_;
    int methods_ = 0;
};

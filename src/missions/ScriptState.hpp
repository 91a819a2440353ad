#pragma once

#include <lua.hpp>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// One mission script's Lua state, built so that a careless or hostile script cannot take the
// game down with it:
// - only the base, math, string and table libraries; `load` reads text chunks only (compiled
//   chunks can crash the interpreter), `dofile` and `loadfile` are gone (a script has no
//   business reading files, and a device file would block the thread for good), and
//   `setmetatable` refuses finalizers (__gc runs with hooks off, so a looping finalizer could
//   never be stopped), and an xpcall message handler is skipped once a stop is requested
//   (Lua runs it with hooks off after an error raised by the hook);
// - `print` writes a line to the log;
// - the allocator refuses to grow the state past a cap, which the script sees as a
//   "not enough memory" error;
// - a count hook checks the shared stop flag; once a stop is requested it raises an error at
//   every instruction, so no loop of pcall can swallow it and the script ends within
//   milliseconds. Bound functions raise the same error once stopped.
//
// Lua errors cross C++ frames as exceptions in the build of Lua the game links, so
// destructors run; still, no Lua call that can raise is made inside a C++ try block, and no
// C++ exception is let out into Lua (it would be caught there without a message).
//
// A state belongs to the thread that runs it. Only requestStop() (through the shared flag)
// may be called from elsewhere.
class ScriptState {
public:
    static constexpr std::size_t defaultMemoryCap = std::size_t(256) << 20;
    // The error a stopped script sees.
    static constexpr const char* stoppedMessage = "mission script stopped";

    explicit ScriptState(std::shared_ptr<std::atomic<bool>> stopFlag = std::make_shared<std::atomic<bool>>(false),
                         std::size_t memoryCap = defaultMemoryCap);
    ~ScriptState();
    ScriptState(const ScriptState&) = delete;
    ScriptState& operator=(const ScriptState&) = delete;

    // Opens the libraries and the restrictions above. False, with the reason, when the state
    // could not be created or ran out of memory doing so.
    bool open(std::string& error);

    // Runs `body` as a protected call: a Lua error raised in it (or a std::exception thrown by
    // it) comes back as false with the error's text. `body` may use the Lua API freely.
    bool protect(const std::function<void(lua_State*)>& body, std::string& error);

    // What a chunk run gave.
    struct Outcome {
        bool ok = false;
        std::string error;          // the Lua error's text when !ok
        bool returnedValue = false; // the chunk returned at least one value
        std::int32_t result = 0;    // the first result as an int argument (0 for none)
        std::string resultText;     // the first result as text ("" for a non-number, non-string)
    };
    // Loads the file as a text chunk and runs it with no arguments.
    Outcome runFile(const std::string& path);
    Outcome runText(const std::string& chunk, const std::string& chunkName);

    lua_State* lua() const { return L_; }
    bool stopRequested() const { return stop_->load(std::memory_order_relaxed); }
    void requestStop() { stop_->store(true); }
    const std::shared_ptr<std::atomic<bool>>& stopFlag() const { return stop_; }
    std::size_t memoryInUse() const { return used_; }
    // At most this many Lua instructions (counted in steps of the hook's interval, so a
    // little more may run); past it every instruction raises `budgetMessage`, the way a stop
    // does, so pcall cannot hold it. 0 for no limit (the game's scripts have none; the mission
    // explorer sets one so that an endless loop ends its run).
    static constexpr const char* budgetMessage = "mission script ran past its step budget";
    void setStepBudget(std::uint64_t instructions) { budget_ = instructions; }
    bool budgetSpent() const { return budgetSpent_; }
    std::size_t memoryCap() const { return cap_; }

    // The state a bound function or hook runs in.
    static ScriptState& of(lua_State* L);
    // Raises the stop error when the run was stopped; called first by every bound function.
    static void checkStopped(lua_State* L);
    // The text of the Lua error value at `index`: a string or number as text, anything else
    // a fixed sentence (error values are never converted through their metamethods).
    static std::string errorText(lua_State* L, int index);

private:
    static void* allocate(void* self, void* block, std::size_t oldSize, std::size_t newSize);
    static void countHook(lua_State* L, lua_Debug* debug);
    static int panic(lua_State* L);
    Outcome run(const std::function<int(lua_State*)>& load);

    std::shared_ptr<std::atomic<bool>> stop_;
    std::size_t cap_;
    std::size_t used_ = 0;
    std::uint64_t budget_ = 0;
    std::uint64_t steps_ = 0;
    bool budgetSpent_ = false;
    lua_State* L_ = nullptr;
};

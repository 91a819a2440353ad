#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

// What a mission script says on its face, read from its text without running it: the method
// calls on named objects with their literal arguments, the global names it uses and defines,
// and every string literal. The content checker builds its script rules on this.
//
// It is a reader of tokens, not a full parser: a name counts as local when it is declared
// local (or as a parameter or loop variable) anywhere in the file, so a typo may slip through
// in a file that also declares the same name locally, but a correct script never gives a
// false alarm. Unfinished strings and comments end the scan quietly; the compiler reports
// them.
class LuaSourceScan {
public:
    struct Argument {
        bool isString = false; // a single string literal
        std::string text;      // its contents (escapes resolved) when isString
    };
    struct Call {
        std::string object;
        std::string method;
        bool colon = true; // object:method(...) rather than object.method(...)
        std::int32_t line = 0;
        std::vector<Argument> arguments;
    };
    struct Name {
        std::string name;
        std::int32_t line = 0;
    };
    struct Literal {
        std::string text;
        std::int32_t line = 0;
    };

    static LuaSourceScan scan(const std::string& source);

    std::vector<Call> calls;
    // Names read as globals (not declared local anywhere in the file), first use of each line.
    std::vector<Name> globalUses;
    // Globals the file assigns or defines with `function name`.
    std::set<std::string> globalDefinitions;
    std::set<std::string> locals;
    std::vector<Literal> literals;
};

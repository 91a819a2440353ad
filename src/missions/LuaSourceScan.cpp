#include "missions/LuaSourceScan.hpp"

#include <cctype>
#include <cstddef>

namespace {

enum class Kind { Name, String, Number, Punct };

struct Token {
    Kind kind;
    std::string text;
    std::int32_t line;
};

const std::set<std::string> keywords = { "and", "break", "do", "else", "elseif", "end", "false", "for",
    "function", "goto", "if", "in", "local", "nil", "not", "or", "repeat", "return", "then", "true", "until",
    "while" };

bool nameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool nameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

class Lexer {
public:
    explicit Lexer(const std::string& source)
        : s_(source)
    {
    }

    std::vector<Token> tokens()
    {
        std::vector<Token> out;
        while (skipSpaceAndComments()) {
            const char c = s_[at_];
            const std::int32_t line = line_;
            if (nameStart(c)) {
                const std::size_t from = at_;
                while (at_ < s_.size() && nameChar(s_[at_]))
                    ++at_;
                out.push_back({ Kind::Name, s_.substr(from, at_ - from), line });
            } else if (std::isdigit(static_cast<unsigned char>(c))
                || (c == '.' && at_ + 1 < s_.size() && std::isdigit(static_cast<unsigned char>(s_[at_ + 1])))) {
                const std::size_t from = at_;
                while (at_ < s_.size()
                    && (nameChar(s_[at_]) || s_[at_] == '.'
                        || ((s_[at_] == '+' || s_[at_] == '-') && (s_[at_ - 1] == 'e' || s_[at_ - 1] == 'E'
                                                                       || s_[at_ - 1] == 'p' || s_[at_ - 1] == 'P'))))
                    ++at_;
                out.push_back({ Kind::Number, s_.substr(from, at_ - from), line });
            } else if (c == '"' || c == '\'') {
                std::string text;
                if (!shortString(text))
                    return out;
                out.push_back({ Kind::String, text, line });
            } else if (c == '[' && longBracketLevel() >= 0) {
                std::string text;
                if (!longBracket(text))
                    return out;
                out.push_back({ Kind::String, text, line });
            } else {
                static const char* const longPuncts[] = { "...", "..", "==", "~=", "<=", ">=", "//", "::", "<<", ">>" };
                std::string punct(1, c);
                for (const char* p : longPuncts)
                    if (s_.compare(at_, std::char_traits<char>::length(p), p) == 0) {
                        punct = p;
                        break;
                    }
                at_ += punct.size();
                out.push_back({ Kind::Punct, punct, line });
            }
        }
        return out;
    }

private:
    // False at the end of the text.
    bool skipSpaceAndComments()
    {
        while (at_ < s_.size()) {
            const char c = s_[at_];
            if (c == '\n') {
                ++line_;
                ++at_;
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                ++at_;
            } else if (s_.compare(at_, 2, "--") == 0) {
                at_ += 2;
                std::string ignored;
                if (at_ < s_.size() && s_[at_] == '[' && longBracketLevel() >= 0) {
                    if (!longBracket(ignored))
                        return false;
                } else {
                    while (at_ < s_.size() && s_[at_] != '\n')
                        ++at_;
                }
            } else if (at_ == 0 && s_.compare(0, 1, "#") == 0) {
                while (at_ < s_.size() && s_[at_] != '\n')
                    ++at_;
            } else {
                return true;
            }
        }
        return false;
    }

    // The level of the long bracket opening at `at_` ("[[" 0, "[=[" 1, ...), or -1.
    int longBracketLevel() const
    {
        std::size_t i = at_ + 1;
        int level = 0;
        while (i < s_.size() && s_[i] == '=') {
            ++level;
            ++i;
        }
        return i < s_.size() && s_[i] == '[' ? level : -1;
    }

    bool longBracket(std::string& text)
    {
        const int level = longBracketLevel();
        at_ += static_cast<std::size_t>(level) + 2;
        const std::string close = "]" + std::string(static_cast<std::size_t>(level), '=') + "]";
        const std::size_t end = s_.find(close, at_);
        if (end == std::string::npos)
            return false;
        text = s_.substr(at_, end - at_);
        if (!text.empty() && text[0] == '\n')
            text.erase(0, 1);
        for (char c : s_.substr(at_, end - at_))
            if (c == '\n')
                ++line_;
        at_ = end + close.size();
        return true;
    }

    bool shortString(std::string& text)
    {
        const char quote = s_[at_++];
        while (at_ < s_.size()) {
            const char c = s_[at_++];
            if (c == quote)
                return true;
            if (c == '\n')
                return false;
            if (c != '\\') {
                text += c;
                continue;
            }
            if (at_ >= s_.size())
                return false;
            const char e = s_[at_++];
            switch (e) {
            case 'n': text += '\n'; break;
            case 't': text += '\t'; break;
            case 'r': text += '\r'; break;
            case 'a': text += '\a'; break;
            case 'b': text += '\b'; break;
            case 'f': text += '\f'; break;
            case 'v': text += '\v'; break;
            case '\n': text += '\n'; ++line_; break;
            case 'z':
                while (at_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[at_]))) {
                    if (s_[at_] == '\n')
                        ++line_;
                    ++at_;
                }
                break;
            case 'x': {
                int value = 0;
                for (int k = 0; k < 2 && at_ < s_.size() && std::isxdigit(static_cast<unsigned char>(s_[at_])); ++k)
                    value = value * 16 + std::stoi(std::string(1, s_[at_++]), nullptr, 16);
                text += static_cast<char>(value);
                break;
            }
            default:
                if (std::isdigit(static_cast<unsigned char>(e))) {
                    int value = e - '0';
                    for (int k = 0; k < 2 && at_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[at_])); ++k)
                        value = value * 10 + (s_[at_++] - '0');
                    text += static_cast<char>(value & 0xff);
                } else {
                    text += e; // \\ \" \' and the rest as they are
                }
            }
        }
        return false;
    }

    const std::string& s_;
    std::size_t at_ = 0;
    std::int32_t line_ = 1;
};

bool isPunct(const std::vector<Token>& t, std::size_t i, const char* text)
{
    return i < t.size() && t[i].kind == Kind::Punct && t[i].text == text;
}

bool isName(const std::vector<Token>& t, std::size_t i)
{
    return i < t.size() && t[i].kind == Kind::Name && !keywords.count(t[i].text);
}

bool isKeyword(const std::vector<Token>& t, std::size_t i, const char* word)
{
    return i < t.size() && t[i].kind == Kind::Name && t[i].text == word;
}

// The index just past the bracket that closes the one opening at `open`.
std::size_t closing(const std::vector<Token>& t, std::size_t open)
{
    int depth = 0;
    for (std::size_t i = open; i < t.size(); ++i) {
        if (t[i].kind != Kind::Punct)
            continue;
        const std::string& p = t[i].text;
        if (p == "(" || p == "{" || p == "[")
            ++depth;
        else if ((p == ")" || p == "}" || p == "]") && --depth == 0)
            return i + 1;
    }
    return t.size();
}

std::vector<LuaSourceScan::Argument> callArguments(const std::vector<Token>& t, std::size_t open)
{
    std::vector<LuaSourceScan::Argument> arguments;
    if (t[open].kind == Kind::String) {
        arguments.push_back({ true, t[open].text });
        return arguments;
    }
    if (!isPunct(t, open, "("))
        return { LuaSourceScan::Argument {} }; // a table constructor
    const std::size_t end = closing(t, open) - 1;
    std::size_t from = open + 1;
    int depth = 0;
    for (std::size_t i = open + 1; i <= end && i < t.size(); ++i) {
        const bool last = i == end;
        if (t[i].kind == Kind::Punct && !last) {
            const std::string& p = t[i].text;
            if (p == "(" || p == "{" || p == "[")
                ++depth;
            else if (p == ")" || p == "}" || p == "]")
                --depth;
        }
        if (last || (depth == 0 && isPunct(t, i, ","))) {
            if (i > from || !last || !arguments.empty()) {
                LuaSourceScan::Argument argument;
                if (i == from + 1 && t[from].kind == Kind::String) {
                    argument.isString = true;
                    argument.text = t[from].text;
                }
                arguments.push_back(argument);
            }
            from = i + 1;
        }
    }
    return arguments;
}

} // namespace

LuaSourceScan LuaSourceScan::scan(const std::string& source)
{
    LuaSourceScan result;
    const std::vector<Token> t = Lexer(source).tokens();

    // Declarations first: a local anywhere hides the name everywhere (see the class comment).
    std::set<std::size_t> declarations;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (isKeyword(t, i, "local") && isKeyword(t, i + 1, "function") && isName(t, i + 2)) {
            result.locals.insert(t[i + 2].text);
            declarations.insert(i + 2);
        } else if (isKeyword(t, i, "local") || isKeyword(t, i, "for")) {
            for (std::size_t k = i + 1; isName(t, k); k += 2) {
                result.locals.insert(t[k].text);
                declarations.insert(k);
                if (!isPunct(t, k + 1, ","))
                    break;
            }
        } else if (isKeyword(t, i, "function")) {
            std::size_t k = i + 1;
            while (k < t.size() && !isPunct(t, k, "("))
                ++k;
            for (++k; k < t.size() && !isPunct(t, k, ")"); ++k)
                if (isName(t, k)) {
                    result.locals.insert(t[k].text);
                    declarations.insert(k);
                }
            // Methods defined with a colon have `self`.
            if (isName(t, i + 1) && isPunct(t, i + 2, ":"))
                result.locals.insert("self");
        }
    }

    std::vector<char> brackets;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].kind == Kind::String) {
            result.literals.push_back({ t[i].text, t[i].line });
            continue;
        }
        if (t[i].kind == Kind::Punct) {
            const std::string& p = t[i].text;
            if (p == "(" || p == "{" || p == "[")
                brackets.push_back(p[0]);
            else if ((p == ")" || p == "}" || p == "]") && !brackets.empty())
                brackets.pop_back();
            continue;
        }
        if (!isName(t, i) || declarations.count(i))
            continue;
        const bool field = i > 0 && (isPunct(t, i - 1, ".") || isPunct(t, i - 1, ":"));
        const bool label = (i > 0 && (isPunct(t, i - 1, "::") || isKeyword(t, i - 1, "goto")));
        const bool inTable = !brackets.empty() && brackets.back() == '{';
        if (field || label || (inTable && isPunct(t, i + 1, "=")))
            continue;
        const std::string& name = t[i].text;

        // object:method(...) / object.method(...) with the object a plain name.
        if ((isPunct(t, i + 1, ":") || isPunct(t, i + 1, ".")) && isName(t, i + 2)
            && (isPunct(t, i + 3, "(") || isPunct(t, i + 3, "{") || (i + 3 < t.size() && t[i + 3].kind == Kind::String))) {
            Call call;
            call.object = name;
            call.method = t[i + 2].text;
            call.colon = isPunct(t, i + 1, ":");
            call.line = t[i].line;
            call.arguments = callArguments(t, i + 3);
            // `function obj.name(...)` and `function obj:name(...)` define, they do not call.
            if (!(i > 0 && isKeyword(t, i - 1, "function")))
                result.calls.push_back(std::move(call));
        }

        if (result.locals.count(name))
            continue;
        bool defines = false;
        if (i > 0 && isKeyword(t, i - 1, "function") && isPunct(t, i + 1, "(")) {
            defines = true;
        } else if (isPunct(t, i + 1, "=")) {
            defines = true;
        } else if (brackets.empty() && isPunct(t, i + 1, ",")) {
            // a, b, c = ... assigns all of them.
            std::size_t k = i + 1;
            while (isPunct(t, k, ",") && isName(t, k + 1))
                k += 2;
            defines = isPunct(t, k, "=");
        }
        if (defines) {
            result.globalDefinitions.insert(name);
            continue;
        }
        if (result.globalUses.empty() || result.globalUses.back().name != name
            || result.globalUses.back().line != t[i].line)
            result.globalUses.push_back({ name, t[i].line });
    }
    return result;
}

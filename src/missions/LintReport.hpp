#pragma once

#include <json/value.h>

#include <string>
#include <vector>

// What the content checker found: one finding per problem, each naming the file (relative to
// the folder checked), the line or the key, whether it is an error (the game would misbehave)
// or a warning (probably a mistake), and what is wrong. Printed one line per finding,
// "file:where: error: message", or as JSON for machines.
class LintReport {
public:
    enum class Severity { Error, Warning };
    struct Finding {
        std::string file;
        std::string where; // a line number, a key, or "" for the whole file
        Severity severity = Severity::Error;
        std::string message;
    };

    void error(const std::string& file, const std::string& where, const std::string& message);
    void warning(const std::string& file, const std::string& where, const std::string& message);
    void error(const std::string& file, int line, const std::string& message);
    void warning(const std::string& file, int line, const std::string& message);

    const std::vector<Finding>& findings() const { return findings_; }
    bool hasErrors() const;
    std::size_t count(Severity severity) const;
    // Findings sorted by file, then in the order found.
    std::string text() const;
    Json::Value toJson() const;
    static std::string line(const Finding& finding);

private:
    std::vector<Finding> findings_;
};

#include "missions/LintReport.hpp"

#include <algorithm>

void LintReport::error(const std::string& file, const std::string& where, const std::string& message)
{
    findings_.push_back({ file, where, Severity::Error, message });
}

void LintReport::warning(const std::string& file, const std::string& where, const std::string& message)
{
    findings_.push_back({ file, where, Severity::Warning, message });
}

void LintReport::error(const std::string& file, int line, const std::string& message)
{
    error(file, std::to_string(line), message);
}

void LintReport::warning(const std::string& file, int line, const std::string& message)
{
    warning(file, std::to_string(line), message);
}

bool LintReport::hasErrors() const
{
    return count(Severity::Error) > 0;
}

std::size_t LintReport::count(Severity severity) const
{
    return static_cast<std::size_t>(std::count_if(findings_.begin(), findings_.end(),
                                                  [&](const Finding& f) { return f.severity == severity; }));
}

std::string LintReport::line(const Finding& finding)
{
    std::string text = finding.file;
    if (!finding.where.empty())
        text += ":" + finding.where;
    text += finding.severity == Severity::Error ? ": error: " : ": warning: ";
    return text + finding.message;
}

std::string LintReport::text() const
{
    std::vector<Finding> sorted = findings_;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Finding& a, const Finding& b) { return a.file < b.file; });
    std::string text;
    for (const Finding& finding : sorted)
        text += line(finding) + "\n";
    return text;
}

Json::Value LintReport::toJson() const
{
    Json::Value list(Json::arrayValue);
    for (const Finding& finding : findings_) {
        Json::Value entry(Json::objectValue);
        entry["file"] = finding.file;
        entry["where"] = finding.where;
        entry["severity"] = finding.severity == Severity::Error ? "error" : "warning";
        entry["message"] = finding.message;
        list.append(entry);
    }
    return list;
}

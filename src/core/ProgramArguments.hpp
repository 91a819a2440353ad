#pragma once

#include <string>
#include <vector>

// The command line as the program received it, program path included; filled once at start-up.
std::vector<std::string>& programArguments();
void setProgramArguments(int argc, char** argv);
// True when some argument equals `text` exactly (whole argument, case-sensitive).
bool hasArgument(const std::string& text);

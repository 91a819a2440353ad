#pragma once

#include <string>
#include <vector>

// The command line as the program received it, program path included; filled once at start-up.
std::vector<std::string>& programArguments();
void setProgramArguments(int argc, char** argv);
// True when some argument equals `text` exactly (whole argument, case-sensitive).
bool hasArgument(const std::string& text);

// The text "--help" prints: the switches the game understands and where the player's files
// live (`userFolder`).
std::string usageText(const std::string& userFolder);

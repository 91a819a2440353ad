#include "core/ProgramArguments.hpp"

#include <algorithm>

std::vector<std::string>& programArguments()
{
    static std::vector<std::string> arguments;
    return arguments;
}

void setProgramArguments(int argc, char** argv)
{
    programArguments().assign(argv, argv + argc);
}

bool hasArgument(const std::string& text)
{
    const auto& arguments = programArguments();
    return std::find(arguments.begin(), arguments.end(), text) != arguments.end();
}

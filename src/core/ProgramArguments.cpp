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

std::string usageText(const std::string& userFolder)
{
    return "Usage: quorvane [switch...]\n"
           "Quorvane: Vesperine, a narrative space-exploration game.\n"
           "\n"
           "  --fullscreen            open full screen, whatever the options say\n"
           "  --windowed              open in a window (wins over --fullscreen and the options)\n"
           "  --achievements-clear    lock every achievement before playing\n"
           "  --achievements-unlock   unlock every achievement before playing\n"
           "  --no-shader             draw the map without its shaders\n"
           "  --check-save [folder]   load the saves and options of a user folder (without a\n"
           "                          window), say what loads and what does not, and leave\n"
           "  --help                  show this text and leave\n"
           "  --version               show the version and leave\n"
           "\n"
           "Options, saves, logs, screenshots, mods and portraits live in\n"
           "  " + userFolder + "\n"
           "($XDG_DATA_HOME/Quorvane/, else ~/.local/share/Quorvane/).\n";
}

bool hasArgument(const std::string& text)
{
    const auto& arguments = programArguments();
    return std::find(arguments.begin(), arguments.end(), text) != arguments.end();
}

#pragma once

#include <string>
#include <vector>

// What the command line asks of the program. The game takes no arguments of its own besides
// these, so anything else is refused rather than ignored.
struct CommandLine
{
    enum class Action
    {
        Play,
        PrintVersion,
        PrintHelp,
        Refuse,
    };
    Action action = Action::Play;
    // For Refuse: the one line to print on standard error.
    std::string error;
};

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// "Hingewalk X.Y.Z".
std::string VersionLine();
std::string HelpText();

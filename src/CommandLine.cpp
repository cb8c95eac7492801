#include "CommandLine.hpp"

#include "HingewalkVersion.hpp"

CommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine command;
    for (const std::string& argument : arguments)
    {
        CommandLine::Action asked;
        if (argument == "--version" || argument == "-v")
            asked = CommandLine::Action::PrintVersion;
        else if (argument == "--help" || argument == "-h")
            asked = CommandLine::Action::PrintHelp;
        else // anything unknown refuses the whole line, so a typo never opens a game window
            return {CommandLine::Action::Refuse, "hingewalk: unknown option '" + argument + "' (see --help)"};
        if (command.action == CommandLine::Action::Play)
            command.action = asked; // the first one wins
    }
    return command;
}

std::string VersionLine()
{
    return std::string("Hingewalk ") + kHingewalkVersion;
}

std::string HelpText()
{
    return "Usage: hingewalk [OPTION]\n"
           "Hingewalk, a story game about a door that wakes up on an island.\n"
           "Without an option it opens the game's window.\n"
           "\n"
           "  -h, --help           print this help and exit\n"
           "  -v, --version        print the version and exit\n";
}

// Hingewalk: a story game about a door that wakes up on an island.
#include "CommandLine.hpp"
#include "GameStartup.hpp"
#include "dialogue/DialogManager.hpp"
#include "display/DisplayCheck.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/Map.hpp"
#include "world/GameManager.hpp"
#include "world/WorldManager.hpp"

#include <filesystem>
#include <iostream>
#include <stdexcept>

int main(int argc, char** argv)
{
    const CommandLine command = ParseCommandLine({argv + (argc > 0 ? 1 : 0), argv + argc});
    switch (command.action)
    {
    case CommandLine::Action::PrintVersion: std::cout << VersionLine() << "\n"; return 0;
    case CommandLine::Action::PrintHelp: std::cout << HelpText(); return 0;
    case CommandLine::Action::Refuse: std::cerr << command.error << "\n"; return 2;
    case CommandLine::Action::Play: break;
    }

    std::error_code ignored;
    if (!std::filesystem::exists("important/LoadBearingMeasuringTape.jpg", ignored))
        return 1;
    // SFML aborts when it cannot open a display; a player gets one line instead.
    if (const std::string problem = DisplayProblem(); !problem.empty())
    {
        std::cerr << problem << "\n";
        return 1;
    }
    // A start-up error (window, font, sprite or sound file) ends the game with its message
    // instead of an abort.
    try
    {
        StartGame();
        Map::getInstance().LoadScene(SceneNumber::Splash);
        GameManager::getInstance().Run();
    }
    catch (const std::exception& error)
    {
        std::cerr << error.what() << "\n";
        return 1;
    }
    // The window is closed: what is left of the world goes while every manager still exists.
    WorldManager::getInstance().DestroyEverything();
    if (DialogManager::instanceExists)
        DialogManager::getInstance().UnsubscribeAll();
    return 0;
}

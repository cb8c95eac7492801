// Hingewalk: a story game about a door that wakes up on an island.
#include "GameStartup.hpp"
#include "dialogue/DialogManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/Map.hpp"
#include "world/GameManager.hpp"
#include "world/WorldManager.hpp"

#include <filesystem>
#include <iostream>
#include <stdexcept>

int main(int, char**)
{
    std::error_code ignored;
    if (!std::filesystem::exists("important/LoadBearingMeasuringTape.jpg", ignored))
        return 1;
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

// Hingewalk: a story game about a door that wakes up on an island.
#include "dialogue/DialogManager.hpp"
#include "display/DisplayManager.hpp"
#include "engine/GameManager.hpp"
#include "resources/ResourceManager.hpp"
#include "scenes/Map.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/SettingManager.hpp"

#include <filesystem>
#include <iostream>
#include <stdexcept>

namespace
{
void LoadSharedSprites(BigAccessingOfData& data)
{
    data.bridgeSprite = ResourceManager::LoadSprite("sprites/Bridge.txt");
    data.waterSprite = ResourceManager::LoadSprite("sprites/Water.txt");
    data.titleSprite = ResourceManager::LoadSprite("sprites/Title.txt");
    data.islandSprite = ResourceManager::LoadSprite("sprites/Island.txt");
    data.islandTextureSprite = ResourceManager::LoadSprite("sprites/IslandTexture.txt");
    data.settingsSprite = ResourceManager::LoadSprite("sprites/Settings.txt");
    data.doorSprite = ResourceManager::LoadSprite("sprites/Door.txt");
}

// A length that is not a number keeps the default rather than ending the program.
double ReadLoadingLength()
{
    try
    {
        return std::stod(SettingManager::getInstance().Get("Loading Length", "3"));
    }
    catch (const std::exception&)
    {
        return 3.0;
    }
}

int RunGame()
{
    BigAccessingOfData& data = BigAccessingOfData::getInstance();
    GameManager::StartUp();
    SettingManager::getInstance().Load();
    DialogManager::StartUp();
    data.SubscribeInput();

    ResourceManager& resources = ResourceManager::getInstance();
    LoadSharedSprites(data);
    resources.LoadSound("expl", "sfx/explosion.mp3");
    resources.LoadSound("knock", "sfx/knock.mp3");

    DisplayManager::getInstance().cameraHalfHeight = 12.0;
    data.loadingLength = ReadLoadingLength();
    Map::getInstance().LoadScene(SceneNumber::Splash);
    GameManager::getInstance().Run();

    if (DialogManager::instanceExists)
        DialogManager::getInstance().UnsubscribeAll();
    return 0;
}
} // namespace

int main(int, char**)
{
    std::error_code ignored;
    if (!std::filesystem::exists("important/LoadBearingMeasuringTape.jpg", ignored))
        return 1;
    try
    {
        return RunGame();
    }
    catch (const std::exception& error)
    {
        std::cerr << error.what() << "\n";
        return 1;
    }
}

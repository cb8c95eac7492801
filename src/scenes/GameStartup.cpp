#include "scenes/GameStartup.hpp"

#include "dialogue/DialogManager.hpp"
#include "display/DisplayManager.hpp"
#include "engine/GameManager.hpp"
#include "resources/ResourceManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/SettingManager.hpp"

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
} // namespace

void StartGame()
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
}

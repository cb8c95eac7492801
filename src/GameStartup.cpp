#include "GameStartup.hpp"

#include "dialogue/DialogManager.hpp"
#include "display/DisplayManager.hpp"
#include "game/PlayControls.hpp"
#include "resources/ResourceManager.hpp"
#include "scenes/DialogueEndings.hpp"
#include "scenes/SceneBuilders.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/KeyBindings.hpp"
#include "state/SettingManager.hpp"
#include "widgets/KeyboardFocus.hpp"
#include "world/GameManager.hpp"

#include <algorithm>

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
} // namespace

void StartGame()
{
    BigAccessingOfData& data = BigAccessingOfData::getInstance();
    scenes::RegisterCatalogue();
    scenes::RegisterDialogueEndings();
    GameManager::StartUp();
    SettingManager::getInstance().Load();
    KeyBindings::getInstance().Load();
    DialogManager::StartUp();
    // After the dialogue, which takes Space and Enter first.
    KeyboardFocus::StartUp();
    PlayControls::StartUp();

    ResourceManager& resources = ResourceManager::getInstance();
    LoadSharedSprites(data);
    resources.LoadSound("expl", "sfx/explosion.mp3");
    resources.LoadSound("knock", "sfx/knock.mp3");

    DisplayManager::getInstance().cameraHalfHeight = 12.0;
    // A length that is not a number keeps the default rather than ending the program; a
    // negative one would only switch at once anyway.
    data.loadingLength = std::max(0.0, SettingManager::getInstance().GetNumber("Loading Length", 3.0));
}

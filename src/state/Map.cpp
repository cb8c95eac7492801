#include "state/Map.hpp"

#include "resources/ResourceManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/SavedGame.hpp"
#include "state/SettingManager.hpp"
#include "world/WorldManager.hpp"

void Map::BuildScene(std::int32_t n)
{
    if (catalogue)
        catalogue(n);
}

void Map::ClearWorld()
{
    WorldManager::getInstance().MarkAllForDeletion();
    BigAccessingOfData::getInstance().tileCells.clear();
}

void Map::ChangeScene(std::int32_t n)
{
    BigAccessingOfData& data = BigAccessingOfData::getInstance();
    ResourceManager& resources = ResourceManager::getInstance();
    ClearWorld();
    data.currentScene = SceneNumber::Loading;
    data.pendingScene = n;
    BuildScene(SceneNumber::Loading);

    // The controls page is part of the pause page: the game's sounds stay paused, not stopped.
    const bool pausePage = n == SceneNumber::SettingsMenu || n == SceneNumber::Controls;
    if (pausePage && data.resumeScene != SceneNumber::NoGame)
        resources.PauseAll();
    else if (n == SceneNumber::Resume)
        resources.StopAllExceptPaused();
    else
        resources.StopAll();

    resources.LoadSound("DoorOpen", "sfx/door_open.mp3");
    resources.LoadSound("DoorClose", "sfx/door_close.mp3");
    resources.PlaySound("DoorOpen", 50);
}

void Map::LoadScene(std::int32_t n)
{
    BigAccessingOfData& data = BigAccessingOfData::getInstance();
    ClearWorld();
    if (n == SceneNumber::Resume)
    {
        WorldManager::getInstance().RestoreWorld();
        data.currentScene = data.resumeScene;
        ResourceManager::getInstance().ResumePaused();
        return;
    }
    const bool throughLoading = data.currentScene == SceneNumber::Loading;
    if (throughLoading)
        ResourceManager::getInstance().PlaySound("DoorClose", 50);
    if (throughLoading && SavedGame::IsGameScene(n))
    {
        // Written at once: closing the window writes nothing, and Continue must find this scene.
        SavedGame::Now(n).Record();
        SettingManager::getInstance().Save();
    }
    data.currentScene = n;
    BuildScene(n);
}

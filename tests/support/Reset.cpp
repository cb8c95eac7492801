#include "support/Reset.hpp"

#include "dialogue/DialogManager.hpp"
#include "display/DisplayManager.hpp"
#include "display/InputManager.hpp"
#include "engine/world/GameManager.hpp"
#include "engine/world/PhysicsManager.hpp"
#include "engine/world/WorldManager.hpp"
#include "resources/ResourceManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/SettingManager.hpp"

#include <filesystem>

namespace testsupport
{
void ResetSingletons()
{
    if (WorldManager::instanceExists)
        WorldManager::getInstance().DestroyEverything();
    if (GameManager::instanceExists)
    {
        GameManager& game = GameManager::getInstance();
        game.running = false;
        game.tickEvent = EventTick();
        game.lateTickEvent = EventLateTick();
        game.startEvent = EventStart();
    }
    if (PhysicsManager::instanceExists)
    {
        PhysicsManager& physics = PhysicsManager::getInstance();
        physics.outEvent = EventOut();
        physics.collisionEvent = EventCollision();
        physics.delta = 0.0;
    }
    if (InputManager::instanceExists)
    {
        InputManager& input = InputManager::getInstance();
        input.keyboardEvent = EventKeyboard();
        input.mouseEvent = EventMouse();
        input.mousePosition = {};
    }
    if (DisplayManager::instanceExists)
    {
        DisplayManager& display = DisplayManager::getInstance();
        display.cameraPosition = {};
        display.cameraHalfHeight = 10.0;
        display.defocusEvent = EventDefocus();
        display.fullscreenEvent = FullscreenChangeEvent();
    }
    if (BigAccessingOfData::instanceExists)
    {
        BigAccessingOfData& data = BigAccessingOfData::getInstance();
        data.p1MoveX = data.p1MoveY = data.p2MoveX = data.p2MoveY = 0.0;
        data.dialogText.clear();
        data.dialogStartEvent = GEvent("DStart");
        data.tileCells.clear();
        data.ResetRunFlags();
        data.currentScene = data.resumeScene = SceneNumber::NoGame;
        data.dialogNumber = -1;
        data.dialogPage = data.pendingScene = 0;
        data.loadingLength = 3.0;
        data.controlsLocked = false;
    }
    if (DialogManager::instanceExists)
    {
        DialogManager& dialog = DialogManager::getInstance();
        dialog.UnsubscribeAll();
        dialog.revealed = 0;
        dialog.pageComplete = dialog.active = dialog.autoAdvance = false;
        dialog.autoTimer = 0.0;
        dialog.voiceName.clear();
        dialog.dialogBox = dialog.dialogDisplay = dialog.flasher = nullptr;
        dialog.tickCounter = 0;
    }
    if (SettingManager::instanceExists)
    {
        SettingManager& settings = SettingManager::getInstance();
        settings.values.clear();
        settings.path = "important/settings.txt";
    }
    if (ResourceManager::instanceExists)
    {
        ResourceManager& resources = ResourceManager::getInstance();
        resources.StopAll();
        resources.soundVolumes.clear();
        resources.musicVolumes.clear();
        resources.volumeLevels.clear();
    }
    std::error_code ignored;
    std::filesystem::remove("important/settings.txt", ignored);
}
} // namespace testsupport

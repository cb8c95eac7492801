#include "support/Harness.hpp"

#include "dialogue/DialogManager.hpp"
#include "display/DisplayManager.hpp"
#include "display/InputManager.hpp"
#include "resources/ResourceManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/SettingManager.hpp"
#include "world/GameManager.hpp"
#include "world/PhysicsManager.hpp"
#include "world/WorldManager.hpp"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace testsupport
{
ScratchDirectory::ScratchDirectory() : previous(fs::current_path())
{
    std::string pattern = (fs::temp_directory_path() / "hingewalk-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a scratch directory");
    path = pattern;
    const fs::path data = HINGEWALK_GAME_DATA_DIR;
    for (const char* entry : {"sprites", "sfx", "music", "dialog", "font-fixed-v3.ttf", "cool_image.png"})
        if (fs::exists(data / entry))
            fs::create_symlink(data / entry, path / entry);
    fs::create_directory(path / "important");
    std::ofstream(path / "important" / "LoadBearingMeasuringTape.jpg").put('\n');
    fs::current_path(path);
}

ScratchDirectory::~ScratchDirectory()
{
    std::error_code ignored;
    fs::current_path(previous, ignored);
    fs::remove_all(path, ignored);
}

std::string ReadFile(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

void WriteFile(const fs::path& file, const std::string& content)
{
    if (file.has_parent_path())
        fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
}

void ResetWindow(double cameraHalfHeight)
{
    DisplayManager& display = DisplayManager::getInstance();
    if (!display.window.isOpen())
        DisplayManager::StartUp();
    display.SetFullscreen(false);
    display.window.setSize({1280, 720});
    display.ApplyLetterbox(1280, 720);
    display.cameraHalfHeight = cameraHalfHeight;
    display.cameraPosition = {0.0, 0.0};
}

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
    fs::remove("important/settings.txt", ignored);
}
} // namespace testsupport

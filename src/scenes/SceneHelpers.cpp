#include "dialogue/DialogManager.hpp"
#include "dialogue/Triggers.hpp"
#include "resources/ResourceManager.hpp"
#include "scenes/SceneBuilders.hpp"
#include "state/SettingManager.hpp"

namespace scenes
{
WorldPoint GridToWorld(std::int32_t gx, std::int32_t gy)
{
    // Same arithmetic as tile placement, so a tile's position compares equal to its cell's.
    return {(gx * 7) * kCellWidth, (gy * 5) * kCellHeight};
}

void PlaySceneMusic(const std::string& name, const std::string& file)
{
    ResourceManager& resources = ResourceManager::getInstance();
    resources.LoadMusic(name, file);
    resources.PlayMusic(name, 100, true, false);
}

std::string Setting(const std::string& key)
{
    return SettingManager::getInstance().Get(key, "0");
}

std::int32_t IntegerSetting(const std::string& key)
{
    return SettingManager::getInstance().GetInteger(key, 0);
}

void DialogueAt(std::int32_t dialogue, double width, double height, WorldPoint position)
{
    auto* trigger = new DialogTrigger(dialogue, width, height);
    trigger->x = position.x;
    trigger->y = position.y;
}

void StartDialog(std::int32_t dialogue)
{
    DialogManager::getInstance().StartDialog(dialogue);
}

bool KnobThirteenIsDue()
{
    for (int n = 2; n <= 5; ++n)
        if (IntegerSetting("DoorLabel" + std::to_string(n)) != 1)
            return false;
    for (int n = 6; n <= 12; ++n)
        if (Setting("DoorLabel" + std::to_string(n)) != "1")
            return false;
    return Setting("DoorLabel13") == "0";
}
} // namespace scenes

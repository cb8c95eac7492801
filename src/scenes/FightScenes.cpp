// The scenes of the boss fights and the strange fake door (3, 4, 12, 13).
#include "game/DoorCompanions.hpp"
#include "resources/ResourceManager.hpp"
#include "scenes/SceneBuilders.hpp"

namespace scenes
{
// The fight screens themselves (and their pointer objects) are built by the fight code.
void BuildFirstDragonFight()
{
    const bool legacy = IntegerSetting("LegacyAudio") != 0;
    PlaySceneMusic("DragonDeez", legacy ? "music/DragonFightLegacy.mp3" : "music/DragonFight.mp3");
}

void BuildFakeDoorScene()
{
    new FakeDoor2();
    StartDialog(50);
}

void BuildEagleFight()
{
    ResourceManager::getInstance().LoadMusic("Cutscene", "music/Cutscene.mp3");
}

void BuildSecondDragonFight()
{
    PlaySceneMusic("Dragon2", "music/DragonFight2.wav");
}
} // namespace scenes

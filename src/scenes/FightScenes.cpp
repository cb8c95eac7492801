// The scenes of the boss fights and the strange fake door (3, 4, 12, 13). Each fight is a
// pointer for its menu and the fight's root, which brings in everything else.
#include "game/DoorCompanions.hpp"
#include "game/FightScreens.hpp"
#include "resources/ResourceManager.hpp"
#include "scenes/SceneBuilders.hpp"
#include "widgets/Button.hpp"
#include "widgets/MouseFollower.hpp"

namespace scenes
{
void BuildFirstDragonFight()
{
    new MouseFollower();
    new DragonFightObject();
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
    // Registered now, played if the door runs (the cut-scene of dialogue 113).
    ResourceManager::getInstance().LoadMusic("Cutscene", "music/Cutscene.mp3");
    new MouseFollower();
    new EagleFightObject();
}

void BuildSecondDragonFight()
{
    PlaySceneMusic("Dragon2", "music/DragonFight2.wav");
    new MouseFollower();
    new DragonFightWizard();
}
} // namespace scenes

// The scene catalogue: which builder makes each numbered scene.
#include "core/ProcessExit.hpp"
#include "scenes/SceneBuilders.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/Map.hpp"

namespace scenes
{
void BuildScene(std::int32_t n)
{
    switch (n)
    {
    case SceneNumber::Controls: BuildControls(); break;
    case SceneNumber::Splash: BuildSplash(); break;
    case SceneNumber::EndCard: BuildEndCard(); break;
    case SceneNumber::CharacterCreator: BuildCharacterCreator(); break;
    case SceneNumber::Playground: BuildPlayground(); break;
    case SceneNumber::Quit: RequestProcessExit(0); break;
    case SceneNumber::Loading: BuildLoadingScreen(); break;
    case SceneNumber::Credits: BuildCredits(); break;
    case SceneNumber::SettingsMenu: BuildSettingsMenu(); break;
    case SceneNumber::TitleMenu: BuildTitleMenu(); break;
    case 0: BuildHomeIsland(); break;
    case 1: BuildBridge(false); break;
    case 2: BuildVillage(false); break;
    case 3: BuildFirstDragonFight(); break;
    case 4: BuildFakeDoorScene(); break;
    case 5: BuildBridge(true); break;
    case 6: BuildVillage(true); break;
    case 7: BuildTowerApproach(); break;
    case 8: BuildPuzzleRoom(); break;
    case 9: BuildWizardTower(); break;
    case 10: BuildEagleBridge(); break;
    case 11: BuildTowerHall(11); break;
    case 12: BuildEagleFight(); break;
    case 13: BuildSecondDragonFight(); break;
    case 14: BuildTowerHall(14); break;
    case 15: BuildTowerHall(15); break;
    default: break; // any other number is an empty world
    }
}

void RegisterCatalogue()
{
    Map::getInstance().catalogue = &BuildScene;
}
} // namespace scenes

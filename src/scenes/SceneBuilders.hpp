#pragma once

#include "core/Events.hpp"

#include <cstdint>
#include <string>

class GameObject;

// The builders of the numbered scenes, grouped by area, and the small helpers they share.
namespace scenes
{
// The catalogue: builds numbered scene n (any number it does not know is an empty world).
void BuildScene(std::int32_t n);
// Makes Map build its scenes from the catalogue.
void RegisterCatalogue();

// World position of a grid cell (cells are 7 x 5 characters).
WorldPoint GridToWorld(std::int32_t gx, std::int32_t gy);
// Registers a track under `name` and starts it looping from its first real sample.
void PlaySceneMusic(const std::string& name, const std::string& file);
// A setting read with the default "0".
std::string Setting(const std::string& key);
// A setting that must hold an integer; text that is not one counts as the default 0.
std::int32_t IntegerSetting(const std::string& key);
// Whether the title menu awards knob 13: labels 2..12 obtained, 13 not yet.
bool KnobThirteenIsDue();
// A dialogue trigger of width x height standing at `position`.
void DialogueAt(std::int32_t dialogue, double width, double height, WorldPoint position);
void StartDialog(std::int32_t dialogue);

void BuildSplash();
void BuildEndCard();
void BuildPlayground();
void BuildLoadingScreen();
void BuildCredits();
void BuildControls();
void BuildSettingsMenu();
void BuildCharacterCreator();
void BuildTitleMenu();

void BuildHomeIsland();
void BuildVillage(bool afterFight);
void BuildBridge(bool magic);
void BuildEagleBridge();
void BuildTowerApproach();
void BuildPuzzleRoom();
void BuildWizardTower();
void BuildTowerHall(std::int32_t scene);
void BuildFirstDragonFight();
void BuildFakeDoorScene();
void BuildEagleFight();
void BuildSecondDragonFight();
} // namespace scenes

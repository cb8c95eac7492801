// The wizard's tower: the approach (7), the puzzle room (8), the hall with the wizard (9) and
// the long hall of the last scenes (11, 14, 15).
#include "dialogue/Triggers.hpp"
#include "game/DoorCompanions.hpp"
#include "game/KnobGiver.hpp"
#include "game/PlayerDoors.hpp"
#include "game/Props.hpp"
#include "game/Scenery.hpp"
#include "game/Tiles.hpp"
#include "game/WaterTiles.hpp"
#include "scenes/SceneBuilders.hpp"
#include "scenes/TilePlacement.hpp"

namespace scenes
{
namespace
{
// A stone hall from column -4 to `lastColumn`: floor, carpet, walls, rainbow beyond.
void Hall(std::int32_t lastColumn)
{
    for (std::int32_t y = -1; y <= 1; ++y)
        Row<TowerTile>(0, -4, lastColumn, y);
    for (std::int32_t x = -4; x <= lastColumn; ++x)
        new CarpetTile(0, x);
    Row<TowerTile>(5, -4, lastColumn, -2);
    Row<TowerTile>(1, -4, lastColumn, 2);
}

void TowerIsland()
{
    for (std::int32_t y = -10; y <= 2; ++y)
        Row<IslandTile>(0, -3, 3, y);
    Row<IslandTile>(5, -3, 3, -11);
    Row<IslandTile>(1, -3, 3, 3);
    Column<IslandTile>(9, -4, -10, 2);
    Column<IslandTile>(10, 4, -10, 2);
    // The moat in front of the tower, crossed only where the path runs.
    for (std::int32_t x = -7; x <= 6; ++x)
        new WaterTile(x, 2);
    for (std::int32_t x : {-2, -1, 1, 2})
        new WaterTile(x, 1);
}

// clang-format off
constexpr WorldPoint kRocks[] = {
    {6.72, -31.5},  {6.72, -21.0},  {6.72, -10.5},
    {-6.72, -28.0}, {-6.72, -17.5}, {-6.72, -7.0},
    {-4.48, -21.0}, {-4.48, -10.5}, {-4.48, 0.0},
    {4.48, -24.5},  {4.48, -14.0},  {4.48, -3.5},
};
// clang-format on
} // namespace

void BuildTowerApproach()
{
    PlaySceneMusic("PreTower", "music/PreTower.mp3");
    TowerIsland();
    // The tower's doorway leads to the puzzle room.
    At(new SceneTrigger(1.0, 5.0), {0.0, 4.0})->targetScene = 8;
    Column<PathTile>(1, 0, -9, 2);
    new PathTile(3, 0, -10);
    Row<PathTile>(0, 1, 4, -10);
    new IslandTile(3, -4, 3);
    new IslandTile(2, 4, 3);
    new IslandTile(7, -4, -11);
    new IslandTile(6, 4, -11);
    new IslandTile(0, 4, -10);
    Row<BridgeTile>(0, 5, 13, -10);
    for (std::int32_t variant : {0, 1})
        (new Tower(variant))->y += 9.0;
    new WaterTile(13, -10);
    FillRainbow(-10, -15, 15, 8);
    At(new Door(), {24.64, -35.0});

    auto* chicken = new Chicken(0, -6);
    chicken->sprite.frameIndex = 1;
    chicken->sprite.scale = 0.3;
    DialogueAt(83, 20.0, 1.0, {0.0, -24.5});
    DialogueAt(125, 20.0, 1.0, {0.0, -10.5});
    At(new KnobGiver(6), {8.96, 3.5});
    At(new KnobGiver(7), {-8.96, -38.5});
    for (const WorldPoint& rock : kRocks)
        At(new Rock(), rock);
}

void BuildPuzzleRoom()
{
    PlaySceneMusic("Puzzle", "music/PuzzleRoom.mp3");
    auto* door = At(new Door(), {-21.0, -0.5});
    At(new RainbowTile(0, 0), {door->x - 2.6, door->y});
    new DoorFloor();
    for (std::int32_t x = -10; x <= 13; ++x)
        new CarpetTile(0, x);
    FillRainbow(-10, -5, 13, 5);
    auto* bigDoor = new BigDoor(11, 0);
    bigDoor->x += 1.5;
    bigDoor->y += 0.5;
    new PuzzleTrigger();
}

void BuildWizardTower()
{
    PlaySceneMusic("Tower", "music/WizardTower.mp3");
    At(new Door(), {GridToWorld(-2, 0).x, 0.0});
    Hall(20);
    FillRainbow(-5, -5, 20, 5);
    for (std::int32_t i = 0; i <= 2; ++i)
        DialogueAt(87 + i, 1.0, 50.0, {GridToWorld(3 * i - 1, 0).x, 0.0});
    At(new Wizard(), {GridToWorld(8, 0).x, 0.0});
    new WaterTile(16, 0);
}

void BuildTowerHall(std::int32_t scene)
{
    if (scene == 11)
        PlaySceneMusic("Eagle", "music/EaglePrelude.mp3");
    auto* door = At(new Door(), GridToWorld(-3, 0));
    Hall(29);
    FillRainbow(-5, -5, 30, 5);
    // The first knob of all until it is found, then another; it reaches from floor to ceiling.
    auto* reward = At(new KnobGiver(Setting("DoorLabel2") == "0" ? 2 : 10), GridToWorld(11, 0));
    reward->boxHeight = 999.0;

    if (scene == 11)
    {
        At(new EagleNOTAnimated(), {16.0, 0.0});
        new DoorFollower(door);
        DialogueAt(112, 1.0, 20.0, {5.0, 0.0});
    }
    else if (scene == 14)
    {
        new DoorFollower(door);
        StartDialog(115);
    }
    else if (scene == 15)
    {
        PlaySceneMusic("Spooky", "music/PostDragon.mp3");
        door->x = 5.0;
        auto* wizard = At(new Wizard2(), GridToWorld(4, 1));
        At(new VelocityTrigger(wizard, {10.0, 0.0}, 1.0, 20.0), {7.0, 0.0});
        for (std::int32_t variant : {0, 1})
            At(new Grimoire(variant), GridToWorld(17, 1));
        if (Setting("Creator") == "0" && Setting("DoorLabel2") == "0")
            DialogueAt(119, 1.0, 999.0, {GridToWorld(10, 1).x, 0.0});
        DialogueAt(120, 1.0, 20.0, {GridToWorld(15, 1).x, 0.0});
    }
}
} // namespace scenes

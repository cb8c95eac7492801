// The home island (scene 0) and the village island (scenes 2 and 6).
#include "game/KnobGiver.hpp"
#include "game/PlayerDoors.hpp"
#include "game/Props.hpp"
#include "game/Tiles.hpp"
#include "game/WaterTiles.hpp"
#include "scenes/SceneBuilders.hpp"
#include "scenes/TilePlacement.hpp"
#include "widgets/Button.hpp"
#include "widgets/MouseFollower.hpp"
#include "world/WorldManager.hpp"

#include <utility>

namespace scenes
{
namespace
{
void HomeIslandOutline()
{
    // clang-format off
    Cells<IslandTile>( 3, {{-3, 4}, {-1, 3}, {0, 1}, {1, 2}, {3, 4}});
    Cells<IslandTile>( 2, {{-4, 3}, {-3, 0}, {-2, 1}, {-1, 0}, {1, 0}, {2, 1}, {3, 0}, {4, 2}});
    Cells<IslandTile>( 1, {{-5, 3}, {-4, 0}, {4, 0}, {5, 2}});
    Cells<IslandTile>( 0, {{-4, 0}, {4, 0}, {5, 0}});
    Cells<IslandTile>(-1, {{-5, 7}, {-4, 0}, {4, 0}, {5, 6}});
    Cells<IslandTile>(-2, {{-4, 7}, {-3, 0}, {-2, 5}, {-1, 0}, {1, 0}, {2, 5}, {3, 0}, {4, 6}});
    Cells<IslandTile>(-3, {{-3, 8}, {-1, 7}, {0, 5}, {1, 6}, {3, 8}});
    // clang-format on
}

// The first object standing exactly on the cell, if any, leaves the world at once.
void RemoveObjectAt(WorldPoint position)
{
    for (GameObject* object : WorldManager::getInstance().GetAllObjects())
        if (object->x == position.x && object->y == position.y)
        {
            delete object;
            return;
        }
}
} // namespace

void BuildHomeIsland()
{
    PlaySceneMusic("Main", "music/Title.mp3");
    At(new Door(), {-4.0, 0.0});
    // Waking up: four thoughts on the way to the bridge.
    for (const auto& [dialogue, x] : {
             std::pair{0, 5.0 },
             {1, 9.0 },
             {2, 11.0},
             {3, 15.0}
    })
        DialogueAt(dialogue, 1.0, 20.0, {x, 0.0});

    const bool seenEnd = Setting("SeenEnd") == "1";
    new IslandTile(seenEnd ? 12 : 9, -5, 0);
    if (seenEnd)
    {
        auto* marker = new IslandTile(13, -5, 0);
        marker->depth += 1.0;
        marker->sprite.colour = sf::Color(250, 245, 142, 255);
        marker->sprite.background = false;
        DialogueAt(51, 1.0, 1.0, {GridToWorld(-5, 0).x - 0.5, 0.0});
    }

    Row<BridgeTile>(0, 6, 10, 0);
    for (std::int32_t y = -1; y <= 1; ++y)
        Row<IslandTileTexture>(0, -3, 3, y);
    new IslandTileTexture(0, 0, 2);
    new IslandTileTexture(0, 0, -2);
    HomeIslandOutline();
    FillWater(-15, -5, 10, 5);
    DialogueAt(82, 1.0, 5.0, {GridToWorld(-7, 0).x, 0.0});
    At(new KnobGiver(3), GridToWorld(3, 3));
}

void BuildVillage(bool afterFight)
{
    // A pointer for the answer buttons of the village's question.
    new MouseFollower();
    auto* door = new Door();
    if (afterFight)
        At(door, {GridToWorld(3, 3).x, GridToWorld(3, 3).y - 1.5});
    else
        At(door, GridToWorld(-8, -1));
    At(new KnobGiver(4), GridToWorld(5, -1));

    Row<PathTile>(0, -5, 2, -1);
    new PathTile(2, 3, -1);
    Column<PathTile>(1, 3, 0, 2);

    // clang-format off
    Cells<IslandTile>( 2, {{2, 3}, {3, 0}, {4, 2}});
    Cells<IslandTile>( 1, {{1, 3}, {2, 0}, {3, 0}, {4, 0}, {5, 2}});
    Cells<IslandTile>( 0, {{-4, 3}, {-3, 1}, {-2, 1}, {-1, 1}, {0, 1}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 10}});
    Row<IslandTile>(0, -5, 4, -1);
    new IslandTile(6, 5, -1);
    new IslandTile(7, -4, -2);
    Row<IslandTile>(5, -3, 3, -2);
    new IslandTile(6, 4, -2);
    // clang-format on

    Row<BridgeTile>(0, -10, -6, -1);
    (new WaterTile(-9, -1))->x -= 2.4;
    FillWater(-10, -4, 9, 7);
    // The house's doorway: the water the fill put there goes.
    RemoveObjectAt(GridToWorld(3, 3));

    if (afterFight)
        StartDialog(47);
    else
        DialogueAt(44, 1.0, 1.0, {GridToWorld(3, 3).x, GridToWorld(3, 3).y - 0.5});
    for (std::int32_t variant : {0, 1})
        At(new House(variant), {GridToWorld(3, 4).x, GridToWorld(3, 4).y - 2.3});
}
} // namespace scenes

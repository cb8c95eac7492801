// The long bridge (scene 1), the same bridge turned magic (scene 5) and the eagle bridge (10).
#include "game/DoorCompanions.hpp"
#include "game/PlayerDoors.hpp"
#include "game/Scenery.hpp"
#include "game/Tiles.hpp"
#include "game/WaterTiles.hpp"
#include "scenes/SceneBuilders.hpp"
#include "scenes/TilePlacement.hpp"

namespace scenes
{
namespace
{
// Seven rows joined by zig-zag connectors down the right and left ends.
void ZigZagBridge()
{
    for (std::int32_t y = 0; y >= -12; y -= 2)
        Row<BridgeTile>(0, 0, 14, y);
    Row<BridgeTile>(0, -5, -1, 0);
    Row<BridgeTile>(0, 15, 18, -12);
    new WaterTile(19, -12);
    for (std::int32_t k = 0; k <= 2; ++k)
    {
        new BridgeTile(5, 15, -4 * k);
        new BridgeTile(1, 15, -4 * k - 1);
        new BridgeTile(2, 15, -4 * k - 2);
        new BridgeTile(4, -1, -4 * k - 2);
        new BridgeTile(1, -1, -4 * k - 3);
        new BridgeTile(3, -1, -4 * k - 4);
    }
}

// Once the creator is unlocked, a branch leads north to a knob reward.
void SideBranch()
{
    Column<BridgeTile>(1, 7, 1, 5);
    new BridgeTile(5, 7, 6);
    Row<BridgeTile>(0, -3, 6, 6);
    // The knob reward at cell (-3, 6) joins with the cosmetics system.
}
} // namespace

void BuildBridge(bool magic)
{
    const bool legacy = IntegerSetting("LegacyAudio") != 0;
    PlaySceneMusic("Bridge", magic    ? "music/MagicBridge.wav"
                             : legacy ? "music/Bridge.wav"
                                      : "music/Bridge.mp3");
    auto* door = new Door();
    if (magic)
        At(door, GridToWorld(17, -12));
    else
        At(door, {-7.0, 0.0});

    ZigZagBridge();
    const bool branch = !magic && Setting("Creator") == "1";
    if (branch)
        SideBranch();

    if (magic)
        (new WaterTile(19, -12))->x -= 1.0;
    else
        (new WaterTile(-4, 0))->x -= 1.5;

    FillWater(-6, -16, 20, branch ? 10 : 5);
    // The talking bridge's dialogue triggers (4..43, or 52..81 on the magic bridge) line the
    // path; they come with the dialogue system.
    if (magic)
    {
        new Chicken(-2, 0);
        // The trigger that sends this chicken running west comes with the trigger system.
        new WaterToRainbowThing();
    }
}

void BuildEagleBridge()
{
    PlaySceneMusic("Eagle", "music/EaglePrelude.mp3");
    At(new EagleAnimated(), {0.0, 7.0});
    auto* door = At(new Door(), {-2.0, 0.0});
    Row<BridgeTile>(0, -4, 50, 0);
    FillRainbow(-5, -4, 55, 4);
    // Eighteen dialogue triggers (94..111) along the bridge come with the dialogue system.
    new DoorFollower(door);
}
} // namespace scenes

// The long bridge (scene 1), the same bridge turned magic (scene 5) and the eagle bridge (10).
#include "dialogue/Triggers.hpp"
#include "game/DoorCompanions.hpp"
#include "game/KnobGiver.hpp"
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
// A row of 1 x 1 dialogue triggers along the path: dialogues `first` to `last`, at y, from x0
// in steps of `step`.
struct TriggerRow
{
    std::int32_t first, last;
    double y, x0, step;
};

// clang-format off
constexpr TriggerRow kLongBridge[] = {
    {4,  12,   0.0,  0.0,  5.0},
    {12, 16,  -7.0, 30.0, -7.0},
    {17, 23, -14.0,  0.0,  5.0},
    {24, 28, -21.0, 30.0, -7.0},
    {29, 32, -28.0,  0.0,  8.0},
    {33, 37, -35.0, 30.0, -7.0},
    {38, 43, -42.0,  0.0,  5.0},
};
constexpr TriggerRow kMagicBridge[] = {
    {52, 57, -42.0, 25.0, -5.0},
    {58, 61, -35.0,  8.0,  8.0},
    {62, 66, -28.0, 25.0, -5.0},
    {67, 70, -21.0,  8.0,  8.0},
    {71, 75, -14.0, 25.0, -5.0},
    {76, 81,   0.0, 25.0, -5.0},
};
// clang-format on

template <std::size_t N> void TriggerRows(const TriggerRow (&rows)[N])
{
    for (const TriggerRow& row : rows)
        for (std::int32_t n = row.first; n <= row.last; ++n)
            DialogueAt(n, 1.0, 1.0, {row.x0 + row.step * (n - row.first), row.y});
}

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
    At(new KnobGiver(5), GridToWorld(-3, 6));
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
    if (!magic)
    {
        TriggerRows(kLongBridge);
        return;
    }
    TriggerRows(kMagicBridge);
    auto* chicken = new Chicken(-2, 0);
    At(new VelocityTrigger(chicken, {-10.0, 0.0}, 1.0, 1.0), {4.48, -7.0});
    new WaterToRainbowThing();
}

void BuildEagleBridge()
{
    PlaySceneMusic("Eagle", "music/EaglePrelude.mp3");
    At(new EagleAnimated(), {0.0, 7.0});
    auto* door = At(new Door(), {-2.0, 0.0});
    Row<BridgeTile>(0, -4, 50, 0);
    FillRainbow(-5, -4, 55, 4);
    // Zero-width lines across the bridge, about every 2.7 cells.
    for (std::int32_t i = 0; i <= 17; ++i)
    {
        const auto t = static_cast<std::int32_t>(2.7 * i * -1);
        DialogueAt(94 + i, 0.0, 5.0, {GridToWorld(3 - t, 0).x, 0.0});
    }
    new DoorFollower(door);
}
} // namespace scenes

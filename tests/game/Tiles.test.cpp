// Map tiles: the grid, the fills, shaded and pastel water, the change of all water to rainbow,
// and the bridge that grows over the sea.
#include "game/Tiles.hpp"

#include "engine/world/GameManager.hpp"
#include "game/PlayerDoors.hpp"
#include "game/WaterTiles.hpp"
#include "scenes/SceneBuilders.hpp"
#include "state/Map.hpp"
#include "support/GameTest.hpp"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <set>
#include <utility>

using testsupport::CountOfType;

namespace
{
using CellList = std::vector<std::pair<std::int32_t, std::int32_t>>;

template <typename Tile> CellList CellsOf()
{
    CellList cells;
    for (Tile* tile : LiveObjects<Tile>())
        cells.emplace_back(tile->gridX, tile->gridY);
    return cells;
}

// Whether one darkening factor f (0.70..0.99) explains red and green, and a blue shift of
// -10..+29 % on top of it explains blue.
bool IsWaterShade(sf::Color shade, sf::Color base)
{
    for (int k = 70; k <= 99; ++k)
    {
        const double f = k / 100.0;
        if (shade.r != static_cast<std::uint8_t>(base.r * f) ||
            shade.g != static_cast<std::uint8_t>(base.g * f))
            continue;
        for (int shift = -10; shift <= 29; ++shift)
            if (shade.b == std::min(static_cast<int>(base.b * f * (1.0 + shift / 100.0)), 255))
                return shade.a == base.a;
    }
    return false;
}

long WaterInBridgeRow()
{
    long count = 0;
    for (WaterTile* water : LiveObjects<WaterTile>())
        count += water->y == 0.0 && water->x <= -13.44 ? 1 : 0;
    return count;
}
} // namespace

TEST(Tiles, TilesSitOnCellsOfOneSpriteAndTheFillsCoverFreeCellsColumnByColumn)
{
    GameDriver game;
    auto* bridge = new BridgeTile(0, -3, 2);
    EXPECT_EQ(bridge->x, scenes::GridToWorld(-3, 2).x);
    EXPECT_EQ(bridge->y, scenes::GridToWorld(-3, 2).y);

    // One cell is one sprite: a 3 x 2 sprite makes a grid of 3 x 2 characters.
    Data().bridgeSprite = Sprite::FromText("abc\ndef");
    auto* small = new BridgeTile(0, 4, -3);
    auto* neighbour = new BridgeTile(0, 5, -3);
    EXPECT_EQ(small->x, 12 * 0.32);
    EXPECT_EQ(small->y, -6 * 0.7);
    EXPECT_NEAR(neighbour->x - small->x, small->boxWidth, 1e-12) << "neighbours touch";
    testsupport::DestroyWorld();
    Map::getInstance().ClearWorld();
    EXPECT_TRUE(Data().tileCells.empty());

    new IslandTile(0, 0, 0);
    new BridgeTile(0, 2, 1);
    FillWater(3, 1, -2, 0);
    // clang-format off
    const CellList expected = {{-2, 0}, {-2, 1}, {-1, 0}, {-1, 1}, {0, 1}, {1, 0}, {1, 1}, {2, 0}, {3, 0}, {3, 1}};
    // clang-format on
    EXPECT_EQ(CellsOf<WaterTile>(), expected);
    EXPECT_EQ(Data().tileCells.size(), 12u);
    FillRainbow(-2, 1, 3, 0);
    EXPECT_EQ(CountOfType("Rainbow"), 0) << "every cell is taken now";
}

TEST(Tiles, WaterIsShadedWithinItsBoundsRainbowWaterIsPastelAndBothTwinkleOnTime)
{
    GameDriver game;
    const sf::Color base = Data().waterSprite.colour;
    const auto frames = Data().waterSprite.frames.size();
    std::srand(7);
    std::set<std::int32_t> framesSeen;
    int lowest = 255;
    int highest = 0;
    Event& tick = GameManager::getInstance().tickEvent;
    for (int i = 0; i < 300; ++i)
    {
        auto* water = new WaterTile(i, 0);
        ASSERT_TRUE(IsWaterShade(water->sprite.colour, base)) << i;
        ASSERT_LT(water->twinkleTimer, 300);
        framesSeen.insert(water->sprite.frameIndex);
        // One tick with the timer at 1 changes nothing; the next one twinkles.
        water->twinkleTimer = 1;
        water->HandleEvent(tick);
        ASSERT_EQ(water->twinkleTimer, 0);
        water->HandleEvent(tick);
        ASSERT_GE(water->twinkleTimer, 150);
        ASSERT_LT(water->twinkleTimer, 450);
        ASSERT_TRUE(IsWaterShade(water->sprite.colour, base)) << i;

        auto* rainbow = new RainbowTile(i, 1);
        ASSERT_LT(rainbow->twinkleTimer, 200);
        for (int round = 0; round < 2; ++round, rainbow->Twinkle())
            for (std::uint8_t channel :
                 {rainbow->sprite.colour.r, rainbow->sprite.colour.g, rainbow->sprite.colour.b})
            {
                ASSERT_GE(channel, 105);
                lowest = std::min<int>(lowest, channel);
                highest = std::max<int>(highest, channel);
            }
        ASSERT_GE(rainbow->twinkleTimer, 100);
        ASSERT_LT(rainbow->twinkleTimer, 300);
    }
    EXPECT_EQ(framesSeen.size(), frames);
    EXPECT_EQ(*framesSeen.rbegin() + 1, static_cast<std::int32_t>(frames));
    EXPECT_LE(lowest, 110);
    EXPECT_GE(highest, 250);

    // A water sprite of one frame always shows it.
    Data().waterSprite = Sprite::FromText("~ ~");
    auto* plain = new WaterTile(0, 5);
    auto* pastel = new RainbowTile(1, 5);
    for (int round = 0; round < 20; ++round, plain->Twinkle(), pastel->Twinkle())
    {
        ASSERT_EQ(plain->sprite.frameIndex, 0);
        ASSERT_EQ(pastel->sprite.frameIndex, 0);
    }
}

TEST(Tiles, TheMagicBridgeTurnsItsWaterToRainbowEvenlyBetween14AndAHalfAnd15AndAHalfSeconds)
{
    GameDriver game;
    Map::getInstance().LoadScene(5);
    ASSERT_EQ(LiveObjects<WaterToRainbowThing>().size(), 1u);
    const long water = CountOfType("Water");
    const long rainbow = CountOfType("Rainbow");
    ASSERT_GT(water, 300);
    EXPECT_EQ(static_cast<long>(LiveObjects<WaterToRainbowThing>()[0]->waterTiles.size()), water);

    for (int frame = 1; frame <= 250; ++frame)
    {
        game.Frames(1, kStep);
        const double t = std::clamp((frame * kStep - 14.5) / 1.0, 0.0, 1.0);
        const auto converted = static_cast<long>(water * t);
        ASSERT_EQ(CountOfType("Water"), water - converted) << "at " << frame * kStep << " s";
        ASSERT_EQ(CountOfType("Rainbow"), rainbow + converted) << "at " << frame * kStep << " s";
    }
    EXPECT_TRUE(LiveObjects<WaterToRainbowThing>().empty()) << "it leaves once done";

    // With no time to spread over, everything changes on the first tick, cell for cell.
    testsupport::DestroyWorld();
    Map::getInstance().ClearWorld();
    FillWater(0, 0, 2, 1);
    const CellList cells = CellsOf<WaterTile>();
    auto* thing = new WaterToRainbowThing();
    thing->startTime = thing->endTime = 40.0;
    game.Frames(1, kStep);
    EXPECT_EQ(CountOfType("Water"), 0);
    CellList rainbows = CellsOf<RainbowTile>();
    std::sort(rainbows.begin(), rainbows.end());
    EXPECT_EQ(rainbows, cells);
    EXPECT_TRUE(LiveObjects<WaterToRainbowThing>().empty());
}

TEST(Tiles, TheAppearingBridgeClearsTheWaterAtFrameTwoStopsOnFrameFiveAndCarriesTheDoor)
{
    GameDriver game;
    Map::getInstance().LoadScene(0);
    Door* door = LiveObjects<Door>().at(0);
    game.Press(Key::A);
    game.Frames(40, kStep);
    const double blockedAt = door->x;
    ASSERT_GT(blockedAt, -13.0) << "the sea west of the island stops the door";

    // The bridge the quiz builds: fifteen cells west from -6.
    for (std::int32_t i = 0; i < 15; ++i)
        new BridgeAnimatedTile(0, -6 - i);
    BridgeAnimatedTile* first = LiveObjects<BridgeAnimatedTile>().at(0);
    ASSERT_EQ(WaterInBridgeRow(), 10);
    const long water = CountOfType("Water");
    ASSERT_TRUE(game.RunUntil(
        [&]
        {
            EXPECT_EQ(WaterInBridgeRow(), 10);
            EXPECT_EQ(door->x, blockedAt);
            return first->sprite.frameIndex == 2;
        },
        100, kStep));
    game.Frames(1, kStep);
    EXPECT_EQ(WaterInBridgeRow(), 0);
    EXPECT_EQ(CountOfType("Water"), water - 10) << "only the bridge's row goes";
    game.Release(Key::A);

    ASSERT_TRUE(game.RunUntil([&] { return first->sprite.frameIndex == 5; }, 100, kStep));
    game.Frames(40, kStep);
    for (BridgeAnimatedTile* tile : LiveObjects<BridgeAnimatedTile>())
    {
        ASSERT_EQ(tile->sprite.frameIndex, 5);
        ASSERT_EQ(tile->sprite.frameSlowdown, -1);
    }

    game.Press(Key::A);
    double furthest = door->x;
    ASSERT_TRUE(game.RunUntil(
        [&]
        {
            if (Data().currentScene != 0)
                return true;
            furthest = std::min(furthest, door->x);
            return false;
        },
        200, kStep));
    EXPECT_LT(furthest, -30.0);
    EXPECT_EQ(Data().pendingScene, 5) << "the door left the island on its west side";
}

TEST(Tiles, TheVillageHasNoWaterInTheHousesDoorwaySoTheDoorCanStepOutOfIt)
{
    GameDriver game;
    const auto waterAt = [](std::int32_t gx, std::int32_t gy)
    {
        const WorldPoint cell = scenes::GridToWorld(gx, gy);
        long count = 0;
        for (WaterTile* water : LiveObjects<WaterTile>())
            count += water->x == cell.x && water->y == cell.y ? 1 : 0;
        return count;
    };
    Map::getInstance().LoadScene(2);
    EXPECT_EQ(waterAt(3, 3), 0);
    EXPECT_EQ(waterAt(2, 3), 1);
    EXPECT_EQ(waterAt(4, 3), 1);

    Map::getInstance().LoadScene(6);
    game.Frames(1, kStep);
    Door* door = LiveObjects<Door>().at(0);
    const double startY = door->y;
    game.Press(Key::S);
    game.Frames(16, kStep);
    EXPECT_LT(door->y, startY - 3.0) << "the door walks down the path from the doorway";
}

// The change of all water to rainbow. Where tiles sit is seen in every scene's snapshot and
// walked in the story's playthrough; the bridge that grows over the sea is the quiz's (Puzzles).
#include "game/Tiles.hpp"

#include "game/WaterTiles.hpp"
#include "support/GameTest.hpp"

#include <algorithm>
#include <gtest/gtest.h>
#include <utility>

namespace
{
using Cells = std::vector<std::pair<std::int32_t, std::int32_t>>;

template <typename Tile> Cells CellsOf()
{
    Cells cells;
    for (Tile* tile : LiveObjects<Tile>())
        cells.emplace_back(tile->gridX, tile->gridY);
    std::sort(cells.begin(), cells.end());
    return cells;
}
} // namespace

TEST(Tiles, TheRainbowConverterTurnsEveryWaterCellToRainbowEvenlyOverItsSecond)
{
    GameDriver game;
    FillWater(0, 0, 9, 9);
    const Cells cells = CellsOf<WaterTile>();
    new WaterToRainbowThing();
    game.Frames(232, kStep);
    // clang-format off
    for (const auto& [frames, water] : {std::pair{4, 75}, {8, 25}, {4, 0}})
    // clang-format on
    {
        game.Frames(frames, kStep);
        EXPECT_EQ(CountOfType("Water"), water);
    }
    EXPECT_EQ(CellsOf<RainbowTile>(), cells);
    EXPECT_TRUE(LiveObjects<WaterToRainbowThing>().empty()) << "it leaves once done";
}

// The converter collects the water tiles when it is built; one that something else removes
// meanwhile is skipped, not converted from memory that is no longer a tile.
TEST(Tiles, TheRainbowConverterSkipsAWaterTileRemovedBeforeItsTurn)
{
    GameDriver game;
    FillWater(0, 0, 2, 0);
    auto* thing = new WaterToRainbowThing();
    thing->startTime = thing->endTime = 0.0;
    delete LiveObjects<WaterTile>().at(1);
    game.Frames(1, kStep);
    EXPECT_EQ(CountOfType("Rainbow"), 2);
    EXPECT_EQ(CountOfType("Water"), 0);
}

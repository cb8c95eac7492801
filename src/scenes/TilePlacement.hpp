#pragma once

#include "world/GameObject.hpp"

#include <algorithm>
#include <cstdint>
#include <initializer_list>

// One-line helpers so the scene builders read like lists of rows and columns.
namespace scenes
{
// A tile of a listed row: its column and sprite variant.
struct Cell
{
    std::int32_t x;
    std::int32_t variant;
};

// `variant` tiles along row y from column x0 to x1 (inclusive, either order).
template <typename Tile> void Row(std::int32_t variant, std::int32_t x0, std::int32_t x1, std::int32_t y)
{
    for (std::int32_t x = std::min(x0, x1); x <= std::max(x0, x1); ++x)
        new Tile(variant, x, y);
}

// `variant` tiles down column x from row y0 to y1 (inclusive, either order).
template <typename Tile> void Column(std::int32_t variant, std::int32_t x, std::int32_t y0, std::int32_t y1)
{
    for (std::int32_t y = std::min(y0, y1); y <= std::max(y0, y1); ++y)
        new Tile(variant, x, y);
}

// A listed row of tiles with their own variants.
template <typename Tile> void Cells(std::int32_t y, std::initializer_list<Cell> cells)
{
    for (const Cell& cell : cells)
        new Tile(cell.variant, cell.x, y);
}

template <typename Object> Object* At(Object* object, WorldPoint position)
{
    object->x = position.x;
    object->y = position.y;
    return object;
}
} // namespace scenes

#pragma once

#include "world/GameObject.hpp"

#include <cstdint>

// A map tile: one sprite per grid cell, so neighbouring tiles of one sprite size touch.
class TileObject : public GameObject
{
public:
    std::int32_t gridX = 0;
    std::int32_t gridY = 0;

    // Moves the tile onto its cell and records the cell as taken.
    void Place(std::int32_t cellX, std::int32_t cellY);

protected:
    // Copies a shared sprite, shows `frame`, and takes the given look.
    void Dress(const Sprite& shared, std::int32_t frame, bool background);
};

class BridgeTile : public TileObject
{
public:
    BridgeTile(std::int32_t frame, std::int32_t cellX, std::int32_t cellY);
};

// Bridge planks recoloured as a stone path over the ground.
class PathTile : public TileObject
{
public:
    PathTile(std::int32_t frame, std::int32_t cellX, std::int32_t cellY);
};

// A red carpet along row 0 of the halls.
class CarpetTile : public TileObject
{
public:
    CarpetTile(std::int32_t ignored, std::int32_t cellX);
};

class IslandTile : public TileObject
{
public:
    IslandTile(std::int32_t frame, std::int32_t cellX, std::int32_t cellY);
};

// Island tiles in grey stone: the floor and walls of the tower.
class TowerTile : public TileObject
{
public:
    TowerTile(std::int32_t frame, std::int32_t cellX, std::int32_t cellY);
};

class IslandTileTexture : public TileObject
{
public:
    IslandTileTexture(std::int32_t ignored, std::int32_t cellX, std::int32_t cellY);
};

// A bridge segment that grows into place and then clears the water of its row.
class BridgeAnimatedTile : public TileObject
{
public:
    bool waterCleared = false;

    BridgeAnimatedTile(std::int32_t ignored, std::int32_t cellX);
    void HandleEvent(Event& event) override;
};

// The mosaic floor in front of the code door; not on the grid.
class DoorFloor : public TileObject
{
public:
    DoorFloor();
};

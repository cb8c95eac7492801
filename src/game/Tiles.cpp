#include "game/Tiles.hpp"

#include "game/WaterTiles.hpp"
#include "resources/ResourceManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "world/GameManager.hpp"
#include "world/WorldManager.hpp"

void TileObject::Place(std::int32_t cellX, std::int32_t cellY)
{
    gridX = cellX;
    gridY = cellY;
    x = static_cast<std::int32_t>(gridX * sprite.width) * kCellWidth;
    y = static_cast<std::int32_t>(gridY * sprite.height) * kCellHeight;
    type = "Map";
    BigAccessingOfData::getInstance().tileCells.insert(BigAccessingOfData::TileCellKey(gridX, gridY));
}

void TileObject::Dress(const Sprite& shared, std::int32_t frame, bool background)
{
    SetSprite(shared);
    sprite.frameIndex = frame;
    sprite.background = background;
    solidness = Spectral;
}

BridgeTile::BridgeTile(std::int32_t frame, std::int32_t cellX, std::int32_t cellY)
{
    Dress(BigAccessingOfData::getInstance().bridgeSprite, frame, true);
    Place(cellX, cellY);
}

PathTile::PathTile(std::int32_t frame, std::int32_t cellX, std::int32_t cellY)
{
    Dress(BigAccessingOfData::getInstance().bridgeSprite, frame, false);
    sprite.colour = sf::Color(80, 88, 94, 255);
    depth = 1.0;
    Place(cellX, cellY);
}

CarpetTile::CarpetTile(std::int32_t, std::int32_t cellX)
{
    Dress(BigAccessingOfData::getInstance().bridgeSprite, 0, false);
    sprite.colour = sf::Color(79, 29, 22, 255);
    depth = 1.0;
    Place(cellX, 0);
}

IslandTile::IslandTile(std::int32_t frame, std::int32_t cellX, std::int32_t cellY)
{
    Dress(BigAccessingOfData::getInstance().islandSprite, frame, true);
    Place(cellX, cellY);
}

TowerTile::TowerTile(std::int32_t frame, std::int32_t cellX, std::int32_t cellY)
{
    Dress(BigAccessingOfData::getInstance().islandSprite, frame, true);
    sprite.colour = sf::Color(79, 79, 79, 255);
    Place(cellX, cellY);
}

IslandTileTexture::IslandTileTexture(std::int32_t, std::int32_t cellX, std::int32_t cellY)
{
    Dress(BigAccessingOfData::getInstance().islandTextureSprite, 0, true);
    Place(cellX, cellY);
}

BridgeAnimatedTile::BridgeAnimatedTile(std::int32_t, std::int32_t cellX)
{
    Dress(ResourceManager::LoadSprite("sprites/BridgeAppearing.txt"), 0, true);
    sprite.backgroundPerRun = true;
    depth = -1e7;
    Place(cellX, 0);
    GameManager::getInstance().tickEvent.Subscribe(this);
}

void BridgeAnimatedTile::HandleEvent(Event&)
{
    if (!waterCleared && sprite.frameIndex == 2)
    {
        waterCleared = true;
        WorldManager& world = WorldManager::getInstance();
        // The row the bridge grows over, from its start at cell -6 outwards.
        for (GameObject* object : world.GetAllObjects())
            if (dynamic_cast<WaterTile*>(object) != nullptr && object->x <= -13.44 && object->y == 0.0)
                world.MarkForDeletion(object);
    }
    if (sprite.frameIndex == 5)
        sprite.frameSlowdown = -1;
}

DoorFloor::DoorFloor()
{
    Dress(ResourceManager::LoadSprite("sprites/DoorPuzzle.txt"), 0, true);
    sprite.backgroundPerRun = true;
    depth = 5.0;
    x = 2.0;
    y = 0.25;
    sprite.scale = 1.35;
    sprite.backgroundHeight = 0.9;
    sprite.backgroundOffset = -0.8;
}

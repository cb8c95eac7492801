#include "game/WaterTiles.hpp"

#include "state/BigAccessingOfData.hpp"
#include "world/GameManager.hpp"
#include "world/PhysicsManager.hpp"
#include "world/WorldManager.hpp"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace
{
// 105..255: pale enough to read as pastel whatever the three channels roll.
std::uint8_t PastelChannel()
{
    return static_cast<std::uint8_t>(105 + ((std::rand() % 255) * 150 + 150) / 255);
}

template <typename Tile> void Fill(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2)
{
    const auto& taken = BigAccessingOfData::getInstance().tileCells;
    for (std::int32_t gx = std::min(x1, x2); gx <= std::max(x1, x2); ++gx)
        for (std::int32_t gy = std::min(y1, y2); gy <= std::max(y1, y2); ++gy)
            if (taken.count(BigAccessingOfData::TileCellKey(gx, gy)) == 0)
                new Tile(gx, gy);
}
} // namespace

WaterTile::WaterTile(std::int32_t cellX, std::int32_t cellY)
{
    Dress(BigAccessingOfData::getInstance().waterSprite, 0, false);
    solidness = Solid;
    baseColour = sprite.colour;
    Place(cellX, cellY);
    type = "Water";
    GameManager::getInstance().tickEvent.Subscribe(this);
    RollFrame();
    twinkleTimer = std::rand() % 300;
    Shade();
}

void WaterTile::RollFrame()
{
    const auto frames = static_cast<std::int32_t>(sprite.frames.size());
    sprite.frameIndex = frames > 0 ? std::rand() % frames : 0;
}

void WaterTile::Shade()
{
    const double f = (std::rand() % 30 + 70) / 100.0;
    const double blueShift = 1.0 + (std::rand() % 40 - 10) / 100.0;
    sprite.colour.r = static_cast<std::uint8_t>(baseColour.r * f);
    sprite.colour.g = static_cast<std::uint8_t>(baseColour.g * f);
    sprite.colour.b =
        static_cast<std::uint8_t>(std::min(static_cast<int>(baseColour.b * f * blueShift), 255));
    sprite.colour.a = baseColour.a;
}

void WaterTile::HandleEvent(Event&)
{
    if (twinkleTimer-- < 1)
        Twinkle();
}

void WaterTile::Twinkle()
{
    RollFrame();
    twinkleTimer = std::rand() % 300;
    Shade();
    twinkleTimer += twinkleInterval;
}

RainbowTile::RainbowTile(std::int32_t cellX, std::int32_t cellY) : WaterTile(cellX, cellY)
{
    twinkleInterval = 100;
    RollFrame();
    twinkleTimer = std::rand() % 200;
    Pastel();
    type = "Rainbow";
}

void RainbowTile::Pastel()
{
    sprite.colour.r = PastelChannel();
    sprite.colour.g = PastelChannel();
    sprite.colour.b = PastelChannel();
    sprite.colour.a = baseColour.a;
}

void RainbowTile::Twinkle()
{
    RollFrame();
    twinkleTimer = std::rand() % 200;
    Pastel();
    twinkleTimer += twinkleInterval;
}

void FillWater(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2)
{
    Fill<WaterTile>(x1, y1, x2, y2);
}

void FillRainbow(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2)
{
    Fill<RainbowTile>(x1, y1, x2, y2);
}

WaterToRainbowThing::WaterToRainbowThing()
{
    SetSprite(Sprite::Empty());
    solidness = Spectral;
    for (GameObject* object : WorldManager::getInstance().GetAllObjects())
        if (object->type == "Water")
            if (auto* water = dynamic_cast<WaterTile*>(object))
                waterTiles.emplace_back(water);
    for (std::size_t i = waterTiles.size(); i-- > 1;)
        std::swap(waterTiles[i], waterTiles[static_cast<std::size_t>(std::rand()) % (i + 1)]);
    GameManager::getInstance().tickEvent.Subscribe(this);
}

void WaterToRainbowThing::HandleEvent(Event&)
{
    if (done)
        return;
    elapsed += PhysicsManager::getInstance().delta;
    double t = endTime > startTime ? (elapsed - startTime) / (endTime - startTime) : 1.0;
    t = std::clamp(t, 0.0, 1.0);
    const auto count = static_cast<std::int32_t>(waterTiles.size());
    const auto target = static_cast<std::int32_t>(count * t);
    WorldManager& world = WorldManager::getInstance();
    while (converted < target)
    {
        const ObjectRef<WaterTile>& water = waterTiles[static_cast<std::size_t>(converted++)];
        // A tile something else removed in the meantime is no longer ours to convert.
        if (!water.Live())
            continue;
        const std::int32_t cellX = water->gridX;
        const std::int32_t cellY = water->gridY;
        world.MarkForDeletion(water.get());
        new RainbowTile(cellX, cellY);
    }
    if (converted >= count && t >= 1.0)
    {
        done = true;
        world.MarkForDeletion(this);
    }
}

#pragma once

#include "game/Tiles.hpp"

#include <vector>

// Water: blocks the doors, and now and then re-rolls its frame and shade so the sea twinkles.
class WaterTile : public TileObject
{
public:
    std::int32_t twinkleInterval = 150;
    // Counts events (ticks) down to the next twinkle.
    std::int32_t twinkleTimer = 0;
    sf::Color baseColour;

    WaterTile(std::int32_t cellX, std::int32_t cellY);
    void HandleEvent(Event& event) override;
    virtual void Twinkle();

protected:
    void RollFrame();
    void Shade();
};

// Water in random pastel colours.
class RainbowTile : public WaterTile
{
public:
    RainbowTile(std::int32_t cellX, std::int32_t cellY);
    void Twinkle() override;

private:
    void Pastel();
};

// Turns every water tile of the scene into rainbow, in random order at an even rate,
// between 14.5 and 15.5 seconds after it is built.
class WaterToRainbowThing : public GameObject
{
public:
    double elapsed = 0.0;
    double startTime = 14.5;
    double endTime = 15.5;
    std::vector<ObjectRef<WaterTile>> waterTiles;
    std::int32_t converted = 0;
    bool done = false;

    WaterToRainbowThing();
    void HandleEvent(Event& event) override;
};

// Fill every free cell of the rectangle (bounds inclusive, in either order), column by column.
void FillWater(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
void FillRainbow(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);

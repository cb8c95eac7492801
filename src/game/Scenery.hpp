#pragma once

#include "world/GameObject.hpp"

#include <cstdint>

// Scenery that only shows a sprite: the flying and the perched eagle, rocks, the chicken, and
// the Unknown of the fake-door cut-scene.
class EagleAnimated : public GameObject
{
public:
    EagleAnimated();
};

class Rock : public GameObject
{
public:
    Rock();
};

class EagleNOTAnimated : public GameObject
{
public:
    EagleNOTAnimated();
};

class Chicken : public GameObject
{
public:
    // Stands on the grid point (a, b), in tile-sized steps.
    Chicken(std::int32_t a, std::int32_t b);
};

// The being at the centre of the star field in the cut-scene behind the half-opened door.
// Screen-fixed, animating by itself; it goes with the stars (type "KillMe").
class Unknown : public GameObject
{
public:
    Unknown();
};

#pragma once

#include "world/GameObject.hpp"

#include <cstdint>

// Static scenery. Houses and towers come in two layers on one spot: variant 0 behind in a
// light colour, variant 1 in front in a darker one.
class Grimoire : public GameObject
{
public:
    explicit Grimoire(std::int32_t variant);
};

class House : public GameObject
{
public:
    explicit House(std::int32_t variant);
};

class Tower : public GameObject
{
public:
    explicit Tower(std::int32_t variant);
};

// The code door of the puzzle room; removed by type once the code is solved.
class BigDoor : public GameObject
{
public:
    BigDoor(std::int32_t unusedX, std::int32_t unusedY);
};

// The last cut-scene's burst: variant 0 bursts every fake door but the wizard's, variant 1
// only the wizard's, after which the program ends two seconds later.
void BurstFakeDoors(std::int32_t variant);

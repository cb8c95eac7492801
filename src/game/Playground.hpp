#pragma once

#include "world/GameObject.hpp"

// The particle playground (scene -6), behind the credits' names: a caption, a trail of falling
// doors wherever the mouse goes, and the way back to the title.
class Playground : public GameObject
{
public:
    Playground();
};

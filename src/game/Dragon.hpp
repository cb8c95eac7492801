#pragma once

#include "world/GameObject.hpp"

// The dragon of both dragon fights, screen-fixed and bobbing about its home; the cut-scene in
// the tower hall makes one too, posing (its second frame) on the right.
class Dragon : public GameObject
{
public:
    double bobTime = 0.0;
    double homeX = -8.0;
    double homeY = 3.0;
    bool pose = false;

    Dragon();
    void HandleEvent(Event& event) override;
};

// The dragon of the running fight. It reads null once that dragon is destroyed (a scene
// change, the end of the game), so nothing can reach a dragon that is gone.
extern ObjectRef<Dragon> currentDragon;

// Knocks the dragon out: the lying-down picture, and no more bobbing.
void Defeat(Dragon* dragon);

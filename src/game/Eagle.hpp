#pragma once

#include "world/GameObject.hpp"

// The eagle of the eagle fight: it swoops in a figure of eight over the left of the screen
// until the fight stops it. Frozen by the chicken's attack; released by the wizard's spell
// (the end of dialogue 113), after which it turns to rocks and the tower hall follows.
class Eagle : public GameObject
{
public:
    double flapTime = 0.0;
    bool dying = false;
    double deathTimer = 6.0;

    Eagle();
    void HandleEvent(Event& event) override;
    // The spell: back to its perch, rocks in 3 seconds, the hall (scene 14) in 6.
    void Release();
    // Stops still on its perch, for good.
    void Freeze();

private:
    void Swoop();
    void Die();
    bool turnedToRocks = false;
};

// The eagle of the running fight; null otherwise and once it has fallen. It reads null once
// that eagle is destroyed, so nothing can reach an eagle that is gone.
extern ObjectRef<Eagle> currentEagle;

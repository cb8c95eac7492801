#pragma once

#include "world/GameObject.hpp"

#include <cstdint>

// A bobbing, screen-fixed copy of the player's door for menus and fights.
class FakeDoor : public GameObject
{
public:
    double baseY = 0.0;
    double phase = 0.0;

    explicit FakeDoor(double baseHeight);
    void HandleEvent(Event& event) override;
};

// The fake door that stands in for the player in the scene of the strange door (scene 4).
class FakeDoor2 : public FakeDoor
{
public:
    FakeDoor2();
};

// A lilac companion door that trails another object.
class DoorFollower : public GameObject
{
public:
    // What it trails; once that is gone it stays where it last was.
    ObjectRef<GameObject> target;
    double phase = 0.0;

    explicit DoorFollower(GameObject* followed);
    void HandleEvent(Event& event) override;
};

// The wizard of the tower: a lilac door in a pointy hat that can be sent walking off.
class Wizard : public GameObject
{
public:
    bool walkingOff = false;
    bool offscreenPlayed = false;

    Wizard();
    void HandleEvent(Event& event) override;
};

// The wizard of the last scene, who walks away when the player comes near.
class Wizard2 : public GameObject
{
public:
    Wizard2();
    void HandleEvent(Event& event) override;
};

// Mode 0 sends every wizard walking right; mode 1 makes each wizard not yet walking off
// listen for leaving the view.
void WizardCommand(std::int32_t mode);

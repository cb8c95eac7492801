#pragma once

#include "world/GameObject.hpp"

#include <cstdint>

// Invisible boxes in the world that act once when the player's door touches them, then delete
// themselves. Scenes place them along paths (dialogues), at doorways (scene changes), next to
// things that should start moving, and at the code door, whose pair of triggers re-arms itself.
class Trigger : public GameObject
{
public:
    Trigger(double width, double height);
    void HandleEvent(Event& event) override;
    virtual void Activate() = 0;
};

class DialogTrigger : public Trigger
{
public:
    std::int32_t dialogNumber;

    DialogTrigger(std::int32_t dialogue, double width, double height);
    void Activate() override;
};

class SceneTrigger : public Trigger
{
public:
    std::int32_t targetScene = 0;

    SceneTrigger(double width, double height);
    void Activate() override;
};

// Sets an object moving (the chicken running off, the wizard walking ahead).
class VelocityTrigger : public Trigger
{
public:
    // A handle: if the object is gone by the time the door arrives, there is nothing to push.
    ObjectRef<GameObject> target;
    double velocityX;
    double velocityY;

    VelocityTrigger(GameObject* pushed, WorldPoint velocity, double width, double height);
    void Activate() override;
};

// The code door: opens its conversation (and then the code panel) until the code is solved.
// Stepping back to the re-arming trigger behind it makes it ready again.
class PuzzleTrigger : public Trigger
{
public:
    PuzzleTrigger();
    void Activate() override;
};

class PuzzleTriggerTrigger : public Trigger
{
public:
    PuzzleTriggerTrigger();
    void Activate() override;
};

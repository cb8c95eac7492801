#pragma once

#include "world/GameObject.hpp"

class ActionsBar;

// The root of a fight screen: a field of 1,000 tinted stars, the fighters arriving one after
// another, and last the menu (the actions bar with Attack, Item and Run). Each step happens
// once, when the fight's clock first reaches its time. Lives until a scene change clears the
// world.
class FightScreen : public GameObject
{
public:
    ObjectRef<ActionsBar> bar;
    double fightTime = 0.0;

    void HandleEvent(Event& event) override;

protected:
    FightScreen();
    // Runs the entrance steps that are due.
    virtual void Enter() = 0;
};

// A step of an entrance: at `at` seconds, once, as the flag records.
template <typename Screen> struct Entrance
{
    double at;
    bool Screen::*shown;
    void (*show)(FightScreen& screen);
};

// The first dragon fight (scene 3): the door, then the dragon.
class DragonFightObject : public FightScreen
{
public:
    bool dragonShown = false;
    bool menuShown = false;

    DragonFightObject();

protected:
    void Enter() override;
};

// The second dragon fight (scene 13): the door, the wizard, then the dragon.
class DragonFightWizard : public FightScreen
{
public:
    bool dragonShown = false;
    bool menuShown = false;
    bool wizardShown = false;

    DragonFightWizard();

protected:
    void Enter() override;
};

// The eagle fight (scene 12): its music first, then the door, the wizard and the eagle.
class EagleFightObject : public FightScreen
{
public:
    bool eagleShown = false;
    bool menuShown = false;
    bool wizardShown = false;
    bool doorShown = false;

    EagleFightObject();

protected:
    void Enter() override;
};

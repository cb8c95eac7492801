#pragma once

#include "world/GameObject.hpp"

#include <vector>

// A small screen-fixed door that flies off in a random direction, falls and vanishes after
// three seconds: click feedback, bursts and explosions.
class DoorParticle : public GameObject
{
public:
    double age = 0.0;

    DoorParticle();
    void HandleEvent(Event& event) override;
};

// A star on a circular orbit around a screen point; brighter stars turn faster. Removed as a
// group through its type "KillMe".
class OrbitingStar : public GameObject
{
public:
    double angle = 0.0;
    double speed = 0.0;
    double radius = 0.0;

    void HandleEvent(Event& event) override;

protected:
    explicit OrbitingStar(double centreHeight);

private:
    double centreY;
};

// A grey star of the cut-scene, orbiting the screen point (0, 3.7).
class UnknownSpinnerStar : public OrbitingStar
{
public:
    UnknownSpinnerStar();
};

// A tinted star of the fights' backdrops, orbiting the screen point (0, 2.0).
class SpaceEffect : public OrbitingStar
{
public:
    explicit SpaceEffect(sf::Color tint);
};

// Leaves a falling door every 1.3 screen units the mouse travels (at most 8 per move).
class DoorParticleSpawner : public GameObject
{
public:
    double carry = 0.0;
    double lastX = 0.0;
    double lastY = 0.0;

    DoorParticleSpawner();
    void HandleEvent(Event& event) override;
};

// The cut-scene missile: it blows up itself and whatever it hits.
class Missile : public GameObject
{
public:
    Missile(WorldPoint position, WorldPoint velocity);
    void HandleEvent(Event& event) override;
};

// One falling door from the middle of an object's box: the feedback of a menu click.
DoorParticle* DropDoorFrom(const GameObject& source);

// Fifty door particles bursting from an object's place, twice as fast as usual.
std::vector<DoorParticle*> BurstIntoParticles(const GameObject& source);

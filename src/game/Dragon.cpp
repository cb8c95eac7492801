#include "game/Dragon.hpp"

#include "resources/ResourceManager.hpp"
#include "world/GameManager.hpp"
#include "world/PhysicsManager.hpp"

#include <cmath>

ObjectRef<Dragon> currentDragon;

namespace
{
void ScreenFixedOnBlack(GameObject& object, const char* file, double scale)
{
    object.SetSprite(ResourceManager::LoadSprite(file));
    object.sprite.scale = scale;
    object.sprite.followsCamera = false;
    object.sprite.background = object.sprite.backgroundPerRun = true;
}
} // namespace

Dragon::Dragon()
{
    ScreenFixedOnBlack(*this, "sprites/DragonFight.txt", 0.3);
    solidness = Spectral;
    x = homeX;
    y = homeY;
    GameManager::getInstance().tickEvent.Subscribe(this);
}

void Dragon::HandleEvent(Event&)
{
    if (pose)
        sprite.frameIndex = 1;
    bobTime += PhysicsManager::getInstance().delta;
    y = homeY + std::sin(20.0 * bobTime) * 0.25;
    x = homeX + std::sin(13.0 * bobTime) / 7.0;
}

void Defeat(Dragon* dragon)
{
    if (dragon == nullptr)
        return;
    ScreenFixedOnBlack(*dragon, "sprites/DefeatedDragon.txt", 0.5);
    GameManager::getInstance().tickEvent.Unsubscribe(dragon);
    dragon->x = -8.0;
    dragon->y = 2.5;
}

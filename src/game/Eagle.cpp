#include "game/Eagle.hpp"

#include "resources/ResourceManager.hpp"
#include "state/Map.hpp"
#include "world/GameManager.hpp"
#include "world/PhysicsManager.hpp"

#include <cmath>

ObjectRef<Eagle> currentEagle;

namespace
{
constexpr WorldPoint kPerch{-6.0, 1.0};
constexpr double kRocksAfter = 3.0;
constexpr std::int32_t kHallAfterTheFight = 14;
} // namespace

Eagle::Eagle()
{
    SetSprite(ResourceManager::LoadSprite("sprites/Eagle.txt"));
    sprite.scale = 0.4;
    sprite.followsCamera = false;
    sprite.background = sprite.backgroundPerRun = true;
    solidness = Spectral;
    x = kPerch.x;
    y = kPerch.y;
    GameManager::getInstance().tickEvent.Subscribe(this);
}

void Eagle::HandleEvent(Event&)
{
    if (dying)
        Die();
    else
        Swoop();
}

void Eagle::Swoop()
{
    flapTime += PhysicsManager::getInstance().delta;
    y = 3.0 * std::sin(10.0 * flapTime) + 1.0;
    x = 5.0 * std::sin(20.0 * flapTime) - 6.0;
}

void Eagle::Die()
{
    deathTimer -= PhysicsManager::getInstance().delta;
    if (deathTimer <= kRocksAfter && !turnedToRocks)
    {
        turnedToRocks = true;
        SetSprite(ResourceManager::LoadSprite("sprites/Rocks.txt"));
        sprite.scale = 1.6;
        sprite.followsCamera = false;
        sprite.background = sprite.backgroundPerRun = true;
    }
    if (deathTimer > 0.0)
        return;
    dying = false;
    currentEagle = nullptr;
    Map::getInstance().ChangeScene(kHallAfterTheFight);
}

void Eagle::Release()
{
    dying = true;
    deathTimer = 6.0;
    x = kPerch.x;
    y = kPerch.y;
}

void Eagle::Freeze()
{
    GameManager::getInstance().tickEvent.Unsubscribe(this);
    x = kPerch.x;
    y = kPerch.y;
}

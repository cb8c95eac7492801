#include "game/KnobGiver.hpp"

#include "game/Cosmetics.hpp"
#include "state/BigAccessingOfData.hpp"
#include "world/GameManager.hpp"
#include "world/PhysicsManager.hpp"
#include "world/WorldManager.hpp"

#include <cmath>

namespace
{
// Rewards below this exist before the creator is unlocked.
constexpr std::int32_t kFreeRewards = 3;
} // namespace

KnobGiver::KnobGiver(std::int32_t cosmetic) : reward(cosmetic)
{
    if (RewardIsSpent(reward, kFreeRewards))
    {
        WorldManager::getInstance().MarkForDeletion(this);
        return;
    }
    PhysicsManager::getInstance().collisionEvent.Subscribe(this);
    GameManager::getInstance().tickEvent.Subscribe(this);
    SetSprite(BigAccessingOfData::getInstance().doorSprite);
    sprite.frameIndex = reward;
    sprite.scale = 0.6;
    solidness = Soft;
    boxWidth *= 0.6;
    boxHeight *= 0.6;
    sprite.background = sprite.backgroundPerRun = true;
    sprite.backgroundHeight = 0.7;
    sprite.backgroundOffset = -0.5;
    depth = 90;
}

void KnobGiver::HandleEvent(Event& event)
{
    const std::string name = event.GetName();
    if (name == "Tick")
    {
        Bob();
        return;
    }
    if (name != "Collision")
        return;
    const auto& collision = static_cast<const EventCollision&>(event);
    const bool mine = collision.first == this || collision.second == this;
    const bool player = (collision.first != nullptr && collision.first->type == "Player") ||
                        (collision.second != nullptr && collision.second->type == "Player");
    if (!mine || !player)
        return;
    new Obtains(reward);
    WorldManager::getInstance().MarkForDeletion(this);
}

void KnobGiver::Bob()
{
    // The builder places the giver after making it, so home is where the first tick finds it.
    if (!started)
    {
        homeX = x;
        homeY = y;
        started = true;
    }
    bobTime += PhysicsManager::getInstance().delta;
    x = homeX;
    y = homeY + std::sin(3.0 * bobTime) / 7.0;
}

#include "dialogue/Triggers.hpp"

#include "dialogue/DialogManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/Map.hpp"
#include "world/PhysicsManager.hpp"
#include "world/WorldManager.hpp"

namespace
{
constexpr double kPuzzleX = 24.64;
constexpr double kRearmX = 17.92;
constexpr double kPuzzleSize = 5.0;
} // namespace

Trigger::Trigger(double width, double height)
{
    SetSprite(Sprite::Empty());
    boxWidth = width;
    boxHeight = height;
    solidness = Soft;
    type = "Trigger";
    PhysicsManager::getInstance().collisionEvent.Subscribe(this);
}

void Trigger::HandleEvent(Event& event)
{
    if (event.GetName() != "Collision")
        return;
    const auto& collision = static_cast<const EventCollision&>(event);
    const auto isPlayer = [](const GameObject* object)
    { return object != nullptr && object->type == "Player"; };
    if (!isPlayer(collision.first) && !isPlayer(collision.second))
        return;
    if (collision.first != this && collision.second != this)
        return;
    WorldManager::getInstance().MarkForDeletion(this);
    Activate();
}

DialogTrigger::DialogTrigger(std::int32_t dialogue, double width, double height)
    : Trigger(width, height), dialogNumber(dialogue)
{
}

void DialogTrigger::Activate()
{
    DialogManager::getInstance().StartDialog(dialogNumber);
}

SceneTrigger::SceneTrigger(double width, double height) : Trigger(width, height)
{
}

void SceneTrigger::Activate()
{
    Map::getInstance().ChangeScene(targetScene);
}

VelocityTrigger::VelocityTrigger(GameObject* pushed, WorldPoint velocity, double width, double height)
    : Trigger(width, height), target(pushed), velocityX(velocity.x), velocityY(velocity.y)
{
}

void VelocityTrigger::Activate()
{
    if (GameObject* pushed = target.get())
    {
        pushed->velocityX = velocityX;
        pushed->velocityY = velocityY;
    }
}

PuzzleTrigger::PuzzleTrigger() : Trigger(kPuzzleSize, kPuzzleSize)
{
    x = kPuzzleX;
}

void PuzzleTrigger::Activate()
{
    BigAccessingOfData& data = BigAccessingOfData::getInstance();
    if (data.codeSolved)
        return;
    new PuzzleTriggerTrigger();
    if (data.codeIntroSeen)
        DialogManager::getInstance().StartDialog(85);
    else
    {
        data.codeIntroSeen = true;
        DialogManager::getInstance().StartDialog(84);
    }
}

PuzzleTriggerTrigger::PuzzleTriggerTrigger() : Trigger(kPuzzleSize, kPuzzleSize)
{
    x = kRearmX;
}

void PuzzleTriggerTrigger::Activate()
{
    new PuzzleTrigger();
}

#include "game/DoorCompanions.hpp"

#include "dialogue/Triggers.hpp"
#include "game/PlayerDoors.hpp"
#include "resources/ResourceManager.hpp"
#include "state/SettingManager.hpp"
#include "world/GameManager.hpp"
#include "world/PhysicsManager.hpp"
#include "world/WorldManager.hpp"

#include <cmath>

namespace
{
const sf::Color kWizardColour(243, 207, 252, 255);

bool SecondDoorExists()
{
    for (GameObject* object : WorldManager::getInstance().GetAllObjects())
        if (object->type == "Player2")
            return true;
    return false;
}

void MakeScreenFixedSecondDoor(GameObject* leader)
{
    auto* second = new SecondDoor(leader);
    second->sprite.followsCamera = false;
}

// The lilac door look shared by the wizards.
void DressAsWizard(GameObject& object)
{
    object.SetSprite(ResourceManager::LoadSprite("sprites/Door.txt"));
    object.sprite.colour = kWizardColour;
    object.sprite.background = true;
    object.sprite.backgroundPerRun = true;
    object.boxHeight -= 2.0;
    object.boxOffsetY -= 0.5;
    object.depth = 99;
    object.sprite.backgroundHeight = 1.0;
    object.sprite.backgroundOffset = -0.15;
    object.sprite.frameIndex = 13;
    object.type = "Wizard";
}

bool SolidCollisionAsMover(Event& event, const GameObject* self)
{
    if (event.GetName() != "Collision")
        return false;
    const auto& collision = static_cast<const EventCollision&>(event);
    return collision.first == self && collision.second != nullptr && self->solidness == Solid &&
           collision.second->solidness == Solid;
}
} // namespace

FakeDoor::FakeDoor(double baseHeight) : baseY(baseHeight)
{
    SetSprite(ResourceManager::LoadSprite("sprites/Door.txt"));
    sprite.colour = PlayerColour();
    sprite.background = true;
    y = baseY;
    sprite.scale = 1.3;
    sprite.frameIndex = ReadDoorDesign(1);
    sprite.followsCamera = false;
    type = "FakeDoor";
    GameManager::getInstance().tickEvent.Subscribe(this);
    if (MultiplayerOn() && !SecondDoorExists())
        MakeScreenFixedSecondDoor(this);
}

void FakeDoor::HandleEvent(Event&)
{
    phase += PhysicsManager::getInstance().delta;
    y = baseY + std::sin(1.5 * phase) / 5.0;
}

FakeDoor2::FakeDoor2() : FakeDoor(0.0)
{
    baseY = 3.0;
    y = 3.0;
    type = "FakeDoor2";
    if (MultiplayerOn())
        MakeScreenFixedSecondDoor(this);
}

DoorFollower::DoorFollower(GameObject* followed) : target(followed)
{
    SetSprite(ResourceManager::LoadSprite("sprites/Door.txt"));
    sprite.background = true;
    sprite.backgroundPerRun = true;
    sprite.frameIndex = 13;
    sprite.colour = kWizardColour;
    if (followed != nullptr)
    {
        x = followed->x - 1.0;
        y = followed->y - 0.8;
    }
    depth = 9999999;
    solidness = Soft;
    GameManager::getInstance().lateTickEvent.Subscribe(this);
}

void DoorFollower::HandleEvent(Event&)
{
    if (!target)
        return;
    phase += PhysicsManager::getInstance().delta;
    y = target->y - 0.25 * std::sin(2.0 * phase) + 0.8;
    x = target->x - std::sin(3.0 * phase) / 7.0 - 2.0;
    const bool targetMoving = target->velocityX != 0.0 || target->velocityY != 0.0;
    sprite.frameIndex = targetMoving ? 14 : 13;
}

Wizard::Wizard()
{
    DressAsWizard(*this);
    GameManager::getInstance().lateTickEvent.Subscribe(this);
    PhysicsManager::getInstance().collisionEvent.Subscribe(this);
    ResourceManager::getInstance().LoadSound("Offscreen", "sfx/door_open.mp3");
}

void Wizard::HandleEvent(Event& event)
{
    const std::string name = event.GetName();
    if (SolidCollisionAsMover(event, this))
    {
        velocityX = velocityY = 0.0;
        // Where the wizard stops, his long talk with the door waits for it.
        (new DialogTrigger(90, 1.0, 50.0))->x = 26.88;
    }
    else if (name == "LateTick")
    {
        sprite.frameIndex = velocityX != 0.0 || velocityY != 0.0 ? 14 : 13;
    }
    else if (name == "Out" && static_cast<EventOut&>(event).object == this && !offscreenPlayed)
    {
        offscreenPlayed = true;
        ResourceManager::getInstance().PlaySound("Offscreen", 100);
    }
}

Wizard2::Wizard2()
{
    DressAsWizard(*this);
    PhysicsManager::getInstance().collisionEvent.Subscribe(this);
}

void Wizard2::HandleEvent(Event& event)
{
    if (SolidCollisionAsMover(event, this))
        velocityX = velocityY = 0.0;
}

void WizardCommand(std::int32_t mode)
{
    for (GameObject* object : WorldManager::getInstance().GetAllObjects())
    {
        auto* wizard = dynamic_cast<Wizard*>(object);
        if (wizard == nullptr)
            continue;
        if (mode == 0)
        {
            wizard->velocityX = 10.0;
            wizard->velocityY = 0.0;
        }
        else if (mode == 1 && !wizard->walkingOff)
        {
            wizard->walkingOff = true;
            PhysicsManager::getInstance().outEvent.Subscribe(wizard);
        }
    }
}

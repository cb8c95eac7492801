#include "widgets/MouseFollower.hpp"

#include "dialogue/DialogManager.hpp"
#include "display/DisplayManager.hpp"
#include "display/InputManager.hpp"
#include "resources/ResourceManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "world/GameManager.hpp"
#include "world/PhysicsManager.hpp"

MouseFollower::MouseFollower()
{
    SetSprite(Sprite::Empty());
    boxWidth = boxHeight = 0.1;
    velocityY = 0.01;
    solidness = Soft;
    sprite.followsCamera = false;
    GameManager::getInstance().tickEvent.Subscribe(this);
    GameManager::getInstance().lateTickEvent.Subscribe(this);
    PhysicsManager::getInstance().collisionEvent.Subscribe(this);
    InputManager::getInstance().mouseEvent.Subscribe(this);
}

void MouseFollower::HandleEvent(Event& event)
{
    const std::string name = event.GetName();
    if (name == "Tick")
    {
        target = nullptr;
        const WorldPoint mouse = InputManager::getInstance().mousePosition;
        x = mouse.x * DisplayManager::getInstance().ScreenUnitsPerWorldUnit();
        y = mouse.y * DisplayManager::getInstance().ScreenUnitsPerWorldUnit();
    }
    else if (name == "Collision")
    {
        const auto& collision = static_cast<const EventCollision&>(event);
        if (collision.first != this && collision.second != this)
            return;
        GameObject* other = collision.first == this ? collision.second : collision.first;
        if (auto* button = dynamic_cast<Button*>(other))
            button->hovered = true;
        if (auto* clickable = dynamic_cast<ButtonBase*>(other))
            target = clickable;
    }
    else if (name == "Mouse")
    {
        const auto& mouse = static_cast<const EventMouse&>(event);
        if (mouse.action == InputManager::Pressed && mouse.button == sf::Mouse::Button::Left)
            Click();
    }
}

void MouseFollower::Click()
{
    ButtonBase* clicked = target.get();
    if (clicked == nullptr)
        return;
    // The press that ends a dialogue belongs to it, even though the dialogue is over by now.
    const bool talking =
        BigAccessingOfData::getInstance().dialogNumber != -1 || DialogManager::getInstance().pressTaken;
    if (!clicked->activeDuringDialog && talking)
        return;
    target = nullptr;
    clicked->OnClick();
    if (BigAccessingOfData::getInstance().currentScene != SceneNumber::Loading)
        ResourceManager::getInstance().PlaySound("knock", 40);
}

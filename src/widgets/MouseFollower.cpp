#include "widgets/MouseFollower.hpp"

#include "dialogue/DialogManager.hpp"
#include "display/DisplayManager.hpp"
#include "display/InputManager.hpp"
#include "resources/ResourceManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "widgets/KeyboardFocus.hpp"
#include "widgets/Slider.hpp"
#include "world/GameManager.hpp"
#include "world/PhysicsManager.hpp"

#include <algorithm>

namespace
{
bool HasHighlightFrame(const ButtonBase& focused)
{
    const auto* button = dynamic_cast<const Button*>(&focused);
    return button != nullptr && button->hoverFrame != button->normalFrame &&
           static_cast<std::size_t>(button->hoverFrame) < button->sprite.frames.size();
}
} // namespace

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
        if (mouse.action == InputManager::Moved)
            KeyboardFocus::getInstance().HandToPointer();
        if (mouse.action == InputManager::Pressed && mouse.button == sf::Mouse::Button::Left)
            Click();
    }
}

void MouseFollower::Click()
{
    ButtonBase* clicked = target.get();
    if (clicked == nullptr)
        return;
    if (PressButton(*clicked))
        target = nullptr;
}

void MouseFollower::Draw()
{
    const KeyboardFocus& focus = KeyboardFocus::getInstance();
    const ButtonBase* focused = focus.LitThisFrame();
    if (focused == nullptr || !DisplayManager::started || HasHighlightFrame(*focused))
        return;
    // Arrows on both sides of the focused button, which has no highlight of its own.
    // They go round all of it: the picture, the click box (a toggle's sits beside its label) and
    // a slider's label.
    const double drawnHalf = focused->sprite.width * kCellWidth * focused->sprite.scale / 2.0;
    double left =
        std::min(focused->x - drawnHalf, focused->x + focused->boxOffsetX - focused->boxWidth / 2.0);
    const double right =
        std::max(focused->x + drawnHalf, focused->x + focused->boxOffsetX + focused->boxWidth / 2.0);
    if (const auto* slider = dynamic_cast<const Slider*>(focused))
        left -= (static_cast<double>(slider->key.size()) + 1.0) * kCellWidth * slider->scale;
    WorldPoint at{0.0, focused->y + focused->boxOffsetY};
    DisplayManager& display = DisplayManager::getInstance();
    const double units = focused->sprite.followsCamera ? display.ScreenUnitsPerWorldUnit() : 1.0;
    const WorldPoint origin = focused->sprite.followsCamera ? display.cameraPosition : WorldPoint{};
    at.y = (at.y - origin.y) * units;
    const double gap = kCellWidth * 1.5;
    const sf::Color marker(255, 236, 120);
    DisplayManager::DrawScreenText({(left - origin.x) * units - gap, at.y}, ">", marker, kScreenHalfHeight,
                                   true);
    DisplayManager::DrawScreenText({(right - origin.x) * units + gap, at.y}, "<", marker, kScreenHalfHeight,
                                   true);
}

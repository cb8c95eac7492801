#include "menus/Creator.hpp"

#include "display/DisplayManager.hpp"
#include "game/Cosmetics.hpp"
#include "game/DoorCompanions.hpp"
#include "resources/ResourceManager.hpp"
#include "state/SettingManager.hpp"
#include "widgets/MouseFollower.hpp"
#include "widgets/NavigationButtons.hpp"
#include "widgets/Slider.hpp"
#include "world/WorldManager.hpp"

#include <algorithm>

namespace
{
template <typename Change> void EveryFakeDoor(Change change)
{
    for (GameObject* object : WorldManager::getInstance().GetAllObjects())
        if (auto* door = dynamic_cast<FakeDoor*>(object))
            change(*door);
}
} // namespace

CreatorObject::CreatorObject()
{
    new MouseFollower();
    SetSprite(Sprite::Empty());
    sprite.followsCamera = false;
    new CreatorTitle();
    auto* preview = new FakeDoor(1.0);
    preview->sprite.scale = 1.5;
    for (std::int32_t knob = 1; knob <= 12; ++knob)
        if (IsKnobOwned(knob))
            new DoorButton(knob);
    if (IsKnobOwned(13))
    {
        auto* wizard = new DoorButton(13);
        wizard->x = -12.0;
        wizard->y = -3.5;
    }
    new TitleButton();
    auto* hue = new HueSlider();
    hue->y = -7.5;
    hue->Announce();
}

CreatorTitle::CreatorTitle()
{
    SetSprite(ResourceManager::LoadSprite("sprites/CharacterCreatorTitle.txt"));
    sprite.followsCamera = false;
    y = 7.0;
}

HueSlider::HueSlider() : Slider("Hue", 0.0, 360.0, 0.0, 1.0)
{
}

void HueSlider::OnValueChanged(double newValue)
{
    const sf::Color colour = HueColour(newValue);
    EveryFakeDoor([colour](FakeDoor& door) { door.sprite.colour = colour; });
}

DoorButton::DoorButton(std::int32_t style) : knob(style)
{
    const std::int32_t row = (style - 1) / 6;
    DressButton(*this, "sprites/KnobButton.txt", {3.0 * (style - 1) - 18.0 * row - 8.0, -2.0 - 3.0 * row},
                1.0, 1.0, 1.0);
}

void DoorButton::Draw()
{
    GameObject::Draw();
    DisplayManager::DrawScreenText({x, y}, KnobName(knob), sf::Color::White);
}

void DoorButton::OnClick()
{
    const std::int32_t frame = std::max(0, knob);
    EveryFakeDoor([frame](FakeDoor& door) { door.sprite.frameIndex = frame; });
    SettingManager::getInstance().Set("DKS", std::to_string(knob));
}

#include "game/Cosmetics.hpp"

#include "display/DisplayManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/SettingManager.hpp"
#include "world/GameManager.hpp"
#include "world/PhysicsManager.hpp"
#include "world/WorldManager.hpp"

#include <algorithm>
#include <cmath>

namespace
{
// clang-format off
const char* const kKnobNames[] = {
    "",  "'", "I", "|", "X", "*", "o", "[", "~", "Panel", ":)", "._.", "UwU", "Wizard",
};
// clang-format on

std::string Label(std::int32_t knob)
{
    return "DoorLabel" + std::to_string(knob);
}
} // namespace

bool IsKnobOwned(std::int32_t knob)
{
    if (knob == 1)
        return true;
    if (knob < 2 || knob > 14)
        return false;
    return SettingManager::getInstance().GetInteger(Label(knob), 0) != 0;
}

std::string KnobName(std::int32_t knob)
{
    return knob >= 1 && knob <= 13 ? kKnobNames[knob] : "";
}

bool RewardIsSpent(std::int32_t cosmetic, std::int32_t freeBelow)
{
    const SettingManager& settings = SettingManager::getInstance();
    if (cosmetic >= freeBelow && settings.Get("Creator", "0") == "0")
        return true;
    return settings.Get(Label(cosmetic), "0") == "1";
}

Obtains::Obtains(std::int32_t cosmetic)
{
    SettingManager& settings = SettingManager::getInstance();
    settings.Set("Creator", "1");
    settings.Set(Label(cosmetic), "1");
    settings.Save();
    GameManager::getInstance().tickEvent.Subscribe(this);
    depth = 548543435892332.0;
    solidness = Spectral;
    SetSprite(Sprite::Empty());
    const std::vector<std::string>& frames = BigAccessingOfData::getInstance().doorSprite.frames;
    if (cosmetic >= 0 && static_cast<std::size_t>(cosmetic) < frames.size())
        knobPicture = frames[static_cast<std::size_t>(cosmetic)];
}

void Obtains::HandleEvent(Event&)
{
    age += PhysicsManager::getInstance().delta;
    fade = age > 2.0 ? 3.0 - age : age > 1.0 ? 1.0 : age;
    if (age >= 3.0)
        WorldManager::getInstance().MarkForDeletion(this);
}

void Obtains::Draw()
{
    const double e = (1.0 - std::pow(1.0 - fade, 4)) * 0.9;
    const double h = (1.0 - e) * 20.0;
    const auto alpha = static_cast<std::uint8_t>(std::clamp(fade * 255.0, 0.0, 255.0));
    const sf::Color colour(255, 255, 255, alpha);
    DisplayManager::DrawScreenText({x, y + 0.7}, "Obtained Cosmetic", colour, h);
    DisplayManager::DrawScreenText({x, y - 0.7}, knobPicture, colour, 2.0 * h);
}

ButtonKnobGiver::ButtonKnobGiver(std::int32_t cosmetic) : reward(cosmetic)
{
    if (RewardIsSpent(cosmetic, 0))
    {
        WorldManager::getInstance().MarkForDeletion(this);
        return;
    }
    SetSprite(BigAccessingOfData::getInstance().doorSprite);
    sprite.frameIndex = normalFrame = hoverFrame = cosmetic;
    activeDuringDialog = true;
    sprite.scale = 0.6;
    solidness = Soft;
    boxWidth *= 0.6;
    boxHeight *= 0.6;
    sprite.followsCamera = false;
    sprite.background = sprite.backgroundPerRun = true;
    sprite.backgroundHeight = 0.7;
    sprite.backgroundOffset = -0.5;
}

void ButtonKnobGiver::OnClick()
{
    new Obtains(reward);
    WorldManager::getInstance().MarkForDeletion(this);
}

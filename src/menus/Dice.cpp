#include "menus/Dice.hpp"

#include "display/DisplayManager.hpp"
#include "game/Effects.hpp"
#include "resources/ResourceManager.hpp"
#include "state/SettingManager.hpp"
#include "world/WorldManager.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace
{
const char* const kTracks[] = {"Dialogue Volume", "Music Volume", "SFX Volume"};
constexpr std::int32_t kMostDice = 16;
const sf::Color kHeld(255, 0, 30);
const sf::Color kLetGo(130, 85, 33);

} // namespace

DiceManager::DiceManager()
{
    SetSprite(Sprite::Empty());
    sprite.followsCamera = false;
    focusable = false;
    LoadTrack();
    LoadVolume();
    UpdateLabel();
    ShowVolume();
}

const char* DiceManager::TrackName() const
{
    return kTracks[std::clamp(track, 1, 3) - 1];
}

void DiceManager::LoadTrack()
{
    const std::string chosen = SettingManager::getInstance().Get("Track", "Dialogue Volume");
    track = 1;
    for (std::int32_t i = 0; i < 3; ++i)
        if (chosen == kTracks[i])
        {
            track = i + 1;
            break;
        }
}

void DiceManager::LoadVolume()
{
    const double stored = SettingManager::getInstance().GetNumber(TrackName(), 96.0);
    volume = static_cast<std::int32_t>(std::clamp(std::trunc(stored), 1.0, 96.0));
}

void DiceManager::UpdateLabel()
{
    label = "  Volume : " + SettingManager::getInstance().Get(TrackName(), "96") + "\nRoll to update!";
}

void DiceManager::ShowVolume()
{
    for (std::int32_t i = diceCount + 1; i > 0; --i)
        RemoveDie();
    const std::int32_t n = (volume + 5) / 6;
    for (std::int32_t i = 0; i < n; ++i)
        AddDie(volume / n + (i < volume % n ? 1 : 0));
}

void DiceManager::AddDie(std::int32_t face)
{
    if (diceCount >= kMostDice)
        return;
    auto* die = new Dice(face);
    // Four to a row, filling from the bottom row up.
    const std::int32_t column = diceCount % 4;
    const std::int32_t row = (15 - diceCount) / 4;
    die->x = column * 2.4 + 5.5;
    die->y = row * 2.4 - 3.5;
    dice[static_cast<std::size_t>(diceCount++)] = die;
}

void DiceManager::RemoveDie()
{
    if (diceCount <= 0)
        return;
    Dice*& slot = dice[static_cast<std::size_t>(--diceCount)];
    WorldManager::getInstance().MarkForDeletion(slot);
    slot = nullptr;
}

std::int32_t DiceManager::Roll()
{
    volume = 0;
    for (Dice* die : dice)
    {
        if (die == nullptr)
            continue;
        if (!die->held)
            die->sprite.frameIndex = die->value = std::rand() % 6 + 1;
        volume += die->value;
    }
    SettingManager::getInstance().Set(TrackName(), std::to_string(volume));
    UpdateLabel();
    return volume;
}

Dice::Dice(std::int32_t face) : value(face)
{
    SetSprite(ResourceManager::LoadSprite("sprites/Dice.txt"));
    sprite.frameIndex = face;
    sprite.scale = 0.9;
    boxWidth *= 0.9;
    boxHeight *= 0.9;
    sprite.followsCamera = false;
    depth = -2.0;
}

void Dice::OnClick()
{
    held = !held;
    sprite.colour = held ? kHeld : kLetGo;
    DropDoorFrom(*this);
}

DiceManagerButton::DiceManagerButton(DiceManager* owner, const char* spriteFile, WorldPoint at, double scale)
    : manager(owner)
{
    // The click area covers the button as drawn.
    DressButton(*this, spriteFile, at, scale, scale, scale);
}

void DiceManagerButton::OnClick()
{
    if (DiceManager* selector = manager.get())
        Act(*selector);
    DropDoorFrom(*this);
}

AddButton::AddButton(DiceManager* owner)
    : DiceManagerButton(owner, "sprites/AddButton.txt", {11.5, 5.825}, 0.8)
{
}

void AddButton::Act(DiceManager& selector)
{
    selector.AddDie(0);
}

SubtractButton::SubtractButton(DiceManager* owner)
    : DiceManagerButton(owner, "sprites/MinusButton.txt", {13.0, 5.825}, 0.8)
{
}

void SubtractButton::Act(DiceManager& selector)
{
    selector.RemoveDie();
}

RollButton::RollButton(DiceManager* owner)
    : DiceManagerButton(owner, "sprites/RollButton.txt", {6.0, 5.825}, 0.8)
{
}

void RollButton::Act(DiceManager& selector)
{
    selector.Roll();
}

void RollButton::Draw()
{
    GameObject::Draw();
    if (const DiceManager* selector = manager.get())
        DisplayManager::DrawScreenText({9.0, 8.0}, selector->label, sf::Color::White);
}

TrackButton::TrackButton(DiceManager* owner)
    : DiceManagerButton(owner, "sprites/TrackButton.txt", {6.0, -6.0}, 1.0)
{
}

void TrackButton::Act(DiceManager& selector)
{
    selector.track = selector.track % 3 + 1;
    SettingManager::getInstance().Set("Track", selector.TrackName());
    selector.LoadVolume();
    selector.UpdateLabel();
    selector.ShowVolume();
}

void TrackButton::Draw()
{
    GameObject::Draw();
    if (const DiceManager* selector = manager.get())
        DisplayManager::DrawScreenText({11.0, -6.0}, selector->TrackName(), sf::Color::White);
}

KeyButton::KeyButton()
{
    DressButton(*this, "sprites/DoorKey.txt", {9.2, 0.5}, 0.8, 1.0, 1.0);
    focusable = false;
    depth = 10.0;
    sprite.background = sprite.backgroundPerRun = true;
    // Only the key's bow, high above its middle, answers the mouse.
    boxWidth = 3.0;
    boxHeight = 1.6;
    boxOffsetY = 5.6;
}

void BuildDiceSelector()
{
    auto* selector = new DiceManager();
    new AddButton(selector);
    new SubtractButton(selector);
    new RollButton(selector);
    new KeyButton();
    new TrackButton(selector);
}

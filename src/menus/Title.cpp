#include "menus/Title.hpp"

#include "game/PlayerDoors.hpp"
#include "resources/ResourceManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/Map.hpp"
#include "state/SettingManager.hpp"
#include "world/GameManager.hpp"
#include "world/PhysicsManager.hpp"
#include "world/WorldManager.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace
{
constexpr double kAtTheFront = 100000.0;

// A fresh draw in [-1, 1) in steps of 1/50.
double Spread()
{
    return std::rand() % 100 / 50.0 - 1.0;
}

std::uint8_t Brown(double base, double f)
{
    return static_cast<std::uint8_t>(std::clamp(base * f, 0.0, 255.0));
}

// A channel of a button with nothing behind it.
std::uint8_t Dim(std::uint8_t channel)
{
    return static_cast<std::uint8_t>(channel * 2 / 5);
}
} // namespace

TitleObject::TitleObject()
{
    SetSprite(BigAccessingOfData::getInstance().titleSprite);
    sprite.followsCamera = false;
    sprite.scale = 0.6;
    y = 6.0;
    new FakeDoorTITLE();
    new StartButton();
    new ContButton();
    new QuitButton();
    new SettingsButton();
    new Credit();
    new Masturpiece();
    if (SettingManager::getInstance().GetInteger("Creator", 0) == 1)
        new CharacterCreator();
    new DoorParticleDarkSpawner();
}

FakeDoorTITLE::FakeDoorTITLE()
{
    DressButton(*this, "sprites/Door.txt", {0.0, -1.5}, 1.3, 1.0, 1.0);
    // It only knocks: a decoration, not a place for the focus to rest.
    focusable = false;
    sprite.colour = PlayerColour();
    sprite.background = true;
    sprite.frameIndex = ReadDoorDesign(1);
}

void FakeDoorTITLE::HandleEvent(Event&)
{
    bobTime += PhysicsManager::getInstance().delta;
    y = -1.5 + std::sin(1.5 * bobTime) / 5.0;
}

StartButton::StartButton()
{
    DressButton(*this, "sprites/StartButton.txt", {-9.0, -2.0}, 2.0, 2.0, 1.2);
    focusFirst = true;
}

void StartButton::OnClick()
{
    BigAccessingOfData::getInstance().resumeScene = SceneNumber::GameWithoutPause;
    Map::getInstance().ChangeScene(0);
    ResourceManager::getInstance().Stop("Title");
}

ContButton::ContButton() : saved(SavedGame::Load())
{
    DressButton(*this, "sprites/ContinueButton.txt", {-9.5, -5.0}, 2.0, 2.0, 1.2);
    if (saved)
        return;
    const sf::Color lit = sprite.colour;
    sprite.colour = sf::Color(Dim(lit.r), Dim(lit.g), Dim(lit.b), lit.a);
    hoverFrame = normalFrame;
}

void ContButton::OnClick()
{
    if (!saved)
        return;
    saved->Restore();
    // A game is running: Escape pauses it.
    BigAccessingOfData::getInstance().resumeScene = SceneNumber::GameWithoutPause;
    Map::getInstance().ChangeScene(saved->scene);
    ResourceManager::getInstance().Stop("Title");
}

QuitButton::QuitButton()
{
    DressButton(*this, "sprites/QuitButton.txt", {9.5, -5.0}, 2.0, 2.0, 1.2);
}

void QuitButton::OnClick()
{
    Map::getInstance().ChangeScene(SceneNumber::Quit);
}

SettingsButton::SettingsButton()
{
    DressButton(*this, "sprites/SettingsButton.txt", {9.75, -2.0}, 2.0, 2.0, 1.2);
}

void SettingsButton::OnClick()
{
    Map::getInstance().ChangeScene(SceneNumber::SettingsMenu);
}

Credit::Credit()
{
    DressButton(*this, "sprites/Credit.txt", {-14.5, -9.0}, 1.0, 1.0, 1.0);
    depth = kAtTheFront;
}

void Credit::OnClick()
{
    Map::getInstance().ChangeScene(SceneNumber::Credits);
}

CharacterCreator::CharacterCreator()
{
    // The click area covers the button as drawn.
    DressButton(*this, "sprites/CustomizeButton.txt", {0.0, -8.0}, 1.5, 1.5, 1.5);
    depth = kAtTheFront;
}

void CharacterCreator::OnClick()
{
    Map::getInstance().ChangeScene(SceneNumber::CharacterCreator);
}

Masturpiece::Masturpiece()
{
    SetSprite(ResourceManager::LoadSprite("sprites/Masterpiece.txt"));
    sprite.followsCamera = false;
    y = 2.5;
    depth = kAtTheFront;
}

DoorParticleDarkSpawner::DoorParticleDarkSpawner()
{
    SetSprite(Sprite::Empty());
    sprite.followsCamera = false;
    solidness = Spectral;
    GameManager::getInstance().tickEvent.Subscribe(this);
}

void DoorParticleDarkSpawner::HandleEvent(Event&)
{
    if (++tickCount < 4)
        return;
    tickCount = 0;
    new DoorParticleDark();
}

DoorParticleDark::DoorParticleDark()
{
    const double f = std::rand() % 100 / 100.0 + 0.75;
    sprite.colour = sf::Color(Brown(59, f), Brown(30, f), 0, 255);
    const auto drift = static_cast<double>(2.0f / 7.0f);
    velocityY = Spread() * drift;
    velocityX = Spread() * drift;
    y = 11.0;
    x = Spread() * 18.0;
}

void DoorParticleDark::HandleEvent(Event&)
{
    const double delta = PhysicsManager::getInstance().delta;
    velocityY -= delta / 3.0;
    age += delta;
    if (age >= 20.0)
        WorldManager::getInstance().MarkForDeletion(this);
}

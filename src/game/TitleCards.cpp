#include "game/TitleCards.hpp"

#include "display/DisplayManager.hpp"
#include "display/InputManager.hpp"
#include "resources/ResourceManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/Map.hpp"
#include "state/SettingManager.hpp"
#include "world/GameManager.hpp"
#include "world/PhysicsManager.hpp"

#include <algorithm>
#include <utility>

TitleCard::TitleCard(const char* path, double scale)
{
    SetSprite(ResourceManager::LoadSprite(path));
    sprite.scale = scale;
    sprite.followsCamera = false;
    sprite.colour = sf::Color(0, 0, 0, 100);
    age = PhysicsManager::getInstance().delta;
    GameManager::getInstance().tickEvent.Subscribe(this);
}

void TitleCard::HandleEvent(Event&)
{
    age += PhysicsManager::getInstance().delta;
    const auto level = static_cast<std::uint8_t>(std::clamp(Brightness(), 0.0, 1.0) * 255.0);
    sprite.colour = sf::Color(level, level, level, 255);
    Finish();
}

Splash::Splash() : TitleCard("sprites/Splash.txt", 0.4)
{
    ResourceManager::getInstance().PlaySound("expl", 100);
}

double Splash::Brightness() const
{
    return age < 2.0 ? age : 1.0 - (age - 4.0);
}

void Splash::Finish()
{
    if (age >= 6.0)
        Map::getInstance().LoadScene(SceneNumber::TitleMenu);
}

TBC::TBC() : TitleCard("sprites/TBC.txt", 0.62)
{
    ResourceManager::getInstance().PlaySound("expl", 100);
}

double TBC::Brightness() const
{
    return age < 6.0 ? age - 3.0 : 1.0 - (age - 6.0);
}

void TBC::Finish()
{
    if (age >= 8.0)
        Map::getInstance().ChangeScene(SceneNumber::Quit);
}

EndingCard::EndingCard(std::string endingWords) : words(std::move(endingWords))
{
    SetSprite(Sprite::Empty());
    sprite.followsCamera = false;
    type = "EndingCard";
    depth = 1e9;
    BigAccessingOfData::getInstance().controlsLocked = true;
    GameManager::getInstance().tickEvent.Subscribe(this);
    InputManager& input = InputManager::getInstance();
    input.keyboardEvent.Subscribe(this);
    input.mouseEvent.Subscribe(this);
    input.joystickEvent.Subscribe(this);
}

void EndingCard::HandleEvent(Event& event)
{
    const std::string name = event.GetName();
    if (name == "Tick")
    {
        age += PhysicsManager::getInstance().delta;
        if (age >= kStays)
            Close();
        return;
    }
    bool pressed = false;
    if (name == "Keyboard")
        pressed = static_cast<const EventKeyboard&>(event).action == InputManager::Pressed;
    else if (name == "Mouse")
        pressed = static_cast<const EventMouse&>(event).action == InputManager::Pressed;
    else if (name == "Joystick")
        pressed = static_cast<const EventJoystick&>(event).action == InputManager::Pressed;
    if (pressed && age >= kSettle)
        Close();
}

void EndingCard::Draw()
{
    DisplayManager::DrawScreenText({0.0, 2.0}, "The End", sf::Color(255, 205, 56), 4.0);
    // Each line centred on its own, at the step of prose.
    double lineY = -0.5;
    for (std::size_t start = 0; start <= words.size(); lineY -= kProseLineStep)
    {
        const std::size_t end = std::min(words.find('\n', start), words.size());
        DisplayManager::DrawScreenText({0.0, lineY}, words.substr(start, end - start),
                                       sf::Color(230, 230, 230));
        start = end + 1;
    }
    if (age >= kSettle)
        DisplayManager::DrawScreenText({0.0, -6.0}, "Press any key or click to close the game.",
                                       sf::Color(150, 150, 150));
}

void EndingCard::OnDestroy()
{
    BigAccessingOfData::getInstance().controlsLocked = false;
}

void EndingCard::Close()
{
    if (closing)
        return;
    closing = true;
    // Closing skips the loading screen that would have written the settings.
    SettingManager::getInstance().Save();
    Map::getInstance().LoadScene(SceneNumber::Quit);
}

void ShowEnding(const std::string& words)
{
    Map::getInstance().ClearWorld();
    new EndingCard(words);
}

CCU::CCU() : TitleCard("sprites/CCU.txt", 0.5)
{
}

double CCU::Brightness() const
{
    return age < 3.0 ? age - 1.0 : 1.0 - (age - 6.0);
}

void CCU::Finish()
{
    if (age >= 6.0)
        Map::getInstance().ChangeScene(SceneNumber::Quit);
}

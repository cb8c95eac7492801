#include "game/TitleCards.hpp"

#include "resources/ResourceManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/Map.hpp"
#include "world/GameManager.hpp"
#include "world/PhysicsManager.hpp"

#include <algorithm>

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

#include "game/Effects.hpp"

#include "display/DisplayManager.hpp"
#include "display/InputManager.hpp"
#include "game/PlayerDoors.hpp"
#include "game/TitleCards.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/SettingManager.hpp"
#include "world/GameManager.hpp"
#include "world/PhysicsManager.hpp"
#include "world/WorldManager.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace
{
constexpr double kFarBehind = -999999999.0;
constexpr double kTwoPi = 3.14159 * 2.0;

// One draw of the generator scaled to 0 .. 0.999.
double Draw1000()
{
    return (std::rand() % 1000) / 1000.0;
}
} // namespace

DoorParticle::DoorParticle()
{
    SetSprite(BigAccessingOfData::getInstance().doorSprite);
    depth = kFarBehind;
    sprite.scale = 0.5;
    solidness = Spectral;
    sprite.followsCamera = false;
    velocityY = (std::rand() % 100 / 50.0 - 1.0) * 6.0;
    velocityX = (std::rand() % 100 / 50.0 - 1.0) * 6.0;
    sprite.frameIndex = ReadDoorDesign(1);
    sprite.colour = PlayerColour();
    GameManager::getInstance().tickEvent.Subscribe(this);
}

void DoorParticle::HandleEvent(Event&)
{
    const double delta = PhysicsManager::getInstance().delta;
    velocityY -= 20.0 * delta;
    age += delta;
    if (age >= 3.0)
        WorldManager::getInstance().MarkForDeletion(this);
}

OrbitingStar::OrbitingStar(double centreHeight) : centreY(centreHeight)
{
    SetSprite(Sprite::FromText("."));
    sprite.scale = 0.4;
    sprite.followsCamera = false;
    depth = kFarBehind;
    type = "KillMe";
    y = centreY;
    GameManager::getInstance().tickEvent.Subscribe(this);
}

void OrbitingStar::HandleEvent(Event&)
{
    angle += PhysicsManager::getInstance().delta * speed / 40.0;
    x = std::cos(angle) * radius;
    y = std::sin(angle) * radius + centreY;
}

UnknownSpinnerStar::UnknownSpinnerStar() : OrbitingStar(3.7)
{
    radius = Draw1000() * 17.0 + 5.0;
    const double g2 = Draw1000();
    const auto grey = static_cast<std::uint8_t>((g2 / 1.5 + 0.13) * 255.0);
    sprite.colour = sf::Color(grey, grey, grey, 255);
    speed = g2 + 0.3;
    angle = Draw1000() * kTwoPi;
}

SpaceEffect::SpaceEffect(sf::Color tint) : OrbitingStar(2.0)
{
    radius = Draw1000() * 19.0 + 1.5;
    const double g2 = Draw1000();
    const double k = std::min(1.0, g2 / 1.5 + 0.13);
    const auto channel = [k](std::uint8_t c)
    { return static_cast<std::uint8_t>(std::clamp(c * k, 0.0, 255.0)); };
    sprite.colour = sf::Color(channel(tint.r), channel(tint.g), channel(tint.b), 255);
    speed = g2 + 0.3;
    angle = Draw1000() * kTwoPi;
}

DoorParticleSpawner::DoorParticleSpawner()
{
    SetSprite(Sprite::Empty());
    solidness = Spectral;
    sprite.followsCamera = false;
    InputManager& input = InputManager::getInstance();
    input.mouseEvent.Subscribe(this);
    lastX = input.mousePosition.x;
    lastY = input.mousePosition.y;
}

void DoorParticleSpawner::HandleEvent(Event& event)
{
    if (event.GetName() != "Mouse" || static_cast<EventMouse&>(event).action != InputManager::Moved)
        return;
    const WorldPoint m = InputManager::getInstance().mousePosition;
    const double f = DisplayManager::getInstance().ScreenUnitsPerWorldUnit();
    const double dx = m.x - lastX;
    const double dy = m.y - lastY;
    const double d = std::sqrt(dx * dx + dy * dy) * f;
    if (d <= 0.0)
        return;

    constexpr double spacing = 1.3;
    constexpr int mostPerMove = 8;
    const double first = spacing - carry;
    if (d >= first)
    {
        int made = 0;
        double length = first;
        double lastPlaced = first;
        for (; length <= d && made < mostPerMove; length += spacing, ++made)
        {
            const double t = length / d;
            auto* particle = new DoorParticle();
            particle->x += (lastX + t * dx) * f;
            particle->y += (lastY + t * dy) * f;
            lastPlaced = length;
        }
        // A long jump drops the rest of its path instead of spraying doors.
        carry = made == mostPerMove && length <= d ? 0.0 : d - lastPlaced;
    }
    else
    {
        carry += d;
    }
    lastX = m.x;
    lastY = m.y;
}

Missile::Missile(WorldPoint position, WorldPoint velocity)
{
    SetSprite(Sprite::FromText(")+=>"));
    sprite.scale = 1.6;
    sprite.followsCamera = false;
    x = position.x;
    y = position.y;
    velocityX = velocity.x;
    velocityY = velocity.y;
    depth = 9999.0;
    PhysicsManager::getInstance().collisionEvent.Subscribe(this);
}

void Missile::HandleEvent(Event& event)
{
    if (event.GetName() != "Collision")
        return;
    const auto& collision = static_cast<const EventCollision&>(event);
    if (collision.first != this && collision.second != this)
        return;
    GameObject* first = collision.first;
    GameObject* second = collision.second;
    WorldManager& world = WorldManager::getInstance();
    world.MarkForDeletion(first);
    world.MarkForDeletion(second);
    if (second != nullptr)
        BurstIntoParticles(*second);
    new TBC();
}

std::vector<DoorParticle*> BurstIntoParticles(const GameObject& source)
{
    std::vector<DoorParticle*> particles;
    for (int i = 0; i < 50; ++i)
    {
        auto* particle = particles.emplace_back(new DoorParticle());
        particle->x = source.x;
        particle->y = source.y;
        particle->depth = source.depth;
        particle->velocityX *= 2.0;
        particle->velocityY *= 2.0;
    }
    return particles;
}

DoorParticle* DropDoorFrom(const GameObject& source)
{
    auto* particle = new DoorParticle();
    particle->x += source.x + source.boxOffsetX;
    particle->y += source.y + source.boxOffsetY;
    return particle;
}

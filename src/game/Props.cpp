#include "game/Props.hpp"

#include "game/Effects.hpp"
#include "game/SceneChangeTimer.hpp"
#include "resources/ResourceManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "world/WorldManager.hpp"

namespace
{
const sf::Color kWizardColour(243, 207, 252, 255);

void LayeredProp(GameObject& prop, const char* path, std::int32_t variant)
{
    prop.SetSprite(ResourceManager::LoadSprite(path));
    prop.sprite.frameIndex = variant;
    prop.depth = 4;
    prop.solidness = Spectral;
}
} // namespace

Grimoire::Grimoire(std::int32_t variant)
{
    SetSprite(ResourceManager::LoadSprite("sprites/Grimoire.txt"));
    sprite.scale = 0.8;
    if (variant == 0)
        depth = 2;
    else if (variant == 1)
    {
        depth = 1;
        sprite.frameIndex = 1;
        sprite.colour = sf::Color::White;
    }
}

House::House(std::int32_t variant)
{
    LayeredProp(*this, "sprites/House.txt", variant);
    sprite.colour = sf::Color(80, 40, 40);
    sprite.scale = 0.7;
    if (variant == 0)
    {
        sprite.colour = sf::Color(206, 187, 173);
        depth = 3;
        sprite.background = true;
        sprite.backgroundPerRun = true;
    }
}

Tower::Tower(std::int32_t variant)
{
    LayeredProp(*this, "sprites/Tower.txt", variant);
    sprite.colour = sf::Color(6, 112, 6);
    sprite.scale = 1.0;
    sprite.background = true;
    sprite.backgroundPerRun = true;
    if (variant == 0)
    {
        sprite.colour = sf::Color(79, 79, 79);
        depth = 3;
    }
}

BigDoor::BigDoor(std::int32_t, std::int32_t)
{
    SetSprite(ResourceManager::LoadSprite("sprites/BigDoor.txt"));
    sprite.scale = 0.5;
    boxWidth /= 2.0;
    sprite.background = true;
    sprite.backgroundPerRun = true;
    x = 24.64;
    y = 0.0;
    depth = 10;
    type = "BigDoor";
}

void BurstFakeDoors(std::int32_t variant)
{
    WorldManager& world = WorldManager::getInstance();
    for (GameObject* object : world.GetAllObjects())
    {
        if (object->type != "FakeDoor")
            continue;
        const bool wizard = object->sprite.colour == kWizardColour;
        if (wizard != (variant == 1))
            continue;
        world.MarkForDeletion(object);
        const std::vector<DoorParticle*> particles = BurstIntoParticles(*object);
        if (!wizard)
            continue;
        for (DoorParticle* particle : particles)
        {
            particle->sprite.frameIndex = 13;
            particle->sprite.colour = kWizardColour;
        }
    }
    if (variant == 1)
    {
        auto* timer = new SceneChangeTimer(2.0, SceneNumber::Quit);
        timer->sprite.followsCamera = false;
        timer->endingWords = "The chicken keeps the tower.\nNobody is quite sure who keeps the chicken.";
    }
}

#include "game/Scenery.hpp"

#include "resources/ResourceManager.hpp"

#include <cstdlib>

namespace
{
void ShowSprite(GameObject& object, const char* path, double scale, double depth)
{
    object.SetSprite(ResourceManager::LoadSprite(path));
    object.sprite.scale = scale;
    object.sprite.background = true;
    object.sprite.backgroundPerRun = true;
    object.solidness = Spectral;
    object.depth = depth;
}
} // namespace

EagleAnimated::EagleAnimated()
{
    ShowSprite(*this, "sprites/EagleAnimated.txt", 0.8, 9999193479124.0);
    velocityX = 40.0;
}

Rock::Rock()
{
    ShowSprite(*this, "sprites/Rocks.txt", 1.0, 99);
    sprite.frameIndex = std::rand() % 3;
}

EagleNOTAnimated::EagleNOTAnimated()
{
    ShowSprite(*this, "sprites/Eagle.txt", 0.4, 999);
}

Chicken::Chicken(std::int32_t a, std::int32_t b)
{
    ShowSprite(*this, "sprites/Chicken.txt", 0.25, 10);
    x = static_cast<std::int32_t>(7 * a) * kCellWidth;
    y = static_cast<std::int32_t>(5 * b) * kCellHeight;
    boxWidth *= 0.25;
    boxHeight *= 0.25;
    type = "Chicken";
}

Unknown::Unknown()
{
    SetSprite(ResourceManager::LoadSprite("sprites/Unknown2.txt"));
    sprite.scale = 0.25;
    sprite.followsCamera = false;
    solidness = Spectral;
    y = 3.7;
    type = "KillMe";
}

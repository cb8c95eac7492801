#include "game/Playground.hpp"

#include "game/Effects.hpp"
#include "widgets/Button.hpp"
#include "widgets/MouseFollower.hpp"
#include "widgets/NavigationButtons.hpp"

Playground::Playground()
{
    SetSprite(Sprite::FromText("Particle Playground!"));
    depth = -1999999999.0;
    sprite.followsCamera = false;
    new DoorParticleSpawner();
    new TitleButton();
    new MouseFollower();
}

#include "game/ChickenOffer.hpp"

#include "display/DisplayManager.hpp"
#include "resources/ResourceManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "widgets/MouseFollower.hpp"
#include "world/WorldManager.hpp"

namespace
{
constexpr double kInFrontOfEverything = 89544329843572.0;
constexpr double kButtonDepth = 99999999.0;
constexpr double kRunAwaySpeed = 20.0;
} // namespace

ChickenStealer::ChickenStealer()
{
    SetSprite(Sprite::Empty());
    sprite.followsCamera = false;
    solidness = Spectral;
    depth = kInFrontOfEverything;
    BigAccessingOfData::getInstance().controlsLocked = true;
    ResourceManager& resources = ResourceManager::getInstance();
    resources.LoadSound("boom", "sfx/boom.mp3");
    resources.PlaySound("boom", 100);
    new YesAnswer(this);
    new NoAnswer(this);
    new MouseFollower();
}

void ChickenStealer::Answer(bool take)
{
    BigAccessingOfData::getInstance().hasChicken = take;
    ResourceManager& resources = ResourceManager::getInstance();
    resources.LoadSound("chicken", take ? "sfx/chicken.mp3" : "sfx/chicken_leave.mp3");
    resources.PlaySound("chicken", 100);

    WorldManager& world = WorldManager::getInstance();
    world.MarkAllOfType("Buttn");
    for (GameObject* object : world.GetAllObjects())
        if (object->type == "Chicken")
        {
            if (take)
                world.MarkForDeletion(object);
            else
            {
                object->velocityX = -kRunAwaySpeed;
                object->velocityY = 0.0;
            }
            break;
        }
    world.MarkForDeletion(this);
}

void ChickenStealer::OnDestroy()
{
    BigAccessingOfData::getInstance().controlsLocked = false;
}

void ChickenStealer::Draw()
{
    // A view 1.2 high: letters that fill the screen's width.
    DisplayManager::DrawScreenText({x, y + 0.3}, "Take Chicken?", sf::Color(255, 50, 50), 1.2, true);
}

OfferAnswer::OfferAnswer(Bro2* offer, const char* spriteFile, double answerY, bool taking)
    : owner(offer), take(taking)
{
    DressButton(*this, spriteFile, {0.0, answerY}, 1.5, 1.2, 1.2);
    sprite.background = true;
    type = "Buttn";
    depth = kButtonDepth;
}

void OfferAnswer::OnClick()
{
    if (owner.Live())
        owner->Answer(take);
}

YesAnswer::YesAnswer(Bro2* offer) : OfferAnswer(offer, "sprites/YesButton.txt", -2.44, true)
{
}

NoAnswer::NoAnswer(Bro2* offer) : OfferAnswer(offer, "sprites/NoButton.txt", -5.56, false)
{
}

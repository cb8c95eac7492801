#include "game/FightScreens.hpp"

#include "game/DoorCompanions.hpp"
#include "game/Dragon.hpp"
#include "game/Eagle.hpp"
#include "game/Effects.hpp"
#include "game/FightButtons.hpp"
#include "resources/ResourceManager.hpp"
#include "world/GameManager.hpp"
#include "world/PhysicsManager.hpp"

namespace
{
constexpr int kStarRounds = 200;

// clang-format off
const sf::Color kStarTints[] = {
    {87, 196, 255}, {147, 151, 201}, {149, 116, 214}, {111, 28, 255}, {192, 250, 242},
};
// clang-format on

void StarField()
{
    for (int round = 0; round < kStarRounds; ++round)
        for (const sf::Color& tint : kStarTints)
            new SpaceEffect(tint);
}

// The player's door on the right, full size.
void ShowDoor(double baseHeight)
{
    auto* door = new FakeDoor(baseHeight);
    door->x = 8.0;
    door->sprite.scale = 1.0;
}

void ShowWizard(FightScreen&)
{
    auto* wizard = new FakeDoor(2.0);
    wizard->x = 11.0;
    wizard->sprite.frameIndex = 13;
    wizard->sprite.colour = sf::Color(243, 207, 252);
}

void ShowLowDoor(FightScreen&)
{
    ShowDoor(-1.0);
}

void ShowDragon(FightScreen&)
{
    currentDragon = new Dragon();
}

void ShowEagle(FightScreen&)
{
    currentEagle = new Eagle();
}

void ShowMenu(FightScreen& screen)
{
    auto* bar = new ActionsBar();
    screen.bar = bar;
    new AttackButton(bar);
    new ItemButton(bar);
    new RunButton(bar);
}

template <typename Screen, std::size_t N> void Run(Screen& screen, const Entrance<Screen> (&steps)[N])
{
    for (const Entrance<Screen>& step : steps)
        if (!(screen.*step.shown) && screen.fightTime >= step.at)
        {
            screen.*step.shown = true;
            step.show(screen);
        }
}

// clang-format off
const Entrance<DragonFightObject> kFirstDragonFight[] = {
    {2.0,  &DragonFightObject::dragonShown, ShowDragon},
    {4.0,  &DragonFightObject::menuShown,   ShowMenu  },
};

const Entrance<DragonFightWizard> kSecondDragonFight[] = {
    {3.3,  &DragonFightWizard::wizardShown, ShowWizard},
    {6.0,  &DragonFightWizard::dragonShown, ShowDragon},
    {6.0,  &DragonFightWizard::menuShown,   ShowMenu  },
};

const Entrance<EagleFightObject> kEagleFight[] = {
    {4.0,  &EagleFightObject::doorShown,    ShowLowDoor},
    {8.0,  &EagleFightObject::wizardShown,  ShowWizard },
    {11.5, &EagleFightObject::eagleShown,   ShowEagle  },
    {11.5, &EagleFightObject::menuShown,    ShowMenu   },
};
// clang-format on
} // namespace

FightScreen::FightScreen()
{
    SetSprite(Sprite::Empty());
    sprite.followsCamera = false;
    solidness = Spectral;
    GameManager::getInstance().tickEvent.Subscribe(this);
}

void FightScreen::HandleEvent(Event&)
{
    fightTime += PhysicsManager::getInstance().delta;
    Enter();
}

DragonFightObject::DragonFightObject()
{
    StarField();
    ShowDoor(0.0);
}

void DragonFightObject::Enter()
{
    Run(*this, kFirstDragonFight);
}

DragonFightWizard::DragonFightWizard()
{
    ShowDoor(-1.0);
    StarField();
}

void DragonFightWizard::Enter()
{
    Run(*this, kSecondDragonFight);
}

EagleFightObject::EagleFightObject()
{
    StarField();
    ResourceManager& resources = ResourceManager::getInstance();
    resources.LoadMusic("CAW", "music/EagleFight.wav");
    resources.PlayMusic("CAW", 100, true, false);
}

void EagleFightObject::Enter()
{
    Run(*this, kEagleFight);
}

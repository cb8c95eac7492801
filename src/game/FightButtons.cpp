#include "game/FightButtons.hpp"

#include "dialogue/DialogManager.hpp"
#include "game/Dragon.hpp"
#include "game/Eagle.hpp"
#include "resources/ResourceManager.hpp"
#include "resources/VoiceClip.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/Map.hpp"
#include "state/SettingManager.hpp"
#include "world/GameManager.hpp"
#include "world/PhysicsManager.hpp"
#include "world/WorldManager.hpp"

namespace
{
// In front of the stars and the foes (the eagle swoops down to the bar), behind the dialogue.
constexpr double kBarDepth = 100.0;
constexpr double kButtonDepth = 101.0;
constexpr double kRockDepth = 50.0;
constexpr double kScreamAt = 12.0;
constexpr double kFirstSearch = 1.5;
constexpr double kSecondSearch = 3.0;
constexpr std::int32_t kHallAfterTheFight = 14;

std::int32_t Scene()
{
    return BigAccessingOfData::getInstance().currentScene;
}

bool HasChicken()
{
    return BigAccessingOfData::getInstance().hasChicken;
}

double Delta()
{
    return PhysicsManager::getInstance().delta;
}

void StartDialog(std::int32_t dialogue)
{
    if (dialogue != fight::kNone)
        DialogManager::getInstance().StartDialog(dialogue);
}

void Scream()
{
    if (currentEagle.Live())
        currentEagle->Freeze();
    ResourceManager::getInstance().StopAll();
    // A voice clip like the others: the fight goes on without it.
    VoiceClip().Play("caw_12_death");
}

// Running from the eagle: the cut-scene music, at the music volume taken twice over.
void PlayRunAwayMusic()
{
    ResourceManager& resources = ResourceManager::getInstance();
    resources.StopAll();
    const double volume = SettingManager::getInstance().GetNumber("Music Volume", 50.0);
    resources.PlayMusic("Cutscene", static_cast<float>(volume), false, true);
}
} // namespace

ActionsBar::ActionsBar()
{
    DressButton(*this, "sprites/ActionsBar.txt", {0.0, -7.5}, 1.4, 1.5, 1.2);
    sprite.background = true;
    solidness = Spectral;
    depth = kBarDepth;
}

void ActionsBar::Show(std::int32_t message)
{
    if (message != fight::kNone)
        sprite.frameIndex = message;
}

FightButton::FightButton(ActionsBar* messages, const char* spriteFile, const char* buttonType, double buttonY)
    : bar(messages)
{
    DressButton(*this, spriteFile, {-10.75, buttonY}, 1.0, 1.5, 0.3);
    type = buttonType;
    depth = kButtonDepth;
}

void FightButton::ShowMessage(std::int32_t message)
{
    if (bar.Live())
        bar->Show(message);
}

AttackButton::AttackButton(ActionsBar* messages)
    : FightButton(messages, "sprites/AttackButton.txt", "AttackButton", -6.5),
      attackTimer(Scene() == 3 || Scene() == 13 ? 3.0 : 15.0)
{
    focusFirst = true;
}

void AttackButton::OnClick()
{
    if (attacking)
        return;
    const fight::AttackOutcome* found = fight::AttackIn(Scene(), HasChicken());
    if (found == nullptr)
        return;
    ShowMessage(found->message);
    if (found->countdown == fight::Countdown::None)
        return;
    outcome = found;
    attacking = true;
    new RockThrow();
}

void AttackButton::HandleEvent(Event& event)
{
    Button::HandleEvent(event);
    if (event.GetName() != "Tick" || !attacking || finished || outcome == nullptr)
        return;
    if (outcome->countdown == fight::Countdown::DefeatDragon)
        DefeatDragonCountdown(outcome->victoryDialogue);
    else if (outcome->countdown == fight::Countdown::EagleScream)
        EagleScreamCountdown();
}

void AttackButton::DefeatDragonCountdown(std::int32_t victoryDialogue)
{
    attackTimer -= Delta();
    // The dragon stays up until whatever is being said has been said.
    if (attackTimer > 0.0 || DialogManager::getInstance().active)
        return;
    finished = true;
    if (currentDragon.Live())
        Defeat(currentDragon.get());
    EndFight(this);
    StartDialog(victoryDialogue);
}

void AttackButton::EagleScreamCountdown()
{
    attackTimer -= Delta();
    if (!screamed && attackTimer <= kScreamAt)
    {
        screamed = true;
        Scream();
    }
    if (attackTimer > 0.0)
        return;
    finished = true;
    EndFight(this);
    Map::getInstance().ChangeScene(kHallAfterTheFight);
}

ItemButton::ItemButton(ActionsBar* messages)
    : FightButton(messages, "sprites/ItemButton.txt", "ItemButton", -7.5)
{
}

void ItemButton::OnClick()
{
    if (itemState != 0)
        return;
    const fight::ItemOutcome* found = fight::ItemIn(Scene(), HasChicken());
    if (found == nullptr)
        return;
    ShowMessage(found->message);
    if (found->followUp == fight::kNone)
        return;
    outcome = found;
    itemState = 1;
    itemTimer = kFirstSearch;
}

void ItemButton::HandleEvent(Event& event)
{
    Button::HandleEvent(event);
    if (event.GetName() != "Tick" || itemState == 0 || outcome == nullptr)
        return;
    itemTimer -= Delta();
    if (itemTimer > 0.0)
        return;
    if (itemState == 1)
    {
        ShowMessage(outcome->followUp);
        itemState = 2;
        itemTimer = kSecondSearch;
        return;
    }
    ShowMessage(fight::kIdleMessage);
    itemState = 0;
}

RunButton::RunButton(ActionsBar* messages) : FightButton(messages, "sprites/RunButton.txt", "RunButton", -8.5)
{
}

void RunButton::OnClick()
{
    const fight::RunOutcome* found = fight::RunIn(Scene(), HasChicken());
    if (found == nullptr)
        return;
    ShowMessage(found->message);
    if (found->cutScene)
        PlayRunAwayMusic();
    StartDialog(found->dialogue);
}

RockThrow::RockThrow()
{
    SetSprite(ResourceManager::LoadSprite("sprites/RockThrow.txt"));
    sprite.scale = 2.0;
    sprite.followsCamera = false;
    solidness = Spectral;
    x = 2.0;
    depth = kRockDepth;
    GameManager::getInstance().tickEvent.Subscribe(this);
}

void RockThrow::HandleEvent(Event&)
{
    if (sprite.frameIndex >= 6)
        WorldManager::getInstance().MarkForDeletion(this);
}

void EndFight(FightButton* button)
{
    WorldManager& world = WorldManager::getInstance();
    for (GameObject* object : world.GetAllObjects())
        if (object != button && dynamic_cast<FightButton*>(object) != nullptr)
            world.MarkForDeletion(object);
    if (button->bar.Live())
        world.MarkForDeletion(button->bar.get());
    button->bar = nullptr;
}

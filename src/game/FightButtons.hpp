#pragma once

#include "game/FightOutcomes.hpp"
#include "widgets/Button.hpp"

#include <cstdint>

// The message bar under a fight: each of its frames is one thing that happened.
class ActionsBar : public GameObject
{
public:
    ActionsBar();
    void Show(std::int32_t message);
};

// Attack, Item and Run, left of the actions bar; created with it when a fight's entrance is
// over, and gone with the scene (or, but for the winning one, when the fight is won).
class FightButton : public Button
{
public:
    ObjectRef<ActionsBar> bar;

protected:
    FightButton(ActionsBar* messages, const char* spriteFile, const char* buttonType, double y);
    void ShowMessage(std::int32_t message);
};

// Throws a rock, and for the winning throws counts down to the fight's end.
class AttackButton : public FightButton
{
public:
    double attackTimer;
    bool attacking = false;
    bool finished = false;
    bool screamed = false;

    explicit AttackButton(ActionsBar* messages);
    void OnClick() override;
    void HandleEvent(Event& event) override;

private:
    void DefeatDragonCountdown(std::int32_t victoryDialogue);
    void EagleScreamCountdown();
    const fight::AttackOutcome* outcome = nullptr;
};

// Rummages for an item; in the first dragon fight a two-message search that can be repeated.
class ItemButton : public FightButton
{
public:
    std::int32_t itemState = 0;
    double itemTimer = 0.0;

    explicit ItemButton(ActionsBar* messages);
    void OnClick() override;
    void HandleEvent(Event& event) override;

private:
    const fight::ItemOutcome* outcome = nullptr;
};

class RunButton : public FightButton
{
public:
    explicit RunButton(ActionsBar* messages);
    void OnClick() override;
};

// The thrown rock: plays its frames once in the middle of the screen and goes.
class RockThrow : public GameObject
{
public:
    RockThrow();
    void HandleEvent(Event& event) override;
};

// The fight is won through `button`: the other buttons and the actions bar go.
void EndFight(FightButton* button);

#pragma once

#include "widgets/Button.hpp"

#include <cstdint>
#include <string>

// Knob styles are the door sprite's frames 1 to 13. Style 1 is everybody's; the others are
// cosmetics, obtained once and for good (setting "DoorLabelN" = "1"). Obtaining any of them
// also unlocks the character creator (setting "Creator" = "1").

// Style 1 always; 2 to 14 once their label setting holds a non-zero integer.
bool IsKnobOwned(std::int32_t knob);
// The name a knob button shows ("'", "I", ..., "Wizard"); empty outside 1 to 13.
std::string KnobName(std::int32_t knob);

// Grants cosmetic n, saves the settings at once, and announces it: "Obtained Cosmetic" and the
// new knob zoom in over a second, hold for one, and fade out over one.
class Obtains : public GameObject
{
public:
    double age = 0.0;
    double fade = 0.0;
    std::string knobPicture;

    explicit Obtains(std::int32_t cosmetic);
    void HandleEvent(Event& event) override;
    void Draw() override;
};

// A floating knob to click for cosmetic n (on the settings page and in one cut-scene); gone at
// once while the creator is locked or the cosmetic is owned.
class ButtonKnobGiver : public Button
{
public:
    std::int32_t reward;

    explicit ButtonKnobGiver(std::int32_t cosmetic);
    void OnClick() override;
};

// True when a knob reward for `cosmetic` should not appear: the creator is still locked (for
// rewards past `freeBelow`) or the cosmetic is already owned.
bool RewardIsSpent(std::int32_t cosmetic, std::int32_t freeBelow);

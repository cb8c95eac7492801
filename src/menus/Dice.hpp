#pragma once

#include "widgets/Button.hpp"

#include <array>
#include <cstdint>
#include <string>

class Dice;

// The volume selector of the settings page: a volume track (dialogue, music or effects) shown
// as dice whose faces add up to its volume. Add or remove dice, hold some by clicking them, and
// roll: the sum becomes the track's new volume. An empty sprite: it is never hovered.
class DiceManager : public Button
{
public:
    std::array<Dice*, 16> dice{};
    std::int32_t volume = 96;
    std::int32_t diceCount = 0;
    std::int32_t track = 1;
    std::string label;

    DiceManager();
    void LoadTrack();
    void LoadVolume();
    void UpdateLabel();
    void ShowVolume();
    void AddDie(std::int32_t face);
    void RemoveDie();
    // Rolls every die not held; the sum becomes the track's volume, which is returned.
    std::int32_t Roll();
    const char* TrackName() const;
};

// One die: clicking it holds it (red) or lets it go again.
class Dice : public ButtonBase
{
public:
    std::int32_t value = 0;
    bool held = false;

    explicit Dice(std::int32_t face);
    void OnClick() override;
};

// The selector's buttons; each click also throws out a falling door.
class DiceManagerButton : public Button
{
public:
    // The selector it acts on; a button whose selector is gone does nothing.
    ObjectRef<DiceManager> manager;

    DiceManagerButton(DiceManager* owner, const char* spriteFile, WorldPoint at, double scale);
    void OnClick() override;

protected:
    virtual void Act() = 0;
};

class AddButton : public DiceManagerButton
{
public:
    explicit AddButton(DiceManager* owner);

protected:
    void Act() override;
};

class SubtractButton : public DiceManagerButton
{
public:
    explicit SubtractButton(DiceManager* owner);

protected:
    void Act() override;
};

// Also shows the selector's label above the dice.
class RollButton : public DiceManagerButton
{
public:
    explicit RollButton(DiceManager* owner);
    void Draw() override;

protected:
    void Act() override;
};

// Cycles dialogue, music and effects; shows the chosen track's name beside it.
class TrackButton : public DiceManagerButton
{
public:
    explicit TrackButton(DiceManager* owner);
    void Draw() override;

protected:
    void Act() override;
};

// A door key lying across the dice. Clicking its bow only knocks.
class KeyButton : public Button
{
public:
    KeyButton();
};

// The selector and its buttons, as the settings page places them.
void BuildDiceSelector();

#pragma once

#include "world/GameObject.hpp"

#include <cstdint>
#include <string>

// Everything the player can click: menu buttons, toggles, sliders, dice, quiz answers, fight
// actions. There is no hit-testing by rectangle: the pointer object (MouseFollower) overlaps a
// button in the physics step, and a left press while it does is a click.
class ButtonBase : public GameObject
{
public:
    // The button may be clicked while a dialogue is playing.
    bool activeDuringDialog = false;
    // The keyboard focus may rest on it (not on decorations that only knock).
    bool focusable = true;
    // Where the focus starts on its screen.
    bool focusFirst = false;
    // The screen's way back (Title, Resume, Back): Escape and a pad's B press it.
    bool goesBack = false;

    // Called by the pointer, never by the button itself.
    virtual void OnClick();
};

// A button with a highlight: frame `hoverFrame` while the pointer is over it, else `normalFrame`.
class Button : public ButtonBase
{
public:
    bool hovered = false;
    // Whether the highlight showed at the last tick (pointer or keyboard focus).
    bool lit = false;
    std::int32_t normalFrame = 0;
    std::int32_t hoverFrame = 1;

    Button();
    // Shows the highlight the last physics step found, or the keyboard focus while it shows; a
    // "Tick" handler, so it lags a frame.
    void HandleEvent(Event& event) override;
};

// A button, screen-fixed, loaded from a sprite file, at (x, y) and scale, its box scaled by
// the given factors: the common shape of menu buttons.
// A press of `button` by the pointer, a key or a pad, by one rule: during a dialogue only buttons
// meant for it answer, and an accepted press knocks unless it starts a scene change. True when
// the button was pressed.
bool PressButton(ButtonBase& button);

void DressButton(GameObject& button, const std::string& spriteFile, WorldPoint at, double scale, double boxX,
                 double boxY);

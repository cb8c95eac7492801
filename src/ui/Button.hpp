#pragma once

#include "engine/world/GameObject.hpp"

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

    // Called by the pointer, never by the button itself.
    virtual void OnClick();
};

// A button with a highlight: frame `hoverFrame` while the pointer is over it, else `normalFrame`.
class Button : public ButtonBase
{
public:
    bool hovered = false;
    std::int32_t normalFrame = 0;
    std::int32_t hoverFrame = 1;

    Button();
    // Shows the highlight the last physics step found; a "Tick" handler, so it lags a frame.
    void HandleEvent(Event& event) override;
};

// A button, screen-fixed, loaded from a sprite file, at (x, y) and scale, its box scaled by
// the given factors: the common shape of menu buttons.
void DressButton(GameObject& button, const std::string& spriteFile, WorldPoint at, double scale, double boxX,
                 double boxY);

// A bar of characters whose knob the player drags; its value lives as "%f" text in the
// settings under `key`, which is also drawn as the slider's label.
class Slider : public Button
{
public:
    std::string key;
    double minimum;
    double maximum;
    double value = 0.0;
    double scale = 1.0;
    std::int32_t width = 22;
    std::int32_t knobCell = -1;
    bool dragging = false;
    bool announced = false;
    std::string leftCap = "D";
    std::string rightCap = "R";
    char filledGlyph = 'O';
    char emptyGlyph = 'o';
    char knobGlyph = '|';

    Slider(std::string settingKey, double minimumValue, double maximumValue, double defaultValue,
           double glyphScale);
    void HandleEvent(Event& event) override;
    void Draw() override;
    void OnClick() override;
    virtual void OnValueChanged(double newValue);

    void RebuildBar();
    // Moves the value to where the mouse is along the bar.
    void ApplyMouseX();
    // Lets the loaded value take effect (the first tick or draw does it otherwise).
    void Announce();

private:
    double Low() const;
    double High() const;
};

// The invisible pointer: follows the mouse in screen-fixed units, finds the clickable object
// under it through the physics overlap and clicks it on a left press. Every accepted click
// knocks, except one that starts a scene change.
class MouseFollower : public GameObject
{
public:
    // Valid for one frame: cleared every tick and on every click.
    ObjectRef<ButtonBase> target;

    MouseFollower();
    void HandleEvent(Event& event) override;

private:
    void Click();
};

// Screen-fixed units per world unit of the mouse position.
double MouseToScreen();

#pragma once

#include "widgets/Button.hpp"
#include "widgets/Slider.hpp"

#include <cstdint>
#include <string>

// The settings page (scene -2), which is also the pause menu: reached with Escape during a game
// it offers Resume. Every control writes its value into the settings (or the game state) as it
// changes; the file is written at the next loading screen.
class SettingsObject : public GameObject
{
public:
    SettingsObject();
};

// An on/off box beside its label: frame 0 off, 1 on, 2 highlighted. The clickable square sits
// two units right of the sprite's centre. A click throws out a falling door.
class ToggleButton : public Button
{
public:
    std::int32_t state = 0;

    ToggleButton(const char* spriteFile, WorldPoint at, std::int32_t initialState);
    void OnClick() override;

protected:
    virtual void Apply() = 0;
};

// A setting kept as "0" or "1".
class SettingToggle : public ToggleButton
{
public:
    SettingToggle(const char* spriteFile, WorldPoint at, std::string settingKey);

protected:
    void Apply() override;

private:
    std::string key;
};

// The older music files for the bridge and the first dragon fight.
class legacyAudioButton : public SettingToggle
{
public:
    legacyAudioButton();
};

class MultiplayerButton : public SettingToggle
{
public:
    MultiplayerButton();
};

// Follows the window: a click switches full screen, and F11 flips the box too.
class FullscreenButton : public ToggleButton
{
public:
    FullscreenButton();
    void HandleEvent(Event& event) override;

protected:
    void Apply() override;
};

// For those afraid of doors: ends the game at once.
class EntamaphobiaModeButton : public Button
{
public:
    EntamaphobiaModeButton();
    void OnClick() override;
};

// The picture of the controls.
class Controls : public GameObject
{
public:
    Controls();
};

class LoadingLengthSlider : public Slider
{
public:
    LoadingLengthSlider();
    void OnValueChanged(double newValue) override;
};

// How fast dialogue pages type themselves out: four steps, named beside the bar.
class TextSpeedSlider : public Slider
{
public:
    TextSpeedSlider();
    void Draw() override;
};

// Stores how bumpscocious the player wants things. Nothing reads it.
class BumpScosity : public Slider
{
public:
    BumpScosity();
};

// Fades itself: at 0 it is barely there, at 1 fully opaque.
class OpacitySlider : public Slider
{
public:
    OpacitySlider();
    void OnValueChanged(double newValue) override;
};

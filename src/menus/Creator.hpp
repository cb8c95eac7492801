#pragma once

#include "widgets/Button.hpp"
#include "widgets/Slider.hpp"

#include <cstdint>

// The character creator (scene -8): a preview of the player's door, a hue slider that colours
// it and a button for every knob style obtained. Choices go straight into the settings.
class CreatorObject : public GameObject
{
public:
    CreatorObject();
};

class CreatorTitle : public GameObject
{
public:
    CreatorTitle();
};

// Recolours the preview doors as it moves; stores "Hue".
class HueSlider : public Slider
{
public:
    HueSlider();
    void OnValueChanged(double newValue) override;
};

// Picks knob style `knob` for the preview doors and the setting "DKS"; shows the style's name.
class DoorButton : public Button
{
public:
    std::int32_t knob;

    explicit DoorButton(std::int32_t style);
    void Draw() override;
    void OnClick() override;
};

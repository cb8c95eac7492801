#pragma once

#include "widgets/Button.hpp"

#include <cstdint>
#include <string>

// A bar of characters whose knob the player drags; its value lives as "%f" text in the
// settings under `key`, which is also drawn as the slider's label.
class Slider : public Button
{
public:
    std::string key;
    double minimum;
    double maximum;
    double value = 0.0;
    // 0: any value in the range; else values snap to minimum + k * step.
    double step = 0.0;
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
    // Takes `newValue` (kept in range and on a step) and stores it, when it differs.
    void SetValue(double newValue);
    // One step up (+1) or down (-1): `step`, or a tenth of the range for a slider without steps.
    void StepBy(std::int32_t direction);
    // Lets the loaded value take effect (the first tick or draw does it otherwise).
    void Announce();

private:
    double Low() const;
    double High() const;
};

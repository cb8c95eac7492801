#include "widgets/Slider.hpp"

#include "display/DisplayManager.hpp"
#include "display/InputManager.hpp"
#include "state/SettingManager.hpp"
#include "widgets/MouseFollower.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace
{

std::string Fixed(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%f", value);
    return text;
}
} // namespace

Slider::Slider(std::string settingKey, double minimumValue, double maximumValue, double defaultValue,
               double glyphScale)
    : key(std::move(settingKey)), minimum(minimumValue), maximum(maximumValue), scale(glyphScale)
{
    hoverFrame = 0;
    value = std::clamp(defaultValue, Low(), High());
    // Stored text that is no number keeps the default rather than breaking the page.
    value = std::clamp(SettingManager::getInstance().GetNumber(key, value), Low(), High());
    RebuildBar();
    InputManager::getInstance().mouseEvent.Subscribe(this);
}

double Slider::Low() const
{
    return std::min(minimum, maximum);
}

double Slider::High() const
{
    return std::max(minimum, maximum);
}

void Slider::RebuildBar()
{
    const std::int32_t w = std::max(4, width);
    const double t = maximum == minimum ? 0.0 : (value - minimum) / (maximum - minimum);
    const auto k = static_cast<std::int32_t>(std::round(t * (w - 3)));
    if (k == knobCell)
        return;
    knobCell = k;
    std::string bar = leftCap;
    for (std::int32_t i = 0; i <= w - 3; ++i)
        bar += i < k ? filledGlyph : i == k ? knobGlyph : emptyGlyph;
    bar += rightCap;
    const sf::Color colour = sprite.colour;
    SetSprite(Sprite::FromText(bar));
    sprite.colour = colour;
    sprite.scale = scale;
    sprite.followsCamera = false;
    boxWidth *= scale;
    boxHeight *= scale;
}

void Slider::ApplyMouseX()
{
    const double mx =
        InputManager::getInstance().mousePosition.x * DisplayManager::getInstance().ScreenUnitsPerWorldUnit();
    const double cell = scale * kCellWidth;
    const double half = (std::max(4, width) - 1) * 0.5 * cell;
    const double left = x - half + cell;
    const double right = x + half - cell;
    const double t = std::clamp((mx - left) / (right - left), 0.0, 1.0);
    SetValue(minimum + (maximum - minimum) * t);
}

void Slider::SetValue(double newValue)
{
    double v = newValue;
    if (step > 0.0)
        v = minimum + std::round((v - minimum) / step) * step;
    v = std::clamp(v, Low(), High());
    if (v == value)
        return;
    value = v;
    RebuildBar();
    SettingManager::getInstance().Set(key, Fixed(v));
    OnValueChanged(v);
}

void Slider::StepBy(std::int32_t direction)
{
    const double stepSize = step > 0.0 ? step : (High() - Low()) / 10.0;
    SetValue(value + direction * stepSize);
}

void Slider::Announce()
{
    if (announced)
        return;
    announced = true;
    OnValueChanged(value);
}

void Slider::HandleEvent(Event& event)
{
    Button::HandleEvent(event);
    const std::string name = event.GetName();
    if (name == "Mouse")
    {
        const auto& mouse = static_cast<const EventMouse&>(event);
        if (mouse.action == InputManager::Released && mouse.button == sf::Mouse::Button::Left)
            dragging = false;
    }
    else if (name == "Tick")
    {
        Announce();
        if (dragging)
            ApplyMouseX();
    }
}

void Slider::OnClick()
{
    dragging = true;
    ApplyMouseX();
}

void Slider::OnValueChanged(double)
{
}

void Slider::Draw()
{
    Announce();
    GameObject::Draw();
    if (key.empty() || !DisplayManager::started)
        return;
    const double cell = scale * kCellWidth;
    const std::int32_t w = std::max(4, width);
    CellDrawOptions options;
    options.centred = true;
    options.cellWidth = cell;
    options.cellHeight = scale * kCellHeight;
    options.textScale = scale;
    options.viewHalfHeight = 10.0;
    const double labelX = x - w * cell / 2 - static_cast<double>(key.size()) * cell / 2 - cell;
    DisplayManager::getInstance().DrawCells({labelX, y}, key, sprite.colour, options);
}

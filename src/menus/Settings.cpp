#include "menus/Settings.hpp"

#include "core/ProcessExit.hpp"
#include "dialogue/TextSpeed.hpp"
#include "display/DisplayManager.hpp"
#include "game/Cosmetics.hpp"
#include "game/Effects.hpp"
#include "menus/ControlsPage.hpp"
#include "menus/Dice.hpp"
#include "resources/ResourceManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/SettingManager.hpp"
#include "widgets/NavigationButtons.hpp"
#include "widgets/Slider.hpp"

#include <algorithm>

namespace
{
template <typename T> T* At(T* object, WorldPoint position)
{
    object->x = position.x;
    object->y = position.y;
    return object;
}
} // namespace

SettingsObject::SettingsObject()
{
    SetSprite(BigAccessingOfData::getInstance().settingsSprite);
    sprite.followsCamera = false;
    sprite.scale = 0.6;
    y = 8.0;
    new TitleButton();
    auto* loadingLength = At(new LoadingLengthSlider(), {-6.0, 1.0});
    At(new TextSpeedSlider(), {-6.0, 0.0});
    At(new BumpScosity(), {-6.0, -1.0});
    BuildDiceSelector();
    new legacyAudioButton();
    new EntamaphobiaModeButton();
    new FullscreenButton();
    At(new OpacitySlider(), {-6.0, -3.4})->Announce();
    new Controls();
    new ControlsButton();
    new MultiplayerButton();
    At(new ButtonKnobGiver(11), {-15.0, -6.5});
    // The focus starts on Resume when paused, else on the first slider.
    if (BigAccessingOfData::getInstance().resumeScene > SceneNumber::RealSceneThreshold)
        new ResumeButton();
    else
        loadingLength->focusFirst = true;
}

ToggleButton::ToggleButton(const char* spriteFile, WorldPoint at, std::int32_t initialState)
    : state(initialState)
{
    DressButton(*this, spriteFile, at, 1.0, 1.0, 1.0);
    normalFrame = state;
    hoverFrame = 2;
    boxWidth = boxHeight = 1.0;
    boxOffsetX = 2.0;
}

void ToggleButton::OnClick()
{
    if (state == 0 || state == 1)
        state = 1 - state;
    Apply();
    DropDoorFrom(*this);
    normalFrame = state;
}

SettingToggle::SettingToggle(const char* spriteFile, WorldPoint at, std::string settingKey)
    : ToggleButton(spriteFile, at, SettingManager::getInstance().GetInteger(settingKey, 0)),
      key(std::move(settingKey))
{
}

void SettingToggle::Apply()
{
    SettingManager::getInstance().Set(key, std::to_string(state));
}

legacyAudioButton::legacyAudioButton()
    : SettingToggle("sprites/LegacyAudioButton.txt", {-5.0, -2.2}, "LegacyAudio")
{
}

MultiplayerButton::MultiplayerButton()
    : SettingToggle("sprites/MultiplayerButton.txt", {-5.0, -8.5}, "Multiplayer")
{
}

FullscreenButton::FullscreenButton()
    : ToggleButton("sprites/FullscreenButton.txt", {-5.0, -4.7},
                   DisplayManager::getInstance().fullscreen ? 1 : 0)
{
    DisplayManager::getInstance().fullscreenEvent.Subscribe(this);
}

void FullscreenButton::HandleEvent(Event& event)
{
    Button::HandleEvent(event);
    if (event.GetName() != "Fullscreen")
        return;
    state = DisplayManager::getInstance().fullscreen ? 1 : 0;
    normalFrame = state;
}

void FullscreenButton::Apply()
{
    DisplayManager::getInstance().SetFullscreen(state != 0);
}

EntamaphobiaModeButton::EntamaphobiaModeButton()
{
    DressButton(*this, "sprites/EntamaphobiaModeButton.txt", {-5.8, -6.5}, 1.0, 1.0, 1.0);
    hoverFrame = 2;
    boxWidth = boxHeight = 1.0;
    boxOffsetX = 2.9;
}

void EntamaphobiaModeButton::OnClick()
{
    RequestProcessExit(0);
}

Controls::Controls()
{
    std::string list;
    for (const std::string& line : ControlsSummary())
        list += (list.empty() ? "" : "\n") + line;
    SetSprite(Sprite::FromText(list));
    sprite.colour = sf::Color(255, 214, 140);
    sprite.followsCamera = false;
    sprite.prose = true;
    // The list may not reach further down than its rows did on the dense grid, where the sliders
    // begin, so it is drawn smaller: its lines a prose step apart take the height its rows took.
    // Its left edge and first line stay where they were.
    const double rows = sprite.height;
    const double scale = kCellHeight / kProseLineStep;
    const double left = -8.0 - sprite.width * kCellWidth / 2.0;
    const double firstLineY = 4.0 + (rows - 1.0) * kCellHeight / 2.0;
    sprite.scale = scale;
    x = left + sprite.width * kCellWidth * scale / 2.0;
    y = firstLineY - (rows - 1.0) * kCellHeight * scale / 2.0;
}

LoadingLengthSlider::LoadingLengthSlider()
    : Slider("Loading Length", 3.0, 13.0, BigAccessingOfData::getInstance().loadingLength, 1.0)
{
}

void LoadingLengthSlider::OnValueChanged(double newValue)
{
    BigAccessingOfData::getInstance().loadingLength = newValue;
}

TextSpeedSlider::TextSpeedSlider() : Slider("Text Speed", 0.0, 3.0, static_cast<double>(ReadTextSpeed()), 1.0)
{
    step = 1.0;
    // A stored value that is no speed shows (and is) the default.
    value = static_cast<double>(ReadTextSpeed());
    RebuildBar();
}

void TextSpeedSlider::Draw()
{
    Slider::Draw();
    const double right = x + std::max(4, width) * scale * kCellWidth / 2;
    DisplayManager::DrawScreenText({right + 1.6, y}, TextSpeedName(ReadTextSpeed()), sprite.colour);
}

BumpScosity::BumpScosity() : Slider("Bumpscocity", 0.0, 10.0, 5.0, 1.0)
{
}

OpacitySlider::OpacitySlider() : Slider("Opacity of this slider", 0.0, 1.0, 1.0, 1.0)
{
}

void OpacitySlider::OnValueChanged(double newValue)
{
    sprite.colour.a = static_cast<std::uint8_t>(std::clamp(newValue * 230.0 + 25.0, 0.0, 255.0));
}

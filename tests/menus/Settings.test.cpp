// The settings page's own controls, clicked and dragged as a player does: the toggles, the
// sliders, full screen by button and by F11, and dice rolls heard at once.
#include "menus/Settings.hpp"

#include "dialogue/DialogManager.hpp"
#include "dialogue/TextSpeed.hpp"
#include "game/Effects.hpp"
#include "menus/Dice.hpp"
#include "resources/ResourceManager.hpp"
#include "support/AudioFiles.hpp"
#include "support/GameTest.hpp"
#include "widgets/MouseFollower.hpp"

#include <cmath>
#include <gtest/gtest.h>
#include <numeric>

namespace
{
void OpenSettings(GameDriver& game)
{
    Map::getInstance().LoadScene(SceneNumber::SettingsMenu);
    game.Frame();
}

// Holds the left button on the slider's knob, drags it to screen x `to`, and lets go there.
void Drag(GameDriver& game, const Slider& slider, double to)
{
    game.MoveMouse(slider.x, slider.y);
    game.Frame();
    game.MouseDown();
    game.MoveMouse(to, slider.y);
    game.Frame();
    game.MouseUp();
    game.Frame();
}
} // namespace

TEST(SettingsPage, ATogglePutsItsStateInTheSettingsDropsADoorAndLeavesAnOddValueAlone)
{
    GameDriver game;
    SetSetting("LegacyAudio", "7"); // not a state the box knows
    OpenSettings(game);
    auto* multiplayer = LiveObjects<MultiplayerButton>().at(0);
    auto* legacy = LiveObjects<legacyAudioButton>().at(0);

    const std::size_t doors = LiveObjects<DoorParticle>().size();
    ClickOn(game, *multiplayer);
    EXPECT_EQ(Setting("Multiplayer"), "1");
    EXPECT_EQ(LiveObjects<DoorParticle>().size(), doors + 1) << "a click throws out a falling door";
    game.MoveMouse(15.0, 9.0);
    game.Frames(2);
    EXPECT_EQ(multiplayer->sprite.frameIndex, 1) << "the ticked box, once the pointer has left";
    ClickOn(game, *multiplayer);
    EXPECT_EQ(Setting("Multiplayer"), "0");

    for (int click = 0; click < 3; ++click)
        ClickOn(game, *legacy);
    EXPECT_EQ(Setting("LegacyAudio"), "7")
        << "clicks neither flip nor lose a stored value other than 0 and 1";
}

TEST(SettingsPage, TheLoadingLengthSliderSetsTheNextLoadingScreenWithinThreeToThirteenSeconds)
{
    GameDriver game;
    OpenSettings(game);
    const auto* slider = LiveObjects<LoadingLengthSlider>().at(0);
    Drag(game, *slider, slider->x + 20.0);
    EXPECT_DOUBLE_EQ(Data().loadingLength, 13.0);
    EXPECT_DOUBLE_EQ(SettingManager::getInstance().GetNumber("Loading Length", 0.0), 13.0);
    Drag(game, *slider, slider->x - 20.0);
    EXPECT_DOUBLE_EQ(Data().loadingLength, 3.0);

    Map::getInstance().ChangeScene(SceneNumber::TitleMenu);
    const int frames = 1 + static_cast<int>(3.0 * 60);
    EXPECT_FALSE(game.RunUntil([] { return Data().currentScene == SceneNumber::TitleMenu; }, frames - 10));
    EXPECT_TRUE(game.RunUntil([] { return Data().currentScene == SceneNumber::TitleMenu; }, 20));
}

TEST(SettingsPage, TheOpacitySliderFadesItselfAndKeepsItsValueForNextTime)
{
    GameDriver game;
    SetSetting("Opacity of this slider", "0.5");
    OpenSettings(game);
    const auto* slider = LiveObjects<OpacitySlider>().at(0);
    EXPECT_EQ(slider->sprite.colour.a, 140) << "a stored value shows at once";
    Drag(game, *slider, slider->x - 20.0);
    EXPECT_EQ(slider->sprite.colour.a, 25) << "faint, never invisible";
    Drag(game, *slider, slider->x + 20.0);
    EXPECT_EQ(slider->sprite.colour.a, 255);
    EXPECT_DOUBLE_EQ(SettingManager::getInstance().GetNumber("Opacity of this slider", 0.0), 1.0);
}

TEST(SettingsPage, F11AndTheFullScreenBoxAlwaysAgree)
{
    GameDriver game;
    ResetWindow(12.0);
    OpenSettings(game);
    auto* box = LiveObjects<FullscreenButton>().at(0);
    DisplayManager& display = DisplayManager::getInstance();
    ASSERT_FALSE(display.fullscreen);

    game.Tap(Key::F11);
    game.Frames(2);
    EXPECT_TRUE(display.fullscreen);
    EXPECT_EQ(box->state, 1);
    ClickOn(game, *box);
    EXPECT_FALSE(display.fullscreen);
    EXPECT_EQ(box->state, 0);
    ClickOn(game, *box);
    EXPECT_TRUE(display.fullscreen);
    game.Tap(Key::F11);
    game.Frames(2);
    EXPECT_FALSE(display.fullscreen);
    EXPECT_EQ(box->state, 0);
    EXPECT_EQ(display.window.getSize(), sf::Vector2u(1280, 720)) << "back at the windowed size";
}

TEST(SettingsPage, ARollIsHeardAtOnceInWhatIsPlayingOnItsTrack)
{
    GameDriver game;
    REQUIRE_SOUND_DEVICE();
    SetSetting("Track", "Dialogue Volume");
    ResourceManager& resources = ResourceManager::getInstance();
    resources.LoadSound("voice", "dialog/0_0.mp3");
    resources.PlayDialogue("voice", 100);
    resources.sounds.at("voice")->setLooping(true);
    EXPECT_FLOAT_EQ(resources.sounds.at("voice")->getVolume(), 96.f);
    new MouseFollower();
    BuildDiceSelector();
    ClickOn(game, *LiveObjects<RollButton>().at(0));
    std::int32_t sum = 0;
    for (const Dice* die : LiveObjects<Dice>())
        sum += die->value;
    EXPECT_EQ(Setting("Dialogue Volume"), std::to_string(sum));
    EXPECT_FLOAT_EQ(resources.sounds.at("voice")->getVolume(), static_cast<float>(sum));
    EXPECT_EQ(resources.sounds.at("voice")->getStatus(), sf::SoundSource::Status::Playing);
}

TEST(SettingsPage, TheTextSpeedSliderStepsThroughTheFourSpeedsAndTheDialogueTypesAtIt)
{
    GameDriver game;
    OpenSettings(game);
    const auto* slider = LiveObjects<TextSpeedSlider>().at(0);
    EXPECT_EQ(ReadTextSpeed(), TextSpeed::Normal) << "the game's own speed until the player chooses";
    Drag(game, *slider, slider->x + 20.0);
    EXPECT_EQ(ReadTextSpeed(), TextSpeed::Instant);
    Drag(game, *slider, slider->x - 20.0);
    EXPECT_EQ(ReadTextSpeed(), TextSpeed::Slow);
    Drag(game, *slider, slider->x + 0.5);
    EXPECT_EQ(slider->value, std::round(slider->value)) << "only the four steps";

    SetSetting("Text Speed", "2");
    Map::getInstance().LoadScene(0);
    DialogManager::getInstance().StartDialog(3);
    game.Frames(12);
    EXPECT_EQ(Data().dialogText.size(), 11u) << "fast: a character every frame";
}

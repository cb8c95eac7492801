// The pointer, buttons and sliders, driven with synthetic mouse events and real frames.
#include "support/GameTest.hpp"
#include "widgets/Button.hpp"
#include "widgets/MouseFollower.hpp"
#include "widgets/Slider.hpp"

#include <gtest/gtest.h>

namespace
{
struct CountingButton : Button
{
    int clicks = 0;
    bool changeScene = false;
    explicit CountingButton(WorldPoint at)
    {
        DressButton(*this, "sprites/StartButton.txt", at, 1.0, 1.0, 1.0);
    }
    void OnClick() override
    {
        ++clicks;
        if (changeScene)
            Map::getInstance().ChangeScene(0);
    }
};
} // namespace

TEST(Buttons, TheHighlightFollowsThePointerAFrameLateAndOnlyTheLeftButtonClicksAndKnocks)
{
    GameDriver game;
    new MouseFollower();
    auto* button = new CountingButton({5.0, 5.0});
    game.MoveMouse(5.0, 5.0);
    game.Frame();
    EXPECT_EQ(button->sprite.frameIndex, 0) << "the overlap is found after this frame's tick";
    game.Frame();
    EXPECT_EQ(button->sprite.frameIndex, 1);

    game.Click(sf::Mouse::Button::Right);
    EXPECT_EQ(button->clicks, 0);
    EXPECT_NE(SoundStatus("knock"), sf::SoundSource::Status::Playing);
    game.Click();
    EXPECT_EQ(button->clicks, 1);
    EXPECT_EQ(SoundStatus("knock"), sf::SoundSource::Status::Playing);
    game.Click();
    EXPECT_EQ(button->clicks, 1) << "one click per overlap: the target is used up until the next frame";

    game.MoveMouse(-5.0, -5.0);
    game.Frames(2);
    EXPECT_EQ(button->sprite.frameIndex, 0);
    game.Click();
    EXPECT_EQ(button->clicks, 1);
}

TEST(Buttons, AClickThatChangesSceneDoesNotKnockAndClicksWaitForADialogueUnlessAllowed)
{
    GameDriver game;
    new MouseFollower();
    auto* button = new CountingButton({0.0, 0.0});
    game.Frames(2);
    DialogManager::getInstance().StartDialog(3);
    game.Click();
    EXPECT_EQ(button->clicks, 0) << "dropped while a dialogue plays";
    game.Frame();
    button->activeDuringDialog = true;
    game.Click();
    EXPECT_EQ(button->clicks, 1);
    DialogManager::getInstance().EndDialog();

    ResourceManager::getInstance().StopAll();
    game.Frames(2);
    button->changeScene = true;
    game.Click();
    EXPECT_EQ(Data().currentScene, SceneNumber::Loading);
    EXPECT_NE(SoundStatus("knock"), sf::SoundSource::Status::Playing);
    game.Frames(3); // the button and the pointer are gone with the scene: nothing touches them
}

TEST(Buttons, SlidersKeepTheirValueWithinTheirEndsHoweverTheyAreDraggedOrStored)
{
    GameDriver game;
    new MouseFollower();
    SetSetting("Broken", "not a number");
    SetSetting("High", "99");
    auto* broken = new Slider("Broken", 0.0, 10.0, 4.0, 1.0);
    EXPECT_DOUBLE_EQ(broken->value, 4.0) << "unreadable stored text keeps the default";
    EXPECT_DOUBLE_EQ((new Slider("High", 0.0, 10.0, 4.0, 1.0))->value, 10.0);
    auto* flat = new Slider("Flat", 2.0, 2.0, 7.0, 1.0);
    EXPECT_EQ(flat->sprite.frames[0], "D|" + std::string(19, 'o') + "R");

    // Reversed: the left end is the minimum given, 10; dragging far right reaches 0.
    auto* reversed = new Slider("Reversed", 10.0, 0.0, 10.0, 1.0);
    reversed->y = 3.0;
    game.MoveMouse(0.0, 3.0);
    game.Frames(2);
    game.MouseDown();
    const double middle = reversed->value;
    EXPECT_NEAR(middle, 5.0, 0.5);
    EXPECT_EQ(Setting("Reversed"), std::to_string(middle)) << "stored as %f text";
    const std::string bar = reversed->sprite.frames[0];
    game.MoveMouse(0.05, 3.0);
    game.Frame();
    EXPECT_NE(Setting("Reversed"), std::to_string(middle)) << "a move within one cell stores the value";
    EXPECT_EQ(reversed->sprite.frames[0], bar) << "and keeps the bar";
    game.MoveMouse(16.0, 8.0); // far outside the bar, still dragging
    game.Frame();
    EXPECT_DOUBLE_EQ(reversed->value, 0.0);

    game.MouseUp(); // a release anywhere ends the drag
    game.MoveMouse(-16.0, 3.0);
    game.Frame();
    EXPECT_DOUBLE_EQ(reversed->value, 0.0);
}

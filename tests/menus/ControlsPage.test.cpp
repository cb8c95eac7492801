// The Controls page: choosing an action and pressing its new key, refusals, Escape, the defaults,
// and the places that show the keys in force.
#include "menus/ControlsPage.hpp"

#include "dialogue/DialogBox.hpp"
#include "support/GameTest.hpp"
#include "widgets/KeyboardFocus.hpp"

#include <gtest/gtest.h>

namespace
{
ControlsPage& Page()
{
    return *LiveObjects<ControlsPage>().at(0);
}

BindingRow& Row(Action action)
{
    for (BindingRow* row : LiveObjects<BindingRow>())
        if (row->action == action)
            return *row;
    throw std::runtime_error("no row");
}

std::string RowText(Action action)
{
    return Row(action).sprite.frames.at(0);
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}
} // namespace

TEST(ControlsPage, AChosenActionTakesTheNextKeyUnlessAnotherHasItAndEscapeLeavesItAsItWas)
{
    GameDriver game;
    Map::getInstance().LoadScene(SceneNumber::Controls);
    game.Frame(kStep);
    // Enter on the focused row (Walk up) waits for a key; the Enter itself is not it.
    game.Tap(Key::Enter);
    game.Frame(kStep);
    EXPECT_EQ(Page().Awaited(), Action::WalkUp);
    EXPECT_TRUE(Contains(Page().Message(), "Press the new key for Walk up (now W)")) << Page().Message();

    // Up is the second door's: refused, naming it, and the page still waits. Escape and Tab act
    // on nothing else meanwhile.
    game.Tap(Key::Up);
    EXPECT_EQ(Page().Message(), "Up already does Second door up: press another key, or Escape.");
    game.Tap(Key::F11);
    EXPECT_EQ(Page().Message(), "F11 already does Full screen: press another key, or Escape.");
    EXPECT_FALSE(DisplayManager::getInstance().fullscreen) << "the waiting page has F11 to itself";
    EXPECT_EQ(Page().Awaited(), Action::WalkUp);
    KeyboardFocus& focus = KeyboardFocus::getInstance();
    ButtonBase* focused = focus.Current();
    game.Tap(Key::I);
    EXPECT_EQ(Page().Message(), "Walk up is now I.");
    EXPECT_EQ(Page().Awaited(), std::nullopt);
    EXPECT_EQ(focus.Current(), focused);
    EXPECT_TRUE(Contains(RowText(Action::WalkUp), " I ")) << RowText(Action::WalkUp);
    EXPECT_TRUE(Contains(ReadFile("important/settings.txt"), "Key Walk Up:I;"));
    EXPECT_TRUE(Contains(ControlsSummary().at(1), "I A S D or arrow keys")) << ControlsSummary().at(1);

    // Chosen with the mouse, Escape leaves the pause as it was and keeps the player on the page.
    ClickOn(game, Row(Action::Pause));
    game.Frame(kStep);
    EXPECT_EQ(Page().Awaited(), Action::Pause);
    game.Tap(Key::Escape);
    EXPECT_EQ(Page().Message(), "Pause and resume keeps Escape.");
    EXPECT_EQ(Data().currentScene, SceneNumber::Controls);
    EXPECT_FALSE(KeyBindings::getInstance().Capturing());
    game.Tap(Key::F11);
    EXPECT_TRUE(DisplayManager::getInstance().fullscreen) << "F11 is full screen's again";
    game.Tap(Key::F11);

    // The turn-the-page key shows where the dialogue box tells of it.
    Row(Action::Advance).OnClick();
    game.Frame(kStep);
    game.Tap(Key::X);
    EXPECT_EQ(PageHint(), "X or a click turns the page");

    // The defaults come back, and Escape now leaves the page for the settings, where the focus
    // is on the way back in.
    for (DefaultsButton* defaults : LiveObjects<DefaultsButton>())
        ClickOn(game, *defaults);
    EXPECT_EQ(Page().Message(), "Every action has its own keys again.");
    EXPECT_TRUE(Contains(RowText(Action::WalkUp), " W ")) << RowText(Action::WalkUp);
    EXPECT_EQ(PageHint(), "Space, Enter or a click turns the page");
    game.Tap(Key::Escape);
    EXPECT_EQ(Data().pendingScene, SceneNumber::SettingsMenu);
    ASSERT_TRUE(game.ReachScene(SceneNumber::SettingsMenu));
    EXPECT_NE(dynamic_cast<ControlsButton*>(KeyboardFocus::getInstance().Current()), nullptr);
}

TEST(ControlsPage, APadsButtonEndsTheWaitForAKey)
{
    GameDriver game;
    Map::getInstance().LoadScene(SceneNumber::Controls);
    game.Frame(kStep);
    game.ConnectPad(1);
    game.PadButton(1, 0);
    game.Frame(kStep);
    ASSERT_EQ(Page().Awaited(), Action::WalkUp);
    game.PadButton(1, 1);
    game.Frame(kStep);
    EXPECT_EQ(Page().Awaited(), std::nullopt);
    EXPECT_EQ(Page().Message(), "Walk up keeps its keys.");
    EXPECT_EQ(Data().currentScene, SceneNumber::Controls)
        << "the B that ended the wait does not also go back";
    game.PadButton(1, 1);
    EXPECT_EQ(Data().pendingScene, SceneNumber::SettingsMenu);
}

// Game pads: their sticks and d-pads walking the doors, pads coming and going mid-walk, two
// players' pads, and their buttons in dialogues, menus and the game.
#include "game/Backlog.hpp"
#include "game/PlayControls.hpp"
#include "game/PlayerDoors.hpp"
#include "menus/Title.hpp"
#include "support/GameTest.hpp"
#include "widgets/KeyboardFocus.hpp"

#include <gtest/gtest.h>

namespace
{
using Axis = sf::Joystick::Axis;
constexpr unsigned kA = 0, kB = 1, kY = 3, kStart = 7;

std::vector<double> Axes()
{
    return {Data().p1MoveX, Data().p1MoveY, Data().p2MoveX, Data().p2MoveY};
}

// A door on its own, in a scene without exits or camera limits (a fight screen).
Door* LoneDoor()
{
    Data().currentScene = 3;
    return new Door();
}
} // namespace

TEST(GamePads, AStickPastItsDeadZoneOrADPadWalksTheDoorAndAPadThatGoesMidWalkLeavesNothingWalking)
{
    GameDriver game;
    Door* door = LoneDoor();
    game.ConnectPad(4);
    game.PadAxis(4, Axis::X, 20.f);
    EXPECT_EQ(Axes(), (std::vector<double>{0, 0, 0, 0})) << "inside the dead zone";
    game.PadAxis(4, Axis::X, 80.f);
    game.PadAxis(4, Axis::PovY, -100.f);
    EXPECT_EQ(Axes(), (std::vector<double>{1, 1, 0, 0})) << "right on the stick, up on the d-pad";
    const double x = door->x;
    game.Frames(10);
    EXPECT_GT(door->x, x);

    // Unplugged while walking: the door stops, and the keyboard still walks it.
    game.Press(Key::A);
    game.DisconnectPad(4);
    EXPECT_EQ(Axes(), (std::vector<double>{-1, 0, 0, 0}));
    game.Release(Key::A);
    game.Frames(2);
    const double stopped = door->x;
    game.Frames(10);
    EXPECT_EQ(door->x, stopped);
    // Plugged in again, it starts still, whatever it last reported.
    game.ConnectPad(4);
    EXPECT_EQ(Axes(), (std::vector<double>{0, 0, 0, 0}));
    EXPECT_EQ(PlayControls::getInstance().PadOrder(), (std::vector<std::int64_t>{4}));
}

TEST(GamePads, WithTwoDoorsTheFirstPadDrivesTheFirstAndTheSecondTheSecondBesideTheKeyboard)
{
    GameDriver game;
    SetSetting("Multiplayer", "1");
    game.ConnectPad(6);
    game.ConnectPad(2);
    game.PadAxis(2, Axis::X, -100.f);
    game.PadAxis(6, Axis::Y, 100.f);
    EXPECT_EQ(Axes(), (std::vector<double>{0, -1, -1, 0}));
    // The second player may use the arrows as well; the first pad's place waits for it.
    game.Press(Key::Up);
    EXPECT_EQ(Axes(), (std::vector<double>{0, -1, -1, 1}));
    game.DisconnectPad(6);
    EXPECT_EQ(Axes(), (std::vector<double>{0, 0, -1, 1})) << "the second pad keeps the second door";
    EXPECT_EQ(PlayControls::getInstance().PadOrder(), (std::vector<std::int64_t>{-1, 2}));
    game.ConnectPad(9);
    EXPECT_EQ(PlayControls::getInstance().PadOrder(), (std::vector<std::int64_t>{9, 2}));
    game.PadAxis(9, Axis::PovX, 100.f);
    EXPECT_EQ(Axes(), (std::vector<double>{1, 0, -1, 1}));
    // With one door every pad drives it.
    SetSetting("Multiplayer", "0");
    game.Release(Key::Up);
    EXPECT_EQ(Axes(), (std::vector<double>{0, 0, 0, 0})) << "right and left together";
}

TEST(GamePads, ATurnsPagesAndPressesBGoesBackStartPausesAndYOpensTheBacklog)
{
    GameDriver game;
    game.ConnectPad(0);
    // A finishes a page, then turns it.
    Map::getInstance().LoadScene(1);
    DialogManager::getInstance().StartDialog(4);
    game.PadButton(0, kA);
    game.Frame(kStep);
    const std::string page = Data().dialogText;
    EXPECT_FALSE(page.empty());
    EXPECT_TRUE(DialogManager::getInstance().pageComplete);

    // Y opens the backlog over the game and closes it; Start does nothing while a page is open.
    game.PadButton(0, kY);
    EXPECT_TRUE(Backlog::IsOpen());
    game.PadButton(0, kY);
    EXPECT_FALSE(Backlog::IsOpen());
    game.PadButton(0, kStart);
    EXPECT_EQ(Data().currentScene, 1);
    ASSERT_TRUE(ClickThroughDialogue(game));
    game.PadButton(0, kStart);
    EXPECT_EQ(Data().pendingScene, SceneNumber::SettingsMenu) << "paused";
    ASSERT_TRUE(game.ReachScene(SceneNumber::SettingsMenu));
    game.PadButton(0, kStart);
    EXPECT_EQ(Data().pendingScene, SceneNumber::Resume);

    // In a menu the stick moves the focus once per push, and B goes back.
    Data().resumeScene = SceneNumber::NoGame;
    Map::getInstance().LoadScene(SceneNumber::TitleMenu);
    game.Frame(kStep);
    game.PadAxis(0, Axis::X, 100.f);
    game.PadAxis(0, Axis::X, 90.f);
    EXPECT_NE(dynamic_cast<SettingsButton*>(KeyboardFocus::getInstance().Current()), nullptr);
    game.PadAxis(0, Axis::X, 0.f);
    game.PadAxis(0, Axis::PovY, 100.f);
    EXPECT_NE(dynamic_cast<QuitButton*>(KeyboardFocus::getInstance().Current()), nullptr);
    game.PadAxis(0, Axis::PovY, 0.f);
    game.PadAxis(0, Axis::X, -100.f);
    game.PadButton(0, kA);
    EXPECT_EQ(Data().currentScene, SceneNumber::TitleMenu) << "Continue, with nothing saved, only knocks";
    EXPECT_EQ(SoundStatus("knock"), sf::SoundSource::Status::Playing);
    Map::getInstance().LoadScene(SceneNumber::Credits);
    game.PadButton(0, kB);
    EXPECT_EQ(Data().pendingScene, SceneNumber::TitleMenu);
}

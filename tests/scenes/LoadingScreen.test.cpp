// The loading screen: the settings it saves, its door sounds, its progress bar and timing, and its
// tips.
#include "scenes/LoadingScreen.hpp"

#include "game/Puzzle.hpp"
#include "scenes/Tips.hpp"
#include "support/GameTest.hpp"

#include <gtest/gtest.h>
#include <sstream>

using Status = sf::SoundSource::Status;

TEST(LoadingScreen, SavesTheSettingsShowsATipAndFillsTheBarBetweenADoorOpeningAndClosing)
{
    GameDriver game;
    Data().loadingLength = 3.0;
    SetSetting("Hue", "123");
    Map::getInstance().LoadScene(0);
    Map::getInstance().ChangeScene(5);
    EXPECT_NE(ReadFile("important/settings.txt").find("Hue:123;"), std::string::npos);
    EXPECT_EQ(SoundStatus("DoorOpen"), Status::Playing);
    EXPECT_EQ(Music("Main").getStatus(), Status::Stopped);
    const std::string tip = LiveObjects<LoadingScreenTip>().at(0)->tip;
    int fromTable = 0;
    for (int i = 0; i < kTipCount; ++i)
        fromTable += Tip(i) == tip ? 1 : 0;
    EXPECT_GE(fromTable, 1) << tip;

    const ProgressBar* bar = LiveObjects<ProgressBar>().at(0);
    const std::string pattern = "DOOR=DOOR=DOOR=DOOR=DOOR=DOOR=DOOR=DOOR=DOOR=DOOR=DOOR=DOOR=DOOR=DOOR";
    game.Frames(24, kStep);
    EXPECT_EQ(bar->BarText(), "[" + pattern.substr(0, 35) + std::string(34, '-') + "]") << "half way";
    game.Frames(23, kStep);
    EXPECT_EQ(Data().currentScene, SceneNumber::Loading);
    game.Frames(1, kStep);
    EXPECT_EQ(Data().currentScene, 5) << "three seconds";
    EXPECT_EQ(SoundStatus("DoorClose"), Status::Playing);
    EXPECT_EQ(Music("Bridge").getStatus(), Status::Playing);
}

TEST(LoadingScreen, EveryTipWrapsGreedilyIntoLinesShorterThan66Characters)
{
    EXPECT_EQ(Tip(kTipCount), "I ran out of tips");
    EXPECT_EQ(WrapTip("one\ntwo   three\n\nfour"), "one two three four");
    const std::string a(30, 'a'), b(34, 'b');
    EXPECT_EQ(WrapTip(a + " " + b), a + " " + b) << "65 characters fit";
    EXPECT_EQ(WrapTip(a + " " + b + "b"), a + "\n" + b + "b");
    for (int i = 0; i < kTipCount; ++i)
    {
        std::istringstream lines(WrapTip(Tip(i)));
        EXPECT_FALSE(Tip(i).empty()) << i;
        for (std::string line; std::getline(lines, line);)
            EXPECT_LT(line.size(), 66u) << Tip(i);
    }
}

// The big door's code is in one tip among many: after a wrong code, the next loading screen (a
// pause is one) shows that tip, which leads with the code; the ones after it are random again.
TEST(LoadingScreen, AfterAWrongCodeTheNextLoadingScreenShowsTheCodesTip)
{
    GameDriver game;
    EXPECT_EQ(Tip(kCodeTip).rfind(kDoorCode, 0), 0u) << Tip(kCodeTip);
    Data().loadingLength = 0.2;
    Map::getInstance().LoadScene(8);
    new Puzzle();
    Type(game, "12345678");
    game.Tap(Key::Enter);
    ASSERT_FALSE(LiveObjects<Puzzle>().empty()) << "a wrong code leaves the panel open";
    game.Tap(Key::Escape);
    game.Frame(kStep);
    game.Tap(Key::Escape); // pause: a loading screen on the way to the pause page
    ASSERT_EQ(Data().currentScene, SceneNumber::Loading);
    EXPECT_EQ(LiveObjects<LoadingScreenTip>().at(0)->tip, Tip(kCodeTip));
    EXPECT_FALSE(Data().codeTipDue) << "once is enough";
}

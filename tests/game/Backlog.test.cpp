// The backlog as a player uses it: opened with L, Page Up or the wheel during a game, over a
// frozen world and a page that waits, scrolled, and closed again; never over a panel.
#include "game/Backlog.hpp"

#include "dialogue/DialogManager.hpp"
#include "dialogue/Script.hpp"
#include "game/PlayerDoors.hpp"
#include "game/Puzzle.hpp"
#include "support/AudioFiles.hpp"
#include "support/GameTest.hpp"

#include <gtest/gtest.h>

namespace
{
DialogManager& Dialog()
{
    return DialogManager::getInstance();
}

// The long bridge with the door walking right and a dialogue being typed.
Door* WalkAndTalk(GameDriver& game)
{
    Map::getInstance().LoadScene(1);
    game.Frames(2);
    Door* door = LiveObjects<Door>().at(0);
    Dialog().StartDialog(8);
    ClickThroughDialogue(game);
    Dialog().StartDialog(3);
    game.Frames(10);
    return door;
}
} // namespace

TEST(Backlog, ItShowsThePagesUnderTheirSpeakersAndNoKeyOrClickReachesTheGame)
{
    GameDriver game;
    Door* door = WalkAndTalk(game);
    const std::string typed = Data().dialogText;
    game.Tap(Key::L);
    ASSERT_TRUE(Backlog::IsOpen());
    const std::vector<Backlog::Line>& lines = LiveObjects<Backlog>().at(0)->lines;
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front().text, "Door:") << "the oldest page at the top, under its speaker";
    EXPECT_EQ(lines.front().colour, PlayerColour());
    EXPECT_EQ(lines.at(3).text, "Door (right):");
    std::string last;
    for (auto line = lines.rbegin(); line != lines.rend() && line->text != "Door:"; ++line)
        last = line->text.substr(2) + last;
    EXPECT_NE(last.find("Bridges go somewhere."), std::string::npos) << "the page being typed, in full";

    const double x = door->x;
    game.Press(Key::D);
    game.Tap(Key::Space);
    game.Tap(Key::Enter);
    game.MoveMouse(0.0, 0.0);
    game.Click();
    game.Frames(30);
    EXPECT_TRUE(Backlog::IsOpen());
    EXPECT_EQ(Data().dialogText, typed);
    EXPECT_EQ(Data().dialogPage, 0);
    EXPECT_EQ(door->x, x);
    game.Release(Key::D);
    game.Tap(Key::Escape);
    EXPECT_FALSE(Backlog::IsOpen()) << "Escape closes it";
    EXPECT_EQ(Data().currentScene, 1) << "rather than pausing";
    EXPECT_EQ(Data().p1MoveX, 0.0) << "a key let go while it showed does not keep walking";
}

TEST(Backlog, ItOpensAndClosesEveryWayAndTheGameGoesOnAsItWas)
{
    GameDriver game;
    const Door* door = WalkAndTalk(game);
    const std::vector<GameObject*> world = WorldManager::getInstance().objects;
    const double x = door->x;
    for (int way = 0; way < 3; ++way)
    {
        SCOPED_TRACE(way);
        if (way == 0)
            game.Tap(Key::L);
        else if (way == 1)
            game.Tap(Key::PageUp);
        else
            game.ScrollWheel(1.f);
        ASSERT_TRUE(Backlog::IsOpen());
        const std::uint64_t revealed = Dialog().revealed;
        game.Frames(20);
        EXPECT_EQ(Dialog().revealed, revealed) << "the page waits where it was";
        EXPECT_EQ(door->x, x) << "the world does not tick";
        if (way == 0)
            game.Tap(Key::L);
        else if (way == 1)
            game.Tap(Key::Escape);
        else
        {
            game.MoveMouse(17.0, 9.5); // outside the panel
            game.Click();
        }
        EXPECT_FALSE(Backlog::IsOpen());
        game.Frame();
        EXPECT_EQ(WorldManager::getInstance().objects, world) << "the same objects come back";
    }
    const std::uint64_t revealed = Dialog().revealed;
    game.Frames(4);
    EXPECT_EQ(Dialog().revealed, revealed + 2) << "typing goes on from where it stopped";
}

TEST(Backlog, ItScrollsWithinItsLinesAndStartsAtTheNewest)
{
    GameDriver game;
    Map::getInstance().LoadScene(1);
    for (std::int32_t n = 4; n <= 20; ++n)
    {
        Dialog().StartDialog(n);
        ASSERT_TRUE(ClickThroughDialogue(game));
    }
    game.Tap(Key::PageUp);
    Backlog* backlog = LiveObjects<Backlog>().at(0);
    const auto last = static_cast<std::int32_t>(backlog->lines.size()) - Backlog::kVisibleLines;
    ASSERT_GT(last, Backlog::kVisibleLines);
    EXPECT_EQ(backlog->top, last);
    game.Tap(Key::PageUp);
    EXPECT_EQ(backlog->top, last - Backlog::kVisibleLines);
    game.Tap(Key::Down);
    game.ScrollWheel(1.f);
    EXPECT_EQ(backlog->top, last - Backlog::kVisibleLines + 1 - 3);
    for (int i = 0; i < 20; ++i)
        game.Tap(Key::PageUp);
    EXPECT_EQ(backlog->top, 0);
    for (int i = 0; i < 20; ++i)
        game.ScrollWheel(-1.f);
    EXPECT_EQ(backlog->top, last);
}

TEST(Backlog, ItDoesNotOpenOverAPanelALoadingScreenThePausePageOrTheTitle)
{
    GameDriver game;
    Map::getInstance().LoadScene(8);
    new Puzzle();
    game.Tap(Key::L);
    EXPECT_FALSE(Backlog::IsOpen()) << "the code panel";
    WorldManager::getInstance().MarkAllForDeletion();
    game.Frame();
    EXPECT_FALSE(Data().controlsLocked);

    Map::getInstance().ChangeScene(2);
    game.Tap(Key::L);
    EXPECT_FALSE(Backlog::IsOpen()) << "the loading screen";
    ASSERT_TRUE(game.ReachScene(2));
    game.Tap(Key::Escape);
    ASSERT_TRUE(game.ReachScene(SceneNumber::SettingsMenu));
    game.Tap(Key::PageUp);
    EXPECT_FALSE(Backlog::IsOpen()) << "the pause page";

    Data().resumeScene = SceneNumber::NoGame;
    Map::getInstance().LoadScene(SceneNumber::TitleMenu);
    game.ScrollWheel(1.f);
    EXPECT_FALSE(Backlog::IsOpen()) << "the title";
}

TEST(Backlog, TheVoiceOfTheWaitingPagePausesAndGoesOn)
{
    GameDriver game;
    REQUIRE_SOUND_DEVICE();
    Map::getInstance().LoadScene(1);
    Dialog().StartDialog(8);
    ASSERT_FALSE(Dialog().voice.Name().empty());
    game.Tap(Key::L);
    EXPECT_EQ(SoundStatus(Dialog().voice.Name()), sf::SoundSource::Status::Paused);
    game.Tap(Key::L);
    EXPECT_EQ(SoundStatus(Dialog().voice.Name()), sf::SoundSource::Status::Playing);
}

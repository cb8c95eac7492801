// Dialogue playback driven as a player drives it: frames, clicks, Space and Enter. The endings
// that start follow-ups (90 to 91 or 92 to 93, 123 to 124 to 118) are played in the story's
// playthrough, as is Escape during a dialogue.
#include "dialogue/DialogManager.hpp"

#include "dialogue/DialogBox.hpp"
#include "dialogue/Script.hpp"
#include "support/AudioFiles.hpp"
#include "support/GameTest.hpp"

#include <SFML/System/Sleep.hpp>
#include <algorithm>
#include <gtest/gtest.h>

namespace
{
DialogManager& Dialog()
{
    return DialogManager::getInstance();
}
} // namespace

TEST(Dialogue, PagesTypeOneCharacterEverySecondFrameAndClicksFinishThenTurnThem)
{
    GameDriver game;
    Dialog().StartDialog(2);
    ASSERT_TRUE(Dialog().active);
    ASSERT_EQ(LiveObjects<DialogBox>().size(), 1u);
    game.Frames(11);
    EXPECT_EQ(Data().dialogText, "Okay,");

    game.Click();
    EXPECT_EQ(Data().dialogText, "Okay, okay") << "a click while typing shows the whole page";
    EXPECT_EQ(Data().dialogPage, 0) << "and does not turn it";
    game.Frame();
    EXPECT_EQ(LiveObjects<DialogFlasher>().size(), 1u);

    game.Tap(Key::Space);
    EXPECT_EQ(Data().dialogPage, 1);
    game.Frame();
    EXPECT_TRUE(LiveObjects<DialogFlasher>().empty()) << "the marker goes with the finished page";
    game.Tap(Key::Enter);
    game.Tap(Key::Enter);
    EXPECT_EQ(Data().dialogPage, 2);
    game.Tap(Key::A); // other keys do nothing
    game.Click(sf::Mouse::Button::Right);
    EXPECT_EQ(Data().dialogPage, 2);

    Dialog().StartDialog(4);
    EXPECT_EQ(Data().dialogNumber, 2) << "no other dialogue starts meanwhile";

    ASSERT_TRUE(ClickThroughDialogue(game));
    EXPECT_EQ(Data().dialogNumber, -1);
    game.Frame();
    EXPECT_TRUE(LiveObjects<DialogBox>().empty());
    EXPECT_TRUE(LiveObjects<DialogDisplay>().empty());
}

TEST(Dialogue, AnEmptyPageIsShownAndStillWaitsForAClick)
{
    GameDriver game;
    Dialog().StartDialog(900);
    game.Click();
    game.Click();
    game.Frames(3);
    EXPECT_EQ(Data().dialogPage, 1);
    EXPECT_EQ(Data().dialogText, "");
    EXPECT_TRUE(Dialog().pageComplete);
    game.Frames(30);
    EXPECT_EQ(Data().dialogPage, 1) << "nothing turns the empty page but the player";
    game.Click();
    EXPECT_EQ(Data().dialogPage, 2);
}

TEST(Dialogue, TheAutoPlayingCutSceneIgnoresThePlayerAndTurnsASecondAfterASilentPage)
{
    GameDriver game;
    const WithoutVoices silent;
    Dialog().StartDialog(113);
    int frames = 0;
    for (; Data().dialogPage == 0 && frames < 500; ++frames)
    {
        game.Click();
        game.Tap(Key::Space);
        game.Frame(1.0 / 60.0);
    }
    // Typing "Run! Run away!" takes 14 characters x 2 frames, then a second of waiting.
    EXPECT_NEAR(frames, 28 + 60, 2);
    EXPECT_TRUE(LiveObjects<DialogFlasher>().empty()) << "no waiting marker in auto mode";
}

TEST(Dialogue, TheAutoPlayingCutSceneWaitsForItsClipAndTurnsHalfASecondAfterItEnds)
{
    GameDriver game;
    REQUIRE_SOUND_DEVICE();
    Dialog().StartDialog(113);
    ASSERT_FALSE(Dialog().voice.Name().empty()) << "dialogue 113 has its voice clips";
    // Held, the clip lasts as long as the test needs, whatever the frames cost in real time.
    Dialog().voice.Pause();
    game.Frames(120);
    EXPECT_EQ(Data().dialogPage, 0) << "typed out long ago, but the clip has not ended";
    ResourceManager::getInstance().Stop(Dialog().voice.Name());
    int frames = 0;
    for (; Data().dialogPage == 0 && frames < 200; ++frames)
        game.Frame(1.0 / 60.0);
    EXPECT_NEAR(frames, 30, 1) << "half a second of frames after the clip";
}

TEST(Dialogue, ASceneChangeInTheMiddleEndsTheDialogueQuietlyAndTheNextOneStarts)
{
    GameDriver game;
    Data().loadingLength = 0.2;
    Map::getInstance().LoadScene(0);
    Dialog().StartDialog(45); // its ending would change scene: it must not run
    game.Frames(5);
    Map::getInstance().ChangeScene(1);
    ASSERT_TRUE(game.ReachScene(1));
    EXPECT_FALSE(Dialog().active);
    EXPECT_EQ(Data().dialogNumber, -1);
    EXPECT_EQ(Data().pendingScene, 1) << "the abandoned dialogue's ending did not run";
    EXPECT_TRUE(LiveObjects<DialogBox>().empty());
    Dialog().StartDialog(4);
    EXPECT_EQ(Data().dialogNumber, 4);
}

TEST(Dialogue, PortraitsFollowTheSpeakerAndADesignThatIsNoNumberShowsTheFirst)
{
    GameDriver game;
    SetSetting("DKS", "abc");
    Dialog().StartDialog(8); // the door, then the door on the right, in turns
    const DialogDisplay* display = LiveObjects<DialogDisplay>().at(0);
    EXPECT_EQ(std::make_pair(display->sprite.frameIndex, display->x), std::make_pair(1, -11.0));
    game.Click();
    game.Click();
    EXPECT_EQ(std::make_pair(display->speaker, display->x), std::make_pair(1, 11.0));
}

TEST(Dialogue, TheTextSpeedSetsHowManyFramesACharacterWaitsAndAClickStillFinishesThePage)
{
    constexpr std::size_t kWhole = std::string::npos;
    // The page as it stands after 12 frames: each frame shows what the one before revealed.
    // clang-format off
    const std::tuple<const char*, std::size_t> rows[] = {
        {"0",        3     }, // slow: a character every third frame
        {"1",        5     }, // the game's own speed: every second frame
        {"2",        11    }, // fast: every frame
        {"3.000000", kWhole}, // instant, as the slider writes it
        {"7",        5     }, // no such speed, no number, not a step: the default
        {"fast",     5     },
        {"1.5",      5     },
    };
    // clang-format on
    const std::string page = SplitPages(Script(3)).at(0);
    for (const auto& [setting, shown] : rows)
    {
        SCOPED_TRACE(setting);
        ResetSingletons();
        GameDriver game;
        SetSetting("Text Speed", setting);
        Dialog().StartDialog(3);
        game.Frames(12);
        EXPECT_EQ(Data().dialogText, page.substr(0, shown));
        game.Click();
        EXPECT_EQ(Data().dialogText, page) << "a click finishes the page at any speed";
        EXPECT_EQ(Data().dialogPage, 0);
    }
}

TEST(Dialogue, EveryPageShownJoinsTheHistoryWithItsSpeakerAndOnlyTheLastFiftyAreKept)
{
    GameDriver game;
    Dialog().StartDialog(8); // the door and the door on the right, in turns
    ASSERT_TRUE(ClickThroughDialogue(game));
    std::vector<std::pair<std::int32_t, std::int32_t>> seen;
    for (const ShownPage& page : Dialog().history.Pages())
        seen.emplace_back(page.page, page.speaker);
    EXPECT_EQ(seen, (std::vector<std::pair<std::int32_t, std::int32_t>>{
                        {0, 0},
                        {1, 1},
                        {2, 0},
                        {3, 1}
    }));
    EXPECT_EQ(Dialog().history.Pages().back().text, SplitPages(Script(8)).at(3));

    for (std::int32_t n = 4; n <= 43; ++n)
    {
        Dialog().StartDialog(n);
        ASSERT_TRUE(ClickThroughDialogue(game));
    }
    EXPECT_EQ(Dialog().history.Pages().size(), PageHistory::kKept);
    EXPECT_EQ(Dialog().history.Pages().back().dialogue, 43);
}

TEST(Dialogue, TheBoxSaysHowToTurnAPageUntilThePlayerHasTurnedOne)
{
    GameDriver game;
    Dialog().StartDialog(2);
    EXPECT_TRUE(PageHintDue());
    EXPECT_EQ(PageHint(), "Space, Enter or a click turns the page");
    game.Frames(3);
    game.Click(); // finishes the page: not yet a turn
    EXPECT_TRUE(PageHintDue());
    game.Tap(Key::Enter);
    EXPECT_EQ(Data().dialogPage, 1);
    EXPECT_FALSE(PageHintDue()) << "one turn is enough";
    EXPECT_EQ(Setting("Page Turned"), "1") << "and it stays learnt";
    ASSERT_TRUE(ClickThroughDialogue(game));

    SetSetting("Page Turned", "0");
    Dialog().StartDialog(113);
    EXPECT_FALSE(PageHintDue()) << "pages that turn themselves need no hint";
}

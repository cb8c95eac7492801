// An ending that closes the game says so first: its card stays until a key, a click or a pad
// button (after a moment) or a few seconds, then the game closes as it always did.
#include "game/PlayerDoors.hpp"
#include "game/TitleCards.hpp"
#include "support/GameTest.hpp"

#include <gtest/gtest.h>

namespace
{
int Exits()
{
    return GameDriver::exitRequests;
}
} // namespace

TEST(EndingCard, TheNoEndingShowsItsCardUntilAKeyAndOnlyThenCloses)
{
    GameDriver game;
    Map::getInstance().LoadScene(2);
    SetSetting("Hue", "42");
    const int exits = Exits();
    ASSERT_TRUE(PlayDialogue(game, 48));
    ASSERT_EQ(LiveObjects<EndingCard>().size(), 1u)
        << "the last page gives way to the card, not a loading screen";
    EXPECT_EQ(Data().currentScene, 2);
    EXPECT_EQ(LiveObjects<Door>().size(), 0u) << "on a cleared world";
    EXPECT_TRUE(Data().controlsLocked);

    game.Frames(8, kStep);
    game.Tap(Key::Space); // still clicking through pages: too soon to count
    game.Click();
    game.Frames(40, kStep);
    EXPECT_EQ(Exits(), exits) << "it waits";
    game.Tap(Key::Space);
    EXPECT_EQ(Exits(), exits + 1) << "a key closes the game";
    EXPECT_NE(ReadFile("important/settings.txt").find("Hue:42;"), std::string::npos)
        << "the settings saved first";
}

TEST(EndingCard, EveryWayOfClosingItWorksAndLeftAloneItClosesByItself)
{
    for (int way = 0; way < 4; ++way)
    {
        SCOPED_TRACE(way);
        ResetSingletons();
        GameDriver game;
        const int exits = Exits();
        ShowEnding("The door stands by the houses, very still.");
        game.Frames(20, kStep);
        if (way == 0)
            game.Click();
        else if (way == 1)
            game.Tap(Key::Enter);
        else if (way == 2)
            DisplayManager::getInstance().HandleWindowEvent(sf::Event::JoystickButtonPressed{0, 0});
        else
            game.RunUntil([&] { return Exits() > exits; }, static_cast<int>(EndingCard::kStays * 16) + 2,
                          kStep);
        EXPECT_EQ(Exits(), exits + 1);
    }
}

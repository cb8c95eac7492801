// Props and cut-scene objects: the last burst of fake doors, and the full-screen cards that fade
// by their own clocks and then move the game on.
#include "game/Props.hpp"

#include "game/DoorCompanions.hpp"
#include "game/Effects.hpp"
#include "game/TitleCards.hpp"
#include "support/GameTest.hpp"
#include "world/PhysicsManager.hpp"

#include <gtest/gtest.h>
#include <map>
#include <tuple>

namespace
{
// Runs frames while the card's scene lasts; checks its grey level at the given ages, and the age
// it reached in its scene's last frame.
void ExpectFades(GameDriver& game, const TitleCard* card, const std::map<double, int>& levels, double lastAge)
{
    const std::int32_t scene = Data().currentScene;
    std::map<double, int> seen;
    for (int frame = 0; frame < 200 && Data().currentScene == scene; ++frame)
    {
        seen[card->age] = card->sprite.colour.r;
        game.Frames(1, kStep);
    }
    for (const auto& [age, level] : levels)
        EXPECT_EQ(seen[age], level) << "at age " << age;
    EXPECT_EQ(seen.rbegin()->first, lastAge);
}
} // namespace

TEST(Props, TheSplashHandsOverToTheTitleAtSixSecondsWhileTheLastCardsQuitAndAllFadeOnTheirOwnClocks)
{
    GameDriver game;
    PhysicsManager::getInstance().delta = kStep;
    Map::getInstance().LoadScene(SceneNumber::Splash);
    // clang-format off
    ExpectFades(game, LiveObjects<Splash>().at(0), {{0.5, 127}, {1.0, 255}, {4.5, 127}, {5.0, 0}}, 5.9375);
    // clang-format on
    EXPECT_EQ(Data().currentScene, SceneNumber::TitleMenu) << "no loading screen";

    Data().currentScene = 0;
    // clang-format off
    ExpectFades(game, new TBC(), {{3.0, 0}, {3.5, 127}, {4.0, 255}, {6.5, 127}, {7.0, 0}}, 7.9375);
    // clang-format on
    EXPECT_EQ(Data().pendingScene, SceneNumber::Quit);
    Map::getInstance().LoadScene(SceneNumber::EndCard);
    // The program ends while the card is still bright.
    // clang-format off
    ExpectFades(game, LiveObjects<CCU>().at(0), {{1.0, 0}, {1.5, 127}, {2.0, 255}, {5.9375, 255}}, 5.9375);
    // clang-format on
    EXPECT_EQ(Data().pendingScene, SceneNumber::Quit);
}

TEST(Props, TheLastBurstsTurnFakeDoorsIntoFallingDoorsAndTheWizardsBringsTheEndingTwoSecondsLater)
{
    GameDriver game;
    Data().currentScene = 13;
    const sf::Color lilac(243, 207, 252);
    new FakeDoor(-3.0);
    auto* wizard = new FakeDoor(0.0);
    wizard->x = 5.0;
    wizard->sprite.colour = lilac;
    BurstFakeDoors(0);
    EXPECT_EQ(LiveObjects<FakeDoor>(), std::vector<FakeDoor*>{wizard});
    BurstFakeDoors(1);
    EXPECT_TRUE(LiveObjects<FakeDoor>().empty());
    ASSERT_EQ(LiveObjects<DoorParticle>().size(), 100u);
    const DoorParticle* last = LiveObjects<DoorParticle>()[99];
    EXPECT_EQ(std::make_tuple(last->x, last->sprite.frameIndex, last->sprite.colour),
              std::make_tuple(5.0, 13, lilac));
    game.Frames(31, kStep);
    EXPECT_TRUE(LiveObjects<EndingCard>().empty());
    game.Frames(1, kStep);
    EXPECT_EQ(LiveObjects<EndingCard>().size(), 1u) << "two seconds later";
}

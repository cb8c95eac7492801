// Props and cut-scene objects: the last burst of fake doors, and the full-screen cards that fade
// by their own clocks and then move the game on.
#include "game/Props.hpp"

#include "engine/world/PhysicsManager.hpp"
#include "game/DoorCompanions.hpp"
#include "game/Effects.hpp"
#include "game/SceneChangeTimer.hpp"
#include "game/TitleCards.hpp"
#include "resources/ResourceManager.hpp"
#include "state/Map.hpp"
#include "support/GameTest.hpp"

#include <gtest/gtest.h>
#include <map>

namespace
{
// A stretch of the card's age (inclusive) over which it shows one brightness.
struct Span
{
    double from, to;
    int level;
};

// Runs frames while the card's scene lasts and returns its grey level by age after each frame.
std::map<double, int> Levels(GameDriver& game, const TitleCard* card)
{
    const std::int32_t scene = Data().currentScene;
    std::map<double, int> levels;
    for (int frame = 0; frame < 200; ++frame)
    {
        game.Frames(1, kStep);
        if (Data().currentScene != scene)
            break;
        const sf::Color colour = card->sprite.colour;
        EXPECT_TRUE(colour.r == colour.g && colour.g == colour.b && colour.a == 255) << card->age;
        levels[card->age] = colour.r;
    }
    return levels;
}

void ExpectTimeline(const std::map<double, int>& levels, std::initializer_list<Span> spans, double lastAge)
{
    ASSERT_FALSE(levels.empty());
    EXPECT_EQ(levels.rbegin()->first, lastAge) << "the card's time is up one step later";
    for (const Span& span : spans)
        for (auto it = levels.lower_bound(span.from); it != levels.end() && it->first <= span.to; ++it)
            EXPECT_EQ(it->second, span.level) << "at age " << it->first;
}
} // namespace

TEST(Props, TheSplashFadesInAndOutAndHandsOverToTheTitleAtSixSeconds)
{
    GameDriver game;
    PhysicsManager::getInstance().delta = kStep;
    Map::getInstance().LoadScene(SceneNumber::Splash);
    const Splash* splash = LiveObjects<Splash>().at(0);
    EXPECT_EQ(splash->age, kStep) << "a card starts one frame old";
    EXPECT_EQ(splash->sprite.colour, sf::Color(0, 0, 0, 100));
    EXPECT_EQ(ResourceManager::getInstance().sounds.at("expl")->getStatus(),
              sf::SoundSource::Status::Playing);
    EXPECT_EQ(ResourceManager::getInstance().sounds.count("DoorClose"), 0u) << "start-up is no scene change";

    // clang-format off
    ExpectTimeline(Levels(game, splash), {{0.5, 0.5, 127}, {1.0, 4.0, 255}, {4.5, 4.5, 127}, {5.0, 6.0, 0}}, 5.9375);
    // clang-format on
    EXPECT_EQ(Data().currentScene, SceneNumber::TitleMenu) << "no loading screen";
    EXPECT_EQ(ResourceManager::getInstance().musics.at("Title")->getStatus(),
              sf::SoundSource::Status::Playing);
}

TEST(Props, ToBeContinuedAndTheEndCardFadeOnTheirOwnTimesAndThenQuit)
{
    GameDriver game;
    BigAccessingOfData& data = Data();
    PhysicsManager::getInstance().delta = kStep;
    data.currentScene = 0;
    const TBC* tbc = new TBC();
    // clang-format off
    ExpectTimeline(Levels(game, tbc), {{0.0, 3.0, 0}, {3.5, 3.5, 127}, {4.0, 6.0, 255}, {6.5, 6.5, 127}, {7.0, 8.0, 0}},
                   7.9375);
    // clang-format on
    EXPECT_EQ(data.currentScene, SceneNumber::Loading);
    EXPECT_EQ(data.pendingScene, SceneNumber::Quit);

    testsupport::DestroyWorld();
    Map::getInstance().LoadScene(SceneNumber::EndCard);
    const CCU* end = LiveObjects<CCU>().at(0);
    const std::map<double, int> levels = Levels(game, end);
    // clang-format off
    ExpectTimeline(levels, {{0.0, 1.0, 0}, {1.5, 1.5, 127}, {2.0, 6.0, 255}}, 5.9375);
    // clang-format on
    EXPECT_EQ(levels.rbegin()->second, 255) << "the program ends while the card is still bright";
    EXPECT_EQ(data.currentScene, SceneNumber::Loading);
    EXPECT_EQ(data.pendingScene, SceneNumber::Quit);
}

TEST(Props, TheLastBurstsTurnFakeDoorsIntoFallingDoorsAndTheWizardsEndsTheGameTwoSecondsLater)
{
    GameDriver game;
    Data().currentScene = 13;
    const sf::Color lilac(243, 207, 252, 255);
    auto* player = new FakeDoor(-3.0);
    auto* wizard = new FakeDoor(0.0);
    wizard->x = 5.0;
    wizard->sprite.colour = lilac;
    BurstFakeDoors(0);
    EXPECT_EQ(LiveObjects<FakeDoor>(), std::vector<FakeDoor*>{wizard});
    std::vector<DoorParticle*> doors = LiveObjects<DoorParticle>();
    ASSERT_EQ(doors.size(), 50u);
    EXPECT_EQ(doors[0]->y, player->y);
    EXPECT_TRUE(LiveObjects<SceneChangeTimer>().empty());

    BurstFakeDoors(1);
    EXPECT_TRUE(LiveObjects<FakeDoor>().empty());
    doors = LiveObjects<DoorParticle>();
    ASSERT_EQ(doors.size(), 100u);
    for (std::size_t i = 50; i < doors.size(); ++i)
    {
        EXPECT_EQ(doors[i]->x, 5.0);
        EXPECT_EQ(doors[i]->sprite.frameIndex, 13);
        EXPECT_EQ(doors[i]->sprite.colour, lilac);
    }
    EXPECT_NE(doors[0]->sprite.colour, lilac);
    int frames = 0;
    for (; Data().currentScene != SceneNumber::Loading && frames < 40; ++frames)
        game.Frames(1, kStep);
    EXPECT_EQ(frames, 32) << "two seconds";
    EXPECT_EQ(Data().pendingScene, SceneNumber::Quit);
}

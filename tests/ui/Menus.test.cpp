// The menu pages as a player uses them: starting, pausing and resuming, the dice volumes and
// the character creator's cosmetics.
#include "game/DoorCompanions.hpp"
#include "support/AudioFiles.hpp"
#include "support/GameTest.hpp"
#include "ui/Cosmetics.hpp"
#include "ui/NavigationButtons.hpp"
#include "ui/menus/Creator.hpp"
#include "ui/menus/Dice.hpp"
#include "ui/menus/Title.hpp"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <numeric>

namespace
{
// Points at a button and clicks it, as a player would.
void ClickOn(GameDriver& game, const GameObject& button)
{
    game.MoveMouse(button.x + button.boxOffsetX, button.y + button.boxOffsetY);
    game.Frames(2);
    game.Click();
}

std::vector<std::int32_t> Faces()
{
    std::vector<std::int32_t> faces;
    for (Dice* die : LiveObjects<Dice>())
        faces.push_back(die->value);
    return faces;
}

sf::Music& Music(const std::string& name)
{
    return *ResourceManager::getInstance().musics.at(name);
}
} // namespace

TEST(Menus, StartLeadsThroughTheLoadingScreenToTheIslandAndStopsTheTitleMusic)
{
    GameDriver game;
    Data().loadingLength = 0.2;
    Map::getInstance().LoadScene(SceneNumber::TitleMenu);
    ASSERT_EQ(Music("Title").getStatus(), sf::SoundSource::Status::Playing);
    ClickOn(game, *LiveObjects<StartButton>().at(0));
    EXPECT_EQ(Data().currentScene, SceneNumber::Loading);
    EXPECT_EQ(Music("Title").getStatus(), sf::SoundSource::Status::Stopped);
    EXPECT_EQ(Data().resumeScene, SceneNumber::GameWithoutPause);
    EXPECT_TRUE(game.ReachScene(0));
}

TEST(Menus, EscapeOpensThePauseMenuAndResumeBringsBackTheSameWorldAndMusic)
{
    GameDriver game;
    Data().loadingLength = 0.2;
    Map::getInstance().LoadScene(0);
    game.Frames(5);
    GameObject* door = FirstOfType("Player");
    const auto world = WorldManager::getInstance().GetAllObjects();
    game.Tap(Key::Escape);
    ASSERT_TRUE(game.ReachScene(SceneNumber::SettingsMenu));
    EXPECT_EQ(Music("Main").getStatus(), sf::SoundSource::Status::Paused);
    const sf::Time pausedAt = Music("Main").getPlayingOffset();
    ASSERT_EQ(LiveObjects<ResumeButton>().size(), 1u);

    ClickOn(game, *LiveObjects<ResumeButton>().at(0));
    ASSERT_TRUE(game.ReachScene(0));
    EXPECT_EQ(WorldManager::getInstance().GetAllObjects(), world) << "the very same objects, in order";
    EXPECT_EQ(FirstOfType("Player"), door);
    EXPECT_EQ(Music("Main").getStatus(), sf::SoundSource::Status::Playing);
    EXPECT_GE(Music("Main").getPlayingOffset(), pausedAt) << "not restarted";
}

TEST(Menus, TheDiceShowTheStoredVolumeAndARollStoresTheirSum)
{
    GameDriver game;
    new MouseFollower();
    SetSetting("Dialogue Volume", "50");
    BuildDiceSelector();
    std::vector<std::int32_t> faces = Faces();
    std::sort(faces.begin(), faces.end());
    EXPECT_EQ(faces, (std::vector<std::int32_t>{5, 5, 5, 5, 6, 6, 6, 6, 6}));

    Dice* kept = LiveObjects<Dice>().at(0);
    ClickOn(game, *kept);
    ASSERT_TRUE(kept->held);
    const std::int32_t face = kept->value;
    for (int roll = 0; roll < 5; ++roll)
        ClickOn(game, *LiveObjects<RollButton>().at(0));
    EXPECT_EQ(kept->value, face) << "a held die keeps its face";
    faces = Faces();
    EXPECT_EQ(Setting("Dialogue Volume"), std::to_string(std::accumulate(faces.begin(), faces.end(), 0)));

    // Cycling the track shows the next volume; the default is 96: sixteen sixes.
    ClickOn(game, *LiveObjects<TrackButton>().at(0));
    game.Frame();
    EXPECT_EQ(Setting("Track"), "Music Volume");
    EXPECT_EQ(Faces(), std::vector<std::int32_t>(16, 6));
    ClickOn(game, *LiveObjects<AddButton>().at(0));
    game.Frame();
    EXPECT_EQ(Faces().size(), 16u) << "sixteen dice are the most";
    for (int i = 0; i < 17; ++i)
        ClickOn(game, *LiveObjects<SubtractButton>().at(0));
    ClickOn(game, *LiveObjects<RollButton>().at(0));
    EXPECT_EQ(Setting("Music Volume"), "0") << "rolling no dice is silence";
    ClickOn(game, *LiveObjects<TrackButton>().at(0));
    ClickOn(game, *LiveObjects<TrackButton>().at(0));
    EXPECT_EQ(Setting("Track"), "Dialogue Volume");
}

TEST(Menus, TheCreatorOffersOwnedKnobsOnlyAndCosmeticsAreSavedAtOnce)
{
    GameDriver game;
    SetSetting("DoorLabel3", "1");
    SetSetting("DoorLabel5", "x");
    SetSetting("DoorLabel13", "1");
    Map::getInstance().LoadScene(SceneNumber::CharacterCreator);
    std::vector<std::int32_t> knobs;
    for (DoorButton* button : LiveObjects<DoorButton>())
        knobs.push_back(button->knob);
    EXPECT_EQ(knobs, (std::vector<std::int32_t>{1, 3, 13}));
    EXPECT_DOUBLE_EQ(LiveObjects<DoorButton>().back()->x, -12.0);

    ClickOn(game, *LiveObjects<DoorButton>().at(1));
    EXPECT_EQ(Setting("DKS"), "3");
    EXPECT_EQ(LiveObjects<FakeDoor>().at(0)->sprite.frameIndex, 3);

    EXPECT_FALSE(std::filesystem::exists("important/settings.txt"));
    new Obtains(7);
    EXPECT_NE(testsupport::ReadFile("important/settings.txt").find("DoorLabel7:1;"), std::string::npos);
    EXPECT_TRUE(IsKnobOwned(7));
    game.Frames(int(3.0 * 60) + 2);
    EXPECT_TRUE(LiveObjects<Obtains>().empty()) << "announced for three seconds";
}

TEST(Menus, AHueOrDesignThatIsNoNumberGivesTheDefaultLook)
{
    GameDriver game;
    SetSetting("Hue", "purple");
    SetSetting("DKS", "round");
    Map::getInstance().LoadScene(SceneNumber::TitleMenu);
    FakeDoorTITLE* door = LiveObjects<FakeDoorTITLE>().at(0);
    EXPECT_EQ(door->sprite.frameIndex, 1);
    EXPECT_EQ(door->sprite.colour, sf::Color(212, 130, 59));
}

// The menu pages as a player uses them: the dice volumes and the character creator's cosmetics.
// Starting, pausing and resuming are played in the story's playthrough and in SceneFlow.
#include "game/Cosmetics.hpp"
#include "game/DoorCompanions.hpp"
#include "menus/Creator.hpp"
#include "menus/Dice.hpp"
#include "support/GameTest.hpp"
#include "widgets/MouseFollower.hpp"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <numeric>

namespace
{
std::vector<std::int32_t> Faces()
{
    std::vector<std::int32_t> faces;
    for (Dice* die : LiveObjects<Dice>())
        faces.push_back(die->value);
    return faces;
}
} // namespace

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
    EXPECT_NE(ReadFile("important/settings.txt").find("DoorLabel7:1;"), std::string::npos);
    EXPECT_TRUE(IsKnobOwned(7));
    game.Frames(int(3.0 * 60) + 2);
    EXPECT_TRUE(LiveObjects<Obtains>().empty()) << "announced for three seconds";
}

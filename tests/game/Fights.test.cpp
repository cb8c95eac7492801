// The three fight screens played through the pointer and frames: their entrances, what each
// button does by fight and chicken, the attack countdowns, the item search, the eagle's two
// ends, and the foes' handles never outliving their objects.
#include "game/DoorCompanions.hpp"
#include "game/Dragon.hpp"
#include "game/Eagle.hpp"
#include "game/Effects.hpp"
#include "game/FightButtons.hpp"
#include "game/FightScreens.hpp"
#include "support/GameTest.hpp"

#include <gtest/gtest.h>

using Status = sf::SoundSource::Status;

namespace
{
// Frames of 1/16 s in a second.
constexpr int kSecond = 16;

// Builds the fight and plays its entrance until the menu shows; the actions bar.
ActionsBar* ReachMenu(GameDriver& game, std::int32_t scene, bool chicken)
{
    Data().hasChicken = chicken;
    Map::getInstance().LoadScene(scene);
    EXPECT_TRUE(game.RunUntil([] { return !LiveObjects<ActionsBar>().empty(); }, 400, kStep));
    return LiveObjects<ActionsBar>().at(0);
}

// Frames of 1/16 s until `done`; how many it took (`limit` if it never did).
int FramesUntil(GameDriver& game, const std::function<bool()>& done, int limit = 400)
{
    int frames = 0;
    for (; frames < limit && !done(); ++frames)
        game.Frame(kStep);
    return frames;
}
} // namespace

TEST(Fights, EachFightArrivesOnItsOwnClockUnderAThousandStarsAndShowsTheMenuLast)
{
    // clang-format off
    const std::tuple<std::int32_t, std::vector<double>> rows[] = {
        // scene, and when the door, the wizard, the foe and the menu come (as the 1/16 s frames
        // reach them; -1 never)
        {3,  {0.0, -1.0,   2.0,  4.0 }},
        {13, {0.0, 3.3125, 6.0,  6.0 }},
        {12, {4.0, 8.0,    11.5, 11.5}},
    };
    // clang-format on
    for (const auto& [scene, times] : rows)
    {
        SCOPED_TRACE(scene);
        ResetSingletons(); // each round a fresh game
        GameDriver game;
        Map::getInstance().LoadScene(scene);
        EXPECT_EQ(LiveObjects<SpaceEffect>().size(), 1000u);
        const FightScreen* root = LiveObjects<FightScreen>().at(0);
        double door = -1.0, wizard = -1.0, foe = -1.0, menu = -1.0;
        const auto note = [&](double& seen, bool now) { seen = seen < 0.0 && now ? root->fightTime : seen; };
        for (int frame = 0; frame < 200 && menu < 0.0; ++frame)
        {
            for (const FakeDoor* fake : LiveObjects<FakeDoor>())
                note(fake->sprite.frameIndex == 13 ? wizard : door, true);
            note(foe, currentDragon.Live() || currentEagle.Live());
            note(menu, root->bar.Live());
            game.Frame(kStep);
        }
        EXPECT_EQ((std::vector<double>{door, wizard, foe, menu}), times);
        // The eagle swoops down to the bar: the menu stands in front of the foes.
        const ActionsBar* bar = LiveObjects<ActionsBar>().at(0);
        EXPECT_EQ(bar->sprite.frameIndex, 0);
        const double menuDepth = std::min(bar->depth, LiveObjects<FightButton>().at(0)->depth);
        for (const GameObject* fighter :
             std::initializer_list<const GameObject*>{currentDragon.get(), currentEagle.get()})
            EXPECT_TRUE(fighter == nullptr || fighter->depth < menuDepth);
    }
}

// What each button does in each fight is a table of the game's; a message it names that the bar
// has no frame for would show nothing.
TEST(Fights, EveryMessageAButtonCanShowIsAFrameOfTheActionsBar)
{
    const auto frames =
        static_cast<std::int32_t>(ResourceManager::LoadSprite("sprites/ActionsBar.txt").frames.size());
    const auto shows = [frames](std::int32_t message)
    { return message == fight::kNone || (message >= 0 && message < frames); };
    for (const std::int32_t scene : {3, 12, 13})
        for (const bool chicken : {false, true})
        {
            SCOPED_TRACE(testing::Message() << scene << (chicken ? " with" : " without") << " chicken");
            const fight::AttackOutcome* attack = fight::AttackIn(scene, chicken);
            const fight::ItemOutcome* item = fight::ItemIn(scene, chicken);
            const fight::RunOutcome* run = fight::RunIn(scene, chicken);
            ASSERT_TRUE(attack && item && run);
            EXPECT_TRUE(shows(attack->message) && shows(item->message) && shows(item->followUp) &&
                        shows(run->message));
        }
    EXPECT_EQ(fight::AttackIn(5, false), nullptr) << "no fight outside the fight scenes";
}

// The press that ends the wizard's refusal (Run with the chicken) is the dialogue's, not another
// press of Run under the pointer.
TEST(Fights, ClickingThroughTheRefusalToRunDoesNotPressRunAgain)
{
    GameDriver game;
    ReachMenu(game, 12, true);
    ClickOn(game, kRun);
    EXPECT_EQ(Data().dialogNumber, 114);
    EXPECT_TRUE(ClickThroughDialogue(game)) << "the pointer still rests on Run";
    game.Frames(2, kStep);
    EXPECT_EQ(Data().dialogNumber, -1);
}

TEST(Fights, TheRockLandsThreeSecondsAfterTheThrowOrOnceTheTalkingIsDone)
{
    // scene, whether a talk goes on while the rock flies, the dialogue of the victory, the next scene
    // clang-format off
    for (const auto& [scene, talkDuring, victory, next] : {std::tuple{3, true, 46, 6}, {13, false, 117, 15}})
    // clang-format on
    {
        SCOPED_TRACE(scene);
        ResetSingletons(); // each round a fresh game
        GameDriver game;
        Data().loadingLength = 0.0;
        const ActionsBar* bar = ReachMenu(game, scene, false);
        Dragon* dragon = currentDragon.get();
        const auto knocked = [dragon] { return dragon->sprite.height == 24; }; // the lying-down picture
        ClickOn(game, kAttack);
        ClickOn(game, kItem);
        ClickOn(game, kAttack); // a second throw while the first flies does nothing
        EXPECT_NE(bar->sprite.frameIndex, 1);
        EXPECT_EQ(LiveObjects<RockThrow>().size(), 1u);
        game.MoveMouse(0.0, 5.0);

        if (talkDuring)
        {
            DialogManager::getInstance().StartDialog(0);
            game.Frames(4 * kSecond, kStep);
            EXPECT_FALSE(knocked()) << "the dragon waits for the end of the talk";
            ASSERT_TRUE(ClickThroughDialogue(game));
            game.Frame(kStep);
        }
        else
        {
            // Two frames went by with the clicks after the throw.
            EXPECT_EQ(2 + FramesUntil(game, knocked), 3 * kSecond);
        }
        EXPECT_TRUE(knocked());
        EXPECT_EQ(std::make_pair(dragon->x, dragon->y), std::make_pair(-8.0, 2.5));
        EXPECT_EQ(Data().dialogNumber, victory);
        game.Frame(kStep);
        EXPECT_TRUE(LiveObjects<ActionsBar>().empty());
        EXPECT_EQ(LiveObjects<FightButton>().size(), 1u) << "only the winning button stays";
        EXPECT_EQ(dragon->y, 2.5) << "knocked out, no more bobbing";
        ASSERT_TRUE(ClickThroughDialogue(game));
        EXPECT_EQ(Data().pendingScene, next);
    }
}

TEST(Fights, TheFirstDragonFightsItemSearchesForOneAndAHalfSecondsThenThreeThenIsIdle)
{
    GameDriver game;
    const ActionsBar* bar = ReachMenu(game, 3, false);
    ClickOn(game, kItem);
    EXPECT_EQ(bar->sprite.frameIndex, 2);
    const int first = FramesUntil(game, [bar] { return bar->sprite.frameIndex != 2; });
    EXPECT_EQ(bar->sprite.frameIndex, 3);
    ClickOn(game, kItem); // busy searching: ignored
    const int second = 1 + FramesUntil(game, [bar] { return bar->sprite.frameIndex != 3; });
    EXPECT_EQ(bar->sprite.frameIndex, 0);
    EXPECT_EQ(first, 24);
    EXPECT_EQ(second, 3 * kSecond);
    ClickOn(game, kItem);
    EXPECT_EQ(bar->sprite.frameIndex, 2) << "and it can be used again";
}

TEST(Fights, TheChickensAttackMakesTheEagleScreamAfterThreeSecondsAndEndsTheFightAfterFifteen)
{
    GameDriver game;
    ReachMenu(game, 12, true);
    Eagle* eagle = currentEagle.get();
    ClickOn(game, kAttack);
    const int scream = FramesUntil(game, [] { return SoundStatus("caw_12_death") == Status::Playing; });
    EXPECT_EQ(scream, 3 * kSecond);
    EXPECT_EQ(Music("CAW").getStatus(), Status::Stopped);
    game.Frames(kSecond, kStep);
    EXPECT_EQ(std::make_pair(eagle->x, eagle->y), std::make_pair(-6.0, 1.0)) << "frozen on its perch";
    const int end =
        scream + kSecond + FramesUntil(game, [] { return Data().currentScene == SceneNumber::Loading; });
    EXPECT_EQ(end, 15 * kSecond);
    EXPECT_EQ(Data().pendingScene, 14);
    game.Frame(kStep);
    EXPECT_FALSE(currentEagle);
}

TEST(Fights, RunningFromTheEagleCallsTheWizardsSpellAndTheEagleTurnsToRocks)
{
    const WithoutVoices silent; // the cut-scene turns its pages by the frame clock
    GameDriver game;
    SetSetting("Music Volume", "50");
    ReachMenu(game, 12, false);
    Eagle* eagle = currentEagle.get();
    ClickOn(game, kRun);
    EXPECT_EQ(Data().dialogNumber, 113);
    EXPECT_EQ(Music("CAW").getStatus(), Status::Stopped);
    EXPECT_EQ(Music("Cutscene").getStatus(), Status::Playing);
    EXPECT_FLOAT_EQ(Music("Cutscene").getVolume(), 25.f) << "the music volume counts twice";

    ASSERT_TRUE(game.RunUntil([] { return !DialogManager::getInstance().active; }, 2000, kStep));
    EXPECT_TRUE(eagle->dying);
    EXPECT_FALSE(DialogManager::getInstance().autoAdvance);
    game.Frame(kStep);
    EXPECT_EQ(eagle->x, -6.0);
    // Counted from the frame whose tick ended the dialogue (the eagle's own tick came after).
    const int rocks = 2 + FramesUntil(game, [eagle] { return eagle->sprite.height == 4; });
    EXPECT_EQ(rocks, 3 * kSecond);
    EXPECT_FALSE(eagle->sprite.followsCamera);
    const int end = rocks + FramesUntil(game, [] { return Data().currentScene == SceneNumber::Loading; });
    EXPECT_EQ(end, 6 * kSecond);
    EXPECT_EQ(Data().pendingScene, 14);
    EXPECT_FALSE(currentEagle);
}

// A fight swept away (by a scene change, or by the end of the game after a pause) takes its
// foes' handles with it.
TEST(Fights, TheFoesHandlesNeverOutliveTheirObjects)
{
    GameDriver game;
    Data().loadingLength = 0.0;
    ReachMenu(game, 13, false);
    ASSERT_TRUE(currentDragon.Live());
    Map::getInstance().ChangeScene(0);
    game.Frame(kStep);
    EXPECT_FALSE(currentDragon);

    ReachMenu(game, 12, true);
    ASSERT_TRUE(currentEagle.Live());
    Data().resumeScene = 12;
    game.Tap(Key::Escape);
    ASSERT_TRUE(game.ReachScene(SceneNumber::SettingsMenu));
    WorldManager::getInstance().DestroyEverything();
    EXPECT_FALSE(currentEagle);
}

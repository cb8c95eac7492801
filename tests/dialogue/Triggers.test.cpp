// Triggers fire once, for the player's door only, and what they set off.
#include "dialogue/Triggers.hpp"

#include "game/Scenery.hpp"
#include "support/GameTest.hpp"

#include <gtest/gtest.h>

namespace
{
// Something of the player's type that creeps right and can be put anywhere.
GameObject* Walker(const std::string& type = "Player", double x = 0.0)
{
    auto* walker = new GameObject();
    walker->type = type;
    walker->x = x;
    walker->velocityX = 0.5;
    return walker;
}

template <typename T> T* Placed(T* trigger, double x)
{
    trigger->x = x;
    return trigger;
}
} // namespace

TEST(Triggers, OnlyThePlayerFiresThemOnceAndOneTouchedDuringADialogueIsLost)
{
    GameDriver game;
    Walker("Player2", 5.0);
    Placed(new DialogTrigger(4, 1.0, 20.0), 5.0);
    game.Frames(3);
    EXPECT_EQ(Data().dialogNumber, -1) << "the second player's door fires nothing";

    Walker("Player", 0.0);
    Placed(new DialogTrigger(3, 1.0, 20.0), 0.0);
    Placed(new DialogTrigger(12, 1.0, 20.0), 0.2);
    game.Frame();
    EXPECT_EQ(Data().dialogNumber, 3);
    EXPECT_EQ(CountOfType("Trigger"), 1)
        << "both touched triggers are used up; the second door's is still there";
    DialogManager::getInstance().EndDialog();
    game.Frames(3);
    EXPECT_EQ(Data().dialogNumber, -1) << "the trigger touched during dialogue 3 never plays 12";
}

TEST(Triggers, ASceneTriggerChangesSceneAndAPushWithNothingLeftToPushDoesNothing)
{
    GameDriver game;
    auto* chicken = new Chicken(0, 0);
    Placed(new VelocityTrigger(chicken, {-10.0, 0.0}, 1.0, 1.0), 3.0);
    WorldManager::getInstance().MarkForDeletion(chicken);
    game.Frame();
    Walker("Player", 3.0);
    game.Frame();
    EXPECT_EQ(CountOfType("Trigger"), 0);

    auto* pushed = new Chicken(0, 0);
    Placed(new VelocityTrigger(pushed, {-10.0, 0.0}, 1.0, 1.0), 3.0);
    game.Frame();
    EXPECT_DOUBLE_EQ(pushed->velocityX, -10.0);

    Placed(new SceneTrigger(1.0, 5.0), 3.0)->targetScene = 8;
    game.Frame();
    EXPECT_EQ(Data().currentScene, SceneNumber::Loading);
    EXPECT_EQ(Data().pendingScene, 8);
}

// Its first words, and the reminder once the door has stepped back, are played in the story's
// playthrough.
TEST(Triggers, TheCodeDoorAsksNothingOnceSolved)
{
    GameDriver game;
    new PuzzleTrigger();
    GameObject* door = Walker("Player", 24.64);
    game.Frame();
    EXPECT_EQ(Data().dialogNumber, 84);
    DialogManager::getInstance().EndDialog();
    Data().codeSolved = true;
    door->x = 17.92; // back past where the trigger re-arms
    game.Frame();
    door->x = 24.64;
    game.Frames(2);
    EXPECT_EQ(Data().dialogNumber, -1);
}

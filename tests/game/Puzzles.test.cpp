// The panels the story raises and the knob rewards in the world, played through input: the
// quiz with the pointer, the code door with the keyboard, the chicken offer, walking into
// rewards; and the controls lock that each panel holds only while it exists.
#include "game/ChickenOffer.hpp"
#include "game/Cosmetics.hpp"
#include "game/KnobGiver.hpp"
#include "game/PlayerDoors.hpp"
#include "game/Puzzle.hpp"
#include "game/Quiz.hpp"
#include "game/Tiles.hpp"
#include "support/GameTest.hpp"
#include "widgets/MouseFollower.hpp"

#include <SFML/Audio/SoundBuffer.hpp>
#include <cmath>
#include <gtest/gtest.h>

using Status = sf::SoundSource::Status;

namespace
{
Puzzle* RaiseCodePanel(GameDriver& game, std::int32_t dialogue = 84)
{
    EXPECT_TRUE(PlayDialogue(game, dialogue));
    EXPECT_TRUE(Data().controlsLocked);
    return LiveObjects<Puzzle>().at(0);
}
} // namespace

TEST(Puzzles, TheCodePanelTypesDigitsAndDorErasesIgnoresTheRestAndOpensForTheExactCodeOnly)
{
    GameDriver game;
    Map::getInstance().LoadScene(8);
    Puzzle* panel = RaiseCodePanel(game);
    const auto run = [](Key first)
    {
        std::vector<Key> keys;
        for (int i = 0; i < 10; ++i)
            keys.push_back(static_cast<Key>(static_cast<int>(first) + i));
        return keys;
    };
    // clang-format off
    const std::pair<std::vector<Key>, std::string> keys[] = {
        {run(Key::Num0),                                                "0123456789"},
        {run(Key::Numpad0),                                             "0123456789"},
        {{Key::D, Key::O, Key::R, Key::A, Key::Z, Key::Space, Key::F1}, "DOR"       },
        {{Key::Num1, Key::Num2, Key::Backspace, Key::Num3},             "13"        },
        {{Key::Num1, Key::Delete, Key::Delete, Key::Backspace},         ""          },
    };
    // clang-format on
    for (const auto& [taps, typed] : keys)
    {
        for (Key key : taps)
            game.Tap(key);
        EXPECT_EQ(panel->typed, typed);
        game.Tap(Key::Enter); // a wrong entry empties the panel
        EXPECT_EQ(panel->typed, "");
    }
    game.Release(Key::Num7);
    EXPECT_EQ(panel->typed, "") << "releases type nothing";
    Type(game, std::string(30, '1'));
    EXPECT_EQ(panel->typed, std::string(25, '1'));
    game.Tap(Key::Enter);

    // Only the exact code opens the door; DOOR anywhere is a secret knob once the creator is
    // unlocked. (Escape, and the big door stepping aside, are played in the story's playthrough.)
    // clang-format off
    const std::tuple<const char*, const char*, bool, bool, bool> rows[] = {
        // creator, typed, whether the panel closes, a knob is given, the door opens
        {"1", "407182650", false, false, false},
        {"1", "4071826",   false, false, false},
        {"0", "12DOOR34",  true,  false, false},
        {"0", "40718265",  true,  false, true },
        {"1", "DOOR",      true,  true,  false},
    };
    // clang-format on
    for (const auto& [creator, typed, closes, knob, opens] : rows)
    {
        SCOPED_TRACE(typed);
        SetSetting("Creator", creator);
        if (LiveObjects<Puzzle>().empty())
            RaiseCodePanel(game, 85);
        Type(game, typed);
        game.Tap(Key::Enter);
        game.Frame(kStep);
        EXPECT_EQ(LiveObjects<Puzzle>().empty(), closes);
        EXPECT_EQ(Data().controlsLocked, !closes);
        EXPECT_EQ(LiveObjects<Obtains>().size(), knob ? 1u : 0u);
        EXPECT_EQ(Data().dialogNumber, opens ? 86 : -1);
        EXPECT_TRUE(Data().codeSolved || !opens);
        DialogManager::getInstance().EndDialog(); // the door's thanks, so the panel can be raised again
    }
    EXPECT_EQ(Setting("DoorLabel12"), "1");
}

// A pad types too: up and down choose, A types, B erases and closes an empty panel, Start submits.
TEST(Puzzles, AGamePadTypesTheCodeOneChosenCharacterAtATime)
{
    GameDriver game;
    Map::getInstance().LoadScene(8);
    Puzzle* panel = RaiseCodePanel(game);
    constexpr unsigned kPad = 2;
    const std::string glyphs = Puzzle::kPadGlyphs;
    const auto typeWithPad = [&](const std::string& text)
    {
        for (const char c : text)
        {
            // Down (backwards) from 0 is quickest to the letters; a stick held still steps once.
            const bool down = glyphs.find(c) >= 10;
            for (std::size_t steps = 0; steps < glyphs.size() && glyphs[panel->padGlyph] != c; ++steps)
            {
                game.PadAxis(kPad, sf::Joystick::Axis::PovY, down ? 100.f : -100.f);
                game.PadAxis(kPad, sf::Joystick::Axis::PovY, down ? 90.f : -90.f);
                game.PadAxis(kPad, sf::Joystick::Axis::PovY, 0.f);
            }
            game.PadButton(kPad, 0);
        }
    };
    typeWithPad("R0D9");
    EXPECT_EQ(panel->typed, "R0D9");
    game.PadButton(kPad, 1);
    EXPECT_EQ(panel->typed, "R0D");
    game.PadButton(kPad, 7);
    EXPECT_EQ(panel->typed, "") << "a wrong code empties the panel";
    typeWithPad("40718265");
    game.PadButton(kPad, 7);
    game.Frame(kStep);
    EXPECT_TRUE(LiveObjects<Puzzle>().empty());
    EXPECT_EQ(Data().dialogNumber, 86);
    DialogManager::getInstance().EndDialog();

    panel = RaiseCodePanel(game, 85);
    game.PadButton(kPad, 1);
    game.Frame(kStep);
    EXPECT_TRUE(LiveObjects<Puzzle>().empty()) << "B on an empty panel closes it";
    EXPECT_FALSE(Data().controlsLocked);
}

// A wrong answer ends the game; the story's playthrough covers that.
TEST(Puzzles, TheRightAnswerInAnySlotAdvancesAndTheFifthGrowsABridgeThatClearsItsRowOfWater)
{
    GameDriver game;
    Map::getInstance().LoadScene(0);
    ASSERT_TRUE(PlayDialogue(game, 51));
    for (int question = 1; question <= 5; ++question)
    {
        EXPECT_EQ(LiveObjects<Quiz>().at(0)->question, question);
        ClickOn(game, AnswerSlot(kRightSlots[question - 1]));
        game.Frame(kStep);
    }
    EXPECT_TRUE(LiveObjects<Quiz>().empty() && LiveObjects<QuizButton>().empty());
    EXPECT_FALSE(Data().controlsLocked);
    EXPECT_EQ(SoundStatus("correct"), Status::Playing);
    const std::vector<BridgeAnimatedTile*> bridge = LiveObjects<BridgeAnimatedTile>();
    ASSERT_EQ(bridge.size(), 15u);
    EXPECT_EQ(std::make_pair(bridge.front()->gridX, bridge.back()->gridX), std::make_pair(-6, -20));
    // Ten of its cells lie over water, which goes once the bridge's picture has reached frame 2.
    const long water = CountOfType("Water");
    ASSERT_TRUE(game.RunUntil([&] { return bridge[0]->sprite.frameIndex == 2; }, 100, kStep));
    EXPECT_EQ(CountOfType("Water"), water);
    game.Frame(kStep);
    EXPECT_EQ(CountOfType("Water"), water - 10) << "only the bridge's row goes";
}

TEST(Puzzles, TakingTheChickenCarriesItAlongAndRefusingSendsItRunningLeft)
{
    for (const bool take : {true, false})
    {
        SCOPED_TRACE(take);
        ResetSingletons(); // each round a fresh game
        GameDriver game;
        Map::getInstance().LoadScene(7);
        GameObject* chicken = FirstOfType("Chicken");
        ASSERT_TRUE(PlayDialogue(game, 83));
        EXPECT_EQ(SoundStatus("boom"), Status::Playing);
        EXPECT_EQ(CountOfType("Buttn"), 2);
        ClickOn(game, take ? kTake : kRefuse);
        EXPECT_EQ(Data().hasChicken, take);
        EXPECT_EQ(SoundStatus("chicken"), Status::Playing);
        sf::SoundBuffer file; // the clip of the choice, told by its length
        ASSERT_TRUE(file.loadFromFile(take ? "sfx/chicken.mp3" : "sfx/chicken_leave.mp3"));
        EXPECT_EQ(ResourceManager::getInstance().buffers.at("chicken")->getDuration(), file.getDuration());
        game.Frame(kStep);
        EXPECT_EQ(CountOfType("Buttn"), 0);
        EXPECT_TRUE(LiveObjects<ChickenStealer>().empty());
        EXPECT_FALSE(Data().controlsLocked);
        EXPECT_EQ(FirstOfType("Chicken") == nullptr, take);
        if (!take)
        {
            const double x = chicken->x;
            game.Frames(16, kStep);
            EXPECT_NEAR(chicken->x, x - 20.0, 1e-9) << "twenty units in a second";
        }
    }
}

// A scene change that sweeps a panel away gives the door its controls back and silences it.
TEST(Puzzles, APanelHoldsTheControlsOnlyWhileItExists)
{
    for (const std::int32_t raisedBy : {51, 83, 84})
    {
        SCOPED_TRACE(raisedBy);
        ResetSingletons(); // each round a fresh game
        GameDriver game;
        Map::getInstance().LoadScene(raisedBy == 84 ? 8 : raisedBy == 83 ? 7 : 0);
        ASSERT_TRUE(PlayDialogue(game, raisedBy));
        ASSERT_TRUE(Data().controlsLocked);
        EXPECT_EQ(SoundStatus("q1") == Status::Playing, raisedBy == 51) << "the first question is read out";
        Map::getInstance().LoadScene(1);
        EXPECT_FALSE(Data().controlsLocked);
        EXPECT_EQ(SoundStatus("q1"), Status::Stopped);
        game.Press(Key::D);
        game.Frames(4, kStep);
        EXPECT_GT(LiveObjects<Door>().at(0)->x, -7.0) << "the door walks again";
    }
}

TEST(Puzzles, KnobRewardsAppearWhereTheCreatorAndTheOwnedLabelsAllowAndWalkingIntoOneObtainsIt)
{
    // clang-format off
    const std::tuple<std::int32_t, const char*, const char*, std::vector<std::int32_t>> rows[] = {
        // scene, Creator, DoorLabel2, the knobs given
        {0,  "0", "0", {}    }, {0,  "1", "0", {3}   },
        {1,  "0", "0", {}    }, {1,  "1", "0", {5}   },
        {2,  "1", "0", {4}   }, {6,  "1", "0", {4}   },
        {7,  "0", "0", {}    }, {7,  "1", "0", {6, 7}},
        {11, "0", "0", {2}   }, {14, "1", "1", {10}  }, {15, "0", "1", {}},
    };
    // clang-format on
    GameDriver game;
    for (const auto& [scene, creator, label2, expected] : rows)
    {
        SCOPED_TRACE(scene);
        SetSetting("Creator", creator);
        SetSetting("DoorLabel2", label2);
        Map::getInstance().LoadScene(scene);
        std::vector<std::int32_t> rewards;
        for (const KnobGiver* giver : LiveObjects<KnobGiver>())
            rewards.push_back(giver->reward);
        EXPECT_EQ(rewards, expected);
        if (scene >= 11 && !rewards.empty())
        {
            EXPECT_EQ(LiveObjects<KnobGiver>().at(0)->boxHeight, 999.0) << "floor to ceiling";
        }
    }
    // The village's answer buttons need a pointer, made before anything else.
    for (std::int32_t village : {2, 6})
    {
        Map::getInstance().LoadScene(village);
        EXPECT_NE(dynamic_cast<MouseFollower*>(WorldManager::getInstance().objects.at(0)), nullptr);
    }

    // Walking into one obtains it for good.
    SetSetting("Creator", "1");
    Map::getInstance().LoadScene(0);
    KnobGiver* knob = LiveObjects<KnobGiver>().at(0);
    const ObjectRef<KnobGiver> giver = knob;
    const WorldPoint home{knob->x, knob->y};
    Door* door = LiveObjects<Door>().at(0);
    door->x = home.x;
    door->y = home.y - 3.0;
    game.Press(Key::W);
    for (int frame = 0; frame < 40 && giver; ++frame)
    {
        EXPECT_EQ(giver->x, home.x);
        EXPECT_LE(std::abs(giver->y - home.y), 1.0 / 7.0) << "it bobs on the spot";
        game.Frame(kStep);
    }
    EXPECT_EQ(LiveObjects<Obtains>().size(), 1u);
    EXPECT_TRUE(LiveObjects<KnobGiver>().empty());
    EXPECT_EQ(Setting("DoorLabel3"), "1");
    Map::getInstance().LoadScene(0);
    EXPECT_TRUE(LiveObjects<KnobGiver>().empty()) << "gone once owned";
}

// The story played from the title's Start button to each of its endings, the way a player plays
// it: keys held while real frames run, clicks where the screen shows something, dialogues read
// out with Space. Nothing is set up but the settings file the game reads at start-up; what the
// tests check is what the game did: the scenes and dialogues it went through, in order, and the
// settings file it wrote. Continue is played the same way: the window closed mid-story, the
// program started again on the file it left, Continue clicked on its title.
#include "display/InputManager.hpp"
#include "game/AnswerButtons.hpp"
#include "game/Eagle.hpp"
#include "game/Effects.hpp"
#include "game/FightButtons.hpp"
#include "game/Puzzle.hpp"
#include "game/Scenery.hpp"
#include "game/TitleCards.hpp"
#include "menus/Title.hpp"
#include "support/GameTest.hpp"
#include "support/RecordingObject.hpp"
#include "widgets/KeyboardFocus.hpp"
#include "world/GameManager.hpp"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <sstream>

namespace
{
using Seen = std::vector<std::int32_t>;

template <typename T, typename... Parts>
std::vector<T> Join(const std::vector<T>& first, const Parts&... parts)
{
    std::vector<T> all = first;
    (all.insert(all.end(), parts.begin(), parts.end()), ...);
    return all;
}

// Frames as long as the game lets them be, to play fast; short ones for the last stretch of a
// walk: the door moves 0.12 units in one, so it ends within that of its mark or of the water,
// well inside the one-tile paths it turns into. Even a long frame moves it less than its width,
// so it never steps over a trigger.
constexpr double kLongStep = 0.1;
constexpr double kFineStep = 1.0 / 60.0;
constexpr std::int32_t kQuit = SceneNumber::Quit;

// Hold `key` until the door reaches `to` (x for A and D, y for W and S), or until it is held up:
// water in the way, a panel that locks it, or the scene changing.
struct Step
{
    Key key;
    std::optional<double> to = std::nullopt;
};
using Route = std::vector<Step>;

// clang-format off
// The home island eastwards, the long bridge row by row down into the village.
const Route kToTheVillage = {
    {Key::D},                                                               // off the island
    {Key::D}, {Key::S}, {Key::A}, {Key::S}, {Key::D}, {Key::S}, {Key::A},   // a row, down, back...
    {Key::S}, {Key::D}, {Key::S}, {Key::A}, {Key::S}, {Key::D},             // ...off the last row
};
// On to the houses (44, whose answers then hold the door).
const Route kToTheHouses = Join(kToTheVillage, Route{
    {Key::D, 6.72}, {Key::W},                                               // the doorway's column
});
// A few steps along the village's path, away from where the scene puts the door.
const Route kAlongTheVillagePath = {{Key::D, -14.0}};
// West to the yellow tile at the island's tip (51; the quiz then holds the door).
const Route kToTheQuiz = {{Key::A}};
// Over the grown bridge (82), then the magic bridge row by row upwards to its top row.
const Route kOverTheMagicBridge = {
    {Key::A},                                                               // off the island
    {Key::A}, {Key::W}, {Key::D}, {Key::W}, {Key::A}, {Key::W}, {Key::D},   // a row, up, back...
    {Key::W}, {Key::A}, {Key::W}, {Key::D}, {Key::W},                       // ...onto the top row
};
// Off the top row's west end, along the tower's path to its column and up to the chicken (83;
// the offer then holds the door).
const Route kToTheChicken = {{Key::A}, {Key::A, 0.0}, {Key::W}};
// On up the path (125) into the tower, and across the puzzle room to the big door (84 or 85).
const Route kToTheBigDoor = {{Key::W}, {Key::D}};
// Through the opened door, the wizard's hall (87 to 93), the eagle bridge (94 to 111) and the
// long hall to the eagle (112).
const Route kToTheEagle = {{Key::D}, {Key::D}, {Key::D}, {Key::D}};
// From the big door back past where the room's trigger re-arms (x 17.92), and up to it again.
const Route kBackAndToTheBigDoor = {{Key::A, 17.92}, {Key::D}};
// The last hall, past the wizard, to the books (119, 120).
const Route kToTheBooks = {{Key::D}};

constexpr WorldPoint kStart{-9.0, -2.0}, kContinue{-9.5, -5.0};
// clang-format on

// A game started with the given settings file (and a short loading screen), watched from the
// outside: every dialogue that starts and every scene it shows (loading screens and the pause
// page left out).
class Story
{
public:
    // What the player plays with: the mouse for the menus and keys for the rest, the keyboard
    // alone (the focus through the menus, Escape to pause and resume), or a game pad alone.
    enum class Hands
    {
        MouseAndKeys,
        Keyboard,
        Pad,
    };
    // The pad a pad player holds.
    static constexpr unsigned kPad = 3;

    // Pauses and resumes once at the start of every game scene it enters. The Yes, the Maybe and
    // the later game without the chicken enter every game scene between them, so they do this.
    bool pauseInEveryScene = false;
    Seen scenes;
    Seen dialogues;
    // Every input event the game received, by name.
    std::map<std::string, int> inputs;

    explicit Story(const std::string& settings = "", Hands playedWith = Hands::MouseAndKeys)
        : hands(playedWith)
    {
        WriteFile("important/settings.txt", "Loading Length:0.1;" + settings);
        Open();
    }

    GameDriver& Game() { return *game; }

    // The splash as the game starts with it, up to the title.
    void ShowTitle()
    {
        Map::getInstance().LoadScene(SceneNumber::Splash);
        ASSERT_TRUE(PlayUntil([] { return Data().currentScene == SceneNumber::TitleMenu; }));
    }

    // Start on the title, which leads through the loading screen and silences the title's music.
    void Start()
    {
        ShowTitle();
        if (hands == Hands::MouseAndKeys)
            Click(kStart);
        else
            Confirm();
        EXPECT_EQ(Data().currentScene, SceneNumber::Loading);
        EXPECT_EQ(Music("Title").getStatus(), sf::SoundSource::Status::Stopped);
    }

    // Continue on the title, in a program started again.
    void Continue() { Click(kContinue); }

    // The player closes the window: the frame loop ends (main then returns 0) and nothing is
    // written on the way out. The program starts again.
    void CloseAndStartAgain()
    {
        DisplayManager::getInstance().HandleWindowEvent(sf::Event::Closed{});
        EXPECT_FALSE(GameManager::getInstance().Frame(kStep)) << "the loop goes on";
        EXPECT_EQ(GameDriver::exitRequests, exitsBefore) << "closing the window is no quit scene";
        StartAgain();
    }

    // A new run of the program in the same folder, up to its title. Every manager starts as a
    // fresh program's (managers::ResetAll, not the harness's reset between tests, which would also
    // delete the settings file this run must find as the last one left it).
    void StartAgain()
    {
        game.reset();
        managers::ResetAll();
        scenes.clear();
        dialogues.clear();
        paused.clear();
        Open();
        ShowTitle();
    }

    // Runs frames until `done`, reading out whatever dialogue opens on the way.
    bool PlayUntil(const std::function<bool()>& done, int limit = 2000, double dt = kLongStep)
    {
        return game->RunUntil(
            [&]
            {
                if (done())
                    return true;
                if (pauseInEveryScene && Data().currentScene >= 0 &&
                    paused.insert(Data().currentScene).second)
                    PauseAndResume();
                Read();
                return false;
            },
            limit, dt);
    }

    void Walk(const Route& route)
    {
        for (const Step& step : route)
        {
            ASSERT_TRUE(PlayUntil([] { return Data().currentScene >= 0 && FirstOfType("Player"); }));
            WalkStep(step);
        }
    }

    void Click(WorldPoint place) { ClickOn(*game, place); }

    // Enter, or a pad's A: what the focus rests on is pressed.
    void Confirm()
    {
        if (hands == Hands::Pad)
            game->PadButton(kPad, 0);
        else
            game->Tap(Key::Enter);
    }

    // The answer Yes: clicked, or confirmed where the focus starts.
    void AnswerYes()
    {
        if (hands == Hands::MouseAndKeys)
            return Click(kYes);
        ASSERT_NE(dynamic_cast<YesButton*>(KeyboardFocus::getInstance().Current()), nullptr);
        Confirm();
    }

    // Clicks one of the fight's buttons once the fight of `scene` shows its menu; without a mouse,
    // attacks, where the focus starts.
    void Fight(std::int32_t scene, WorldPoint button)
    {
        ASSERT_TRUE(PlayUntil([&] { return Data().currentScene == scene && FirstOfType("AttackButton"); }));
        if (hands == Hands::MouseAndKeys)
            return Click(button);
        ASSERT_NE(dynamic_cast<AttackButton*>(KeyboardFocus::getInstance().Current()), nullptr);
        Confirm();
    }

    // The right answer to each question; the bridge then grows over the water (its picture turns
    // every twelve frames; the water goes at the third).
    void AnswerTheQuiz()
    {
        for (const int slot : kRightSlots)
            Click(AnswerSlot(slot));
        game->Frames(30, kLongStep);
    }

    void Type(const std::string& text)
    {
        testsupport::Type(*game, text);
        game->Tap(Key::Enter);
        game->Frame(kStep);
    }

    // Plays on until the game asks to end the process.
    bool PlayToTheEnd()
    {
        return PlayUntil([this] { return GameDriver::exitRequests > exitsBefore; });
    }

private:
    Hands hands;
    std::unique_ptr<GameDriver> game;
    testsupport::RecordingReceiver dialogueWatch;
    testsupport::RecordingReceiver sceneWatch;
    testsupport::RecordingReceiver inputWatch;
    std::set<std::int32_t> paused;
    int exitsBefore = 0;

    void Open()
    {
        exitsBefore = GameDriver::exitRequests;
        game = std::make_unique<GameDriver>();
        dialogueWatch.onEvent = [this](Event&) { dialogues.push_back(Data().dialogNumber); };
        Data().dialogStartEvent.Subscribe(&dialogueWatch);
        sceneWatch.onEvent = [this](Event&) { NoteScene(); };
        GameManager::getInstance().lateTickEvent.Subscribe(&sceneWatch);
        inputWatch.onEvent = [this](Event& event) { ++inputs[event.GetName()]; };
        InputManager& input = InputManager::getInstance();
        for (Event* event :
             std::initializer_list<Event*>{&input.keyboardEvent, &input.mouseEvent, &input.joystickEvent})
            event->Subscribe(&inputWatch);
        if (hands == Hands::Pad)
            game->ConnectPad(kPad);
    }

    void NoteScene()
    {
        const std::int32_t scene = Data().currentScene;
        if (scene == SceneNumber::Loading || scene == SceneNumber::SettingsMenu)
            return;
        if (scenes.empty() || scenes.back() != scene)
            scenes.push_back(scene);
    }

    // Space finishes a page and turns it. The dialogue that turns its own pages waits for each
    // voice clip to end: the clip is ended at once rather than waited for in real time.
    void Read()
    {
        const DialogManager& dialog = DialogManager::getInstance();
        if (dialog.active && !dialog.autoAdvance && hands == Hands::Pad)
            game->PadButton(kPad, 0);
        else if (dialog.active && !dialog.autoAdvance)
            game->Tap(Key::Space);
        if (dialog.active && dialog.autoAdvance)
            ResourceManager::getInstance().Stop(dialog.voice.Name());
    }

    // Most of the way in long frames, the last stretch in short ones, so that the door ends close
    // to its mark or to the water that stops it.
    void WalkStep(const Step& step)
    {
        const std::int32_t scene = Data().currentScene;
        Lean(step.key, true);
        Hold(step, scene, 1.0, kLongStep);
        Hold(step, scene, 0.0, kFineStep);
        Lean(step.key, false);
        game->Frame(kFineStep);
    }

    // The walking key pressed or let go, or the pad's stick pushed that way or let back.
    void Lean(Key key, bool on)
    {
        if (hands != Hands::Pad)
            return on ? game->Press(key) : game->Release(key);
        const bool across = key == Key::A || key == Key::D;
        const float towards = key == Key::A || key == Key::W ? -100.f : 100.f;
        game->PadAxis(kPad, across ? sf::Joystick::Axis::X : sf::Joystick::Axis::Y, on ? towards : 0.f);
    }

    // Escape, or the pad's Start: it pauses a game and resumes the paused one.
    void Pause()
    {
        if (hands == Hands::Pad)
            game->PadButton(kPad, 7);
        else
            game->Tap(Key::Escape);
    }

    // Runs frames of `dt` until the door stops, leaves `scene`, or comes within `slack` of the
    // step's mark. The door stops a frame after its key is let go, so it is judged by where that
    // frame will take it.
    void Hold(const Step& step, std::int32_t scene, double slack, double dt)
    {
        const double sign = step.key == Key::A || step.key == Key::S ? -1.0 : 1.0;
        const bool across = step.key == Key::A || step.key == Key::D;
        WorldPoint last{1e9, 1e9};
        int still = 0;
        PlayUntil(
            [&]
            {
                const GameObject* door = FirstOfType("Player");
                if (Data().currentScene != scene || door == nullptr)
                    return true;
                const double next = across ? door->x + door->velocityX * dt : door->y + door->velocityY * dt;
                if (step.to && sign * (next - *step.to) >= -slack)
                    return true;
                const bool moved = door->x != last.x || door->y != last.y;
                still = moved || DialogManager::getInstance().active ? 0 : still + 1;
                last = {door->x, door->y};
                return still >= 4;
            },
            4000, dt);
    }

    // Escape, then Resume: the same world comes back and its music goes on from where it was.
    // Escape while a dialogue is open does nothing: the page stays and the game goes on.
    void PauseAndResume()
    {
        WorldManager& world = WorldManager::getInstance();
        const std::int32_t scene = Data().currentScene;
        const std::vector<GameObject*> objects = world.objects;
        if (DialogManager::getInstance().active)
        {
            const auto page = std::make_pair(Data().dialogNumber, Data().dialogPage);
            Pause();
            game->Frames(3, kStep);
            EXPECT_EQ(std::make_pair(Data().dialogNumber, Data().dialogPage), page) << "scene " << scene;
            EXPECT_EQ(Data().currentScene, scene);
            return;
        }
        // Halfway through each track: well past where a restart would put it.
        std::map<std::string, sf::Time> playing;
        for (const auto& [name, music] : ResourceManager::getInstance().musics)
            if (music->getStatus() == sf::SoundSource::Status::Playing)
            {
                music->setPlayingOffset(music->getDuration() / 2.f);
                playing[name] = music->getDuration() / 2.f;
            }
        Pause();
        ASSERT_TRUE(game->ReachScene(SceneNumber::SettingsMenu)) << "scene " << scene;
        if (hands == Hands::MouseAndKeys)
            Click(kResume);
        else
            Pause();
        ASSERT_TRUE(game->ReachScene(scene));
        EXPECT_EQ(world.objects, objects) << "scene " << scene;
        for (const auto& [name, offset] : playing)
        {
            const sf::Music& music = *ResourceManager::getInstance().musics.at(name);
            EXPECT_EQ(music.getStatus(), sf::SoundSource::Status::Playing) << name;
            EXPECT_GE(music.getPlayingOffset(), offset - sf::milliseconds(100)) << name;
        }
    }
};

// The settings file as the game last wrote it.
std::string Written(const std::string& key)
{
    const auto values = SettingManager::Parse(ReadFile("important/settings.txt"));
    const auto found = values.find(key);
    return found == values.end() ? "" : found->second;
}

// What a player finds on arriving in the current scene: the scene, where the door stands, the
// story's flags, the music playing and what the world holds.
std::string Arrival()
{
    std::ostringstream text;
    text << "scene " << Data().currentScene;
    if (const GameObject* door = FirstOfType("Player"))
        text << ", door at " << door->x << " " << door->y;
    text << ", flags " << Data().hasChicken << Data().codeIntroSeen << Data().codeSolved << ", seen end "
         << Setting("SeenEnd") << ", creator " << Setting("Creator") << ", two " << Setting("Multiplayer")
         << ", music:";
    for (const auto& [name, music] : ResourceManager::getInstance().musics)
        if (music->getStatus() == sf::SoundSource::Status::Playing)
            text << " " << name;
    std::map<std::string, int> objects;
    for (const GameObject* object : WorldManager::getInstance().GetAllObjects())
        ++objects[object->type];
    text << ", objects:";
    for (const auto& [type, count] : objects)
        text << " " << type << " " << count;
    return text.str();
}

// The title's Continue with nothing to continue: dimmed beside Start, and a click knocks and
// leaves the title as it was.
template <typename Story> void ExpectContinueOnlyKnocks(Story& story)
{
    const ContButton* button = LiveObjects<ContButton>().at(0);
    const sf::Color lit = LiveObjects<StartButton>().at(0)->sprite.colour;
    EXPECT_LT(button->sprite.colour.r + button->sprite.colour.g + button->sprite.colour.b,
              (lit.r + lit.g + lit.b) / 2)
        << "Continue is dimmed";
    story.Continue();
    story.Game().Frame(kStep);
    EXPECT_EQ(SoundStatus("knock"), sf::SoundSource::Status::Playing);
    story.Game().Frames(3, kStep);
    EXPECT_EQ(Data().currentScene, SceneNumber::TitleMenu);
    EXPECT_EQ(Music("Title").getStatus(), sf::SoundSource::Status::Playing);
}

// A run of dialogues, first to last.
Seen Span(std::int32_t first, std::int32_t last)
{
    Seen run;
    for (std::int32_t n = first; n <= last; ++n)
        run.push_back(n);
    return run;
}

} // namespace

TEST(Playthrough, YesFightsTheDragonAndTheVillageCheers)
{
    Story story;
    story.pauseInEveryScene = true;
    story.Start();
    story.Walk(kToTheHouses);
    story.Click(kYes);
    story.Fight(3, kAttack);
    ASSERT_TRUE(story.PlayToTheEnd());
    EXPECT_EQ(story.scenes, (Seen{SceneNumber::Splash, SceneNumber::TitleMenu, 0, 1, 2, 3, 6, kQuit}));
    EXPECT_EQ(story.dialogues, Join(Span(0, 43), Seen{44, 45, 46, 47}));
    EXPECT_EQ(Written("SeenEnd"), "1");
    EXPECT_EQ(Written("Saved Scene"), "") << "nothing to continue";
    EXPECT_EQ(Written("Creator"), "");
}

// The same game played without a mouse: the keyboard alone, then a game pad alone.
TEST(Playthrough, YesIsPlayedToItsEndWithTheKeyboardAloneAndWithAGamePadAlone)
{
    for (const Story::Hands hands : {Story::Hands::Keyboard, Story::Hands::Pad})
    {
        const bool pad = hands == Story::Hands::Pad;
        {
            Story story("", hands);
            story.pauseInEveryScene = true;
            story.Start();
            story.Walk(kToTheHouses);
            story.AnswerYes();
            story.Fight(3, kAttack);
            ASSERT_TRUE(story.PlayToTheEnd()) << (pad ? "pad" : "keyboard");
            EXPECT_EQ(story.scenes,
                      (Seen{SceneNumber::Splash, SceneNumber::TitleMenu, 0, 1, 2, 3, 6, kQuit}));
            EXPECT_EQ(story.dialogues, Join(Span(0, 43), Seen{44, 45, 46, 47}));
            EXPECT_EQ(Written("SeenEnd"), "1");
            EXPECT_EQ(story.inputs["Mouse"], 0);
            EXPECT_EQ(story.inputs["Keyboard"] == 0, pad);
            EXPECT_EQ(story.inputs["Joystick"] == 0, !pad);
        }
        testsupport::ResetSingletons();
    }
}

TEST(Playthrough, NoEndsTheGameAtTheVillageAndLeavesNothingToContinue)
{
    Story story;
    story.Start();
    story.Walk(kToTheHouses);
    story.Click(kNo);
    ASSERT_TRUE(story.PlayToTheEnd());
    EXPECT_EQ(story.scenes, (Seen{SceneNumber::Splash, SceneNumber::TitleMenu, 0, 1, 2, kQuit}));
    EXPECT_EQ(story.dialogues, Join(Span(0, 43), Seen{44, 48}));
    EXPECT_EQ(Written("SeenEnd"), "1");

    story.StartAgain();
    ExpectContinueOnlyKnocks(story);
}

TEST(Playthrough, MaybeOpensTheGapUntilTheMissileComes)
{
    Story story;
    story.pauseInEveryScene = true;
    story.Start();
    story.Walk(kToTheHouses);
    story.Click(kMaybe);
    const auto page = [](std::int32_t n)
    { return [n] { return Data().dialogNumber == 50 && Data().dialogPage == n; }; };
    ASSERT_TRUE(story.PlayUntil(page(7)));
    story.Game().Frame(kStep);
    EXPECT_EQ(LiveObjects<UnknownSpinnerStar>().size(), 1400u) << "the stars";
    EXPECT_EQ(LiveObjects<Unknown>().size(), 1u);
    EXPECT_EQ(CountOfType("FakeDoor2"), 0);
    ASSERT_TRUE(story.PlayUntil(page(12)));
    story.Game().Frame(kStep);
    EXPECT_EQ(CountOfType("KillMe"), 0) << "the unknown and its stars are gone";
    EXPECT_EQ(CountOfType("FakeDoor2"), 1) << "a new fake door";
    EXPECT_TRUE(story.PlayUntil([] { return !LiveObjects<Missile>().empty(); }));
    EXPECT_TRUE(story.PlayUntil([] { return !LiveObjects<TBC>().empty(); })) << "the card after the blast";
    ASSERT_TRUE(story.PlayToTheEnd());
    EXPECT_EQ(story.scenes, (Seen{SceneNumber::Splash, SceneNumber::TitleMenu, 0, 1, 2, 4, kQuit}));
    EXPECT_EQ(story.dialogues, Join(Span(0, 43), Seen{44, 49, 50}));
    EXPECT_EQ(Written("SeenEnd"), "1");
    EXPECT_EQ(Written("Saved Scene"), "") << "nothing to continue";
}

TEST(Playthrough, TheLaterGameWithTheChickenEndsWithTheWizardsDoorBursting)
{
    Story story("SeenEnd:1;");
    story.Start();
    story.Walk(kToTheQuiz);
    story.AnswerTheQuiz();
    story.Walk(kOverTheMagicBridge);
    const GameObject* chicken = FirstOfType("Chicken");
    ASSERT_NE(chicken, nullptr);
    EXPECT_LT(chicken->x, -10.0) << "the chicken ran off";
    EXPECT_EQ(CountOfType("Water"), 0) << "all water turned to rainbow";
    story.Walk(kToTheChicken);
    story.Click(kTake);
    story.Walk(kToTheBigDoor);
    story.Type("12345678");
    EXPECT_EQ(LiveObjects<Puzzle>().size(), 1u) << "a wrong code leaves the panel open";
    story.Type("40718265");
    story.Walk(kToTheEagle);
    story.Fight(12, kAttack);
    story.Fight(13, kRun);
    ASSERT_TRUE(story.PlayToTheEnd());
    EXPECT_EQ(story.scenes,
              (Seen{SceneNumber::Splash, SceneNumber::TitleMenu, 0, 5, 7, 8, 9, 10, 11, 12, 14, 13, kQuit}));
    EXPECT_EQ(story.dialogues, Join(Seen{51, 82}, Span(52, 81), Seen{83, 125, 84, 86}, Span(87, 91),
                                    Span(93, 112), Seen{115, 116, 123, 124, 118}));
    EXPECT_EQ(Written("Creator"), "");
    EXPECT_EQ(Written("Saved Scene"), "") << "nothing to continue";
}

TEST(Playthrough, TheLaterGameWithoutTheChickenEndsInTheLibrary)
{
    Story story("SeenEnd:1;");
    story.pauseInEveryScene = true;
    story.Start();
    story.Walk(kToTheQuiz);
    story.AnswerTheQuiz();
    story.Walk(kOverTheMagicBridge);
    story.Walk(kToTheChicken);
    story.Click(kRefuse);
    story.Walk(kToTheBigDoor);
    story.Type("40718265");
    story.Walk(kToTheEagle);
    story.Fight(12, kRun);
    const auto rocks = ResourceManager::LoadSprite("sprites/Rocks.txt").frames;
    const auto eagleIsRocks = [&]
    {
        const auto eagles = LiveObjects<Eagle>();
        return !eagles.empty() && eagles[0]->sprite.frames == rocks;
    };
    EXPECT_TRUE(story.PlayUntil(eagleIsRocks, 4000)) << "the eagle becomes rocks";
    story.Fight(13, kAttack);
    story.Walk(kToTheBooks);
    ASSERT_TRUE(story.PlayToTheEnd());
    EXPECT_EQ(story.scenes, (Seen{SceneNumber::Splash, SceneNumber::TitleMenu, 0, 5, 7, 8, 9, 10, 11, 12, 14,
                                  13, 15, SceneNumber::EndCard, kQuit}));
    EXPECT_EQ(story.dialogues, Join(Seen{51, 82}, Span(52, 81), Seen{83, 125, 84, 86}, Span(87, 90),
                                    Span(92, 113), Seen{115, 116, 117, 119, 120}));
    EXPECT_EQ(Written("Creator"), "1");
    EXPECT_EQ(Written("Saved Scene"), "") << "nothing to continue";
}

TEST(Playthrough, AWrongAnswerInTheQuizQuits)
{
    Story story("SeenEnd:1;");
    story.Start();
    story.Walk(kToTheQuiz);
    story.Click(AnswerSlot(kRightSlots[0]));
    story.Click(AnswerSlot(0));
    ASSERT_TRUE(story.PlayToTheEnd());
    EXPECT_EQ(story.scenes, (Seen{SceneNumber::Splash, SceneNumber::TitleMenu, 0, kQuit}));
    EXPECT_EQ(story.dialogues, (Seen{51}));
    EXPECT_EQ(Written("Saved Scene"), "0") << "Continue returns to the island";
}

TEST(Playthrough, TheCodePanelClosedWithEscapeOpensAgainAfterAStepBack)
{
    Story story("SeenEnd:1;");
    story.Start();
    story.Walk(kToTheQuiz);
    story.AnswerTheQuiz();
    story.Walk(kOverTheMagicBridge);
    story.Walk(kToTheChicken);
    story.Click(kTake);
    story.Walk(kToTheBigDoor);
    story.Game().Tap(Key::Escape);
    story.Game().Frames(3, kStep);
    EXPECT_TRUE(LiveObjects<Puzzle>().empty());
    EXPECT_EQ(Data().currentScene, 8) << "Escape closes the panel, it does not pause";
    story.Walk({{Key::D}});
    EXPECT_TRUE(LiveObjects<Puzzle>().empty()) << "not again without stepping back";
    story.Walk(kBackAndToTheBigDoor);
    EXPECT_EQ(LiveObjects<Puzzle>().size(), 1u);
    story.Type("40718265");
    story.Walk({{Key::D}});
    ASSERT_TRUE(story.PlayUntil([] { return Data().currentScene == 9; }));
    EXPECT_EQ(story.scenes, (Seen{SceneNumber::Splash, SceneNumber::TitleMenu, 0, 5, 7, 8, 9}));
    EXPECT_EQ(story.dialogues, Join(Seen{51, 82}, Span(52, 81), Seen{83, 125, 84, 85, 86}));
}

TEST(Playthrough, TheSecondDoorFollowsItsKeysUntilTheGapTakesIt)
{
    Story story("Multiplayer:1;");
    story.Start();
    ASSERT_TRUE(story.PlayUntil([] { return Data().currentScene == 0; }));
    GameObject* door = FirstOfType("Player");
    GameObject* second = FirstOfType("Player2");
    ASSERT_NE(second, nullptr);
    const WorldPoint start{door->x, door->y};
    story.Game().Press(Key::Up);
    story.Game().Frames(8, kStep);
    story.Game().Release(Key::Up);
    EXPECT_GT(second->y, start.y + 3.0) << "the arrows move the second door";
    EXPECT_EQ(door->y, start.y) << "and not the first";
    story.Walk(kToTheHouses);
    story.Click(kMaybe);
    ASSERT_TRUE(story.PlayUntil([] { return Data().dialogNumber == 50; }));
    story.Game().Frame(kStep);
    EXPECT_EQ(CountOfType("Player2"), 2) << "the fake door's, and one more of its own";
    ASSERT_TRUE(story.PlayUntil([] { return Data().dialogPage == 7; }));
    story.Game().Frame(kStep);
    EXPECT_EQ(CountOfType("Player2"), 1);
    ASSERT_TRUE(story.PlayToTheEnd());
    EXPECT_EQ(story.scenes, (Seen{SceneNumber::Splash, SceneNumber::TitleMenu, 0, 1, 2, 4, kQuit}));
    EXPECT_EQ(story.dialogues, Join(Span(0, 43), Seen{44, 49, 50}));
    EXPECT_EQ(Written("SeenEnd"), "1");
}

TEST(Playthrough, ContinueAfterTheWindowWasClosedArrivesInTheVillageAsTheWalkDid)
{
    Story story("Multiplayer:1;");
    story.Start();
    story.Walk(kToTheVillage);
    ASSERT_TRUE(story.PlayUntil([] { return Data().currentScene == 2; }));
    const std::string arrived = Arrival();
    story.Walk(kAlongTheVillagePath);
    story.CloseAndStartAgain();

    story.Continue();
    EXPECT_EQ(Data().currentScene, SceneNumber::Loading);
    ASSERT_TRUE(story.PlayUntil([] { return Data().currentScene == 2; }));
    EXPECT_EQ(Arrival(), arrived) << "back at the start of the scene, as first arrived";
    EXPECT_EQ(story.scenes, (Seen{SceneNumber::Splash, SceneNumber::TitleMenu, 2}));
    story.Game().Tap(Key::Escape);
    EXPECT_TRUE(story.Game().ReachScene(SceneNumber::SettingsMenu)) << "a game is running: Escape pauses";
}

TEST(Playthrough, ContinueBringsTheTakenChickenIntoTheTowerTwice)
{
    Story story("SeenEnd:1;");
    story.Start();
    story.Walk(kToTheQuiz);
    story.AnswerTheQuiz();
    story.Walk(kOverTheMagicBridge);
    story.Walk(kToTheChicken);
    story.Click(kTake);
    // The pause page is left by no loading screen into the scene: the record stays as entered.
    story.Game().Tap(Key::Escape);
    ASSERT_TRUE(story.Game().ReachScene(SceneNumber::SettingsMenu));
    story.Click(kResume);
    ASSERT_TRUE(story.Game().ReachScene(7));
    EXPECT_EQ(Written("Saved Chicken"), "0");
    story.Walk({{Key::W}});
    ASSERT_TRUE(story.PlayUntil([] { return Data().currentScene == 8; }));
    const std::string puzzleRoom = Arrival();
    story.Walk({{Key::D}});
    ASSERT_EQ(LiveObjects<Puzzle>().size(), 1u);
    story.CloseAndStartAgain();

    // The code door's intro was seen after the room was entered: it plays again.
    story.Continue();
    ASSERT_TRUE(story.PlayUntil([] { return Data().currentScene == 8; }));
    EXPECT_EQ(Arrival(), puzzleRoom);
    story.Walk({{Key::D}});
    story.Type("40718265");
    story.Walk({{Key::D}});
    ASSERT_TRUE(story.PlayUntil([] { return Data().currentScene == 9; }));
    const std::string wizardsHall = Arrival();
    EXPECT_EQ(story.dialogues, (Seen{84, 86}));
    story.CloseAndStartAgain();

    story.Continue();
    ASSERT_TRUE(story.PlayUntil([] { return Data().currentScene == 9; }));
    EXPECT_EQ(Arrival(), wizardsHall);
    story.Walk({{Key::D}});
    EXPECT_EQ(story.dialogues, (Seen{87, 88, 89, 90, 91, 93})) << "91: the wizard sees the chicken";
}

TEST(Playthrough, AnInvalidRecordIsNotedOnceAndLeavesTheTitleAsWithNothingRecorded)
{
    const std::map<std::string, std::string> valid = {
        {"Saved Scene",       "2"},
        {"Saved Chicken",     "0"},
        {"Saved Code Intro",  "0"},
        {"Saved Code Solved", "0"},
        {"Saved Seen End",    "0"},
        {"Saved Creator",     "0"},
        {"Saved Two Players", "0"},
    };
    // clang-format off
    const std::pair<const char*, const char*> faults[] = {
        {"Saved Scene", "16"}, {"Saved Scene", "-5"}, {"Saved Scene", "-1"}, {"Saved Scene", "two"},
        {"Saved Scene", "2x"}, {"Saved Chicken", "yes"}, {"Saved Creator", "2"}, {"Saved Two Players", ""},
    };
    // clang-format on
    Story story;
    for (const auto& [key, value] : faults)
    {
        std::string file = "Loading Length:0.1;";
        for (const auto& [name, text] : valid)
            file += name + ":" + (name == key ? value : text) + ";";
        WriteFile("important/settings.txt", file);
        ::testing::internal::CaptureStderr();
        story.StartAgain();
        const std::string note = ::testing::internal::GetCapturedStderr();
        std::istringstream lines(note);
        std::vector<std::string> notes;
        for (std::string line; std::getline(lines, line);)
            if (line.find("saved game") != std::string::npos)
                notes.push_back(line);
        ASSERT_EQ(notes.size(), 1u) << note;
        EXPECT_NE(notes[0].find(key), std::string::npos) << notes[0];
        ExpectContinueOnlyKnocks(story);

        // Start still plays, and replaces the record.
        story.Click(kStart);
        ASSERT_TRUE(story.PlayUntil([] { return Data().currentScene == 0; })) << key << " " << value;
        EXPECT_EQ(Written("Saved Scene"), "0");
        EXPECT_EQ(Written(key), "0") << "replaced";
    }
}

// The keyboard's focus on the buttons of every screen: where it starts, the order Tab and the
// arrows take it in, Enter pressing as a click does, and the pointer taking the highlight back.
#include "widgets/KeyboardFocus.hpp"

#include "game/AnswerButtons.hpp"
#include "game/ChickenOffer.hpp"
#include "game/FightButtons.hpp"
#include "game/Quiz.hpp"
#include "menus/ControlsPage.hpp"
#include "menus/Creator.hpp"
#include "menus/Dice.hpp"
#include "menus/Settings.hpp"
#include "menus/Title.hpp"
#include "scenes/DialogueEndings.hpp"
#include "support/GameTest.hpp"
#include "widgets/NavigationButtons.hpp"

#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace
{
KeyboardFocus& Focus()
{
    return KeyboardFocus::getInstance();
}

template <typename T> bool Is(const ButtonBase* button)
{
    return dynamic_cast<const T*>(button) != nullptr;
}

void Scene(std::int32_t n)
{
    Map::getInstance().LoadScene(n);
}

// The settings page as a paused game shows it.
void PausePage()
{
    Scene(0);
    Data().resumeScene = 0;
    WorldManager::getInstance().StashWorld();
    Scene(SceneNumber::SettingsMenu);
}

struct Screen
{
    const char* name;
    std::function<void(GameDriver&)> show;
    std::function<bool(const ButtonBase*)> first;
};

// clang-format off
const Screen kScreens[] = {
    {"title",      [](GameDriver&) { Scene(SceneNumber::TitleMenu); },        Is<StartButton>},
    {"credits",    [](GameDriver&) { Scene(SceneNumber::Credits); },          Is<TitleButton>},
    {"settings",   [](GameDriver&) { Scene(SceneNumber::SettingsMenu); },     Is<LoadingLengthSlider>},
    {"pause",      [](GameDriver&) { PausePage(); },                          Is<ResumeButton>},
    {"creator",    [](GameDriver&) { Scene(SceneNumber::CharacterCreator); }, Is<DoorButton>},
    {"playground", [](GameDriver&) { Scene(SceneNumber::Playground); },       Is<TitleButton>},
    {"controls",   [](GameDriver&) { Scene(SceneNumber::Controls); },
        [](const ButtonBase* b) { return Is<BindingRow>(b) && static_cast<const BindingRow*>(b)->action == Action::WalkUp; }},
    {"answers",    [](GameDriver&) { Scene(2); scenes::FirstActions(44); },   Is<YesButton>},
    {"quiz",       [](GameDriver&) { Scene(0); scenes::FirstActions(51); },
        [](const ButtonBase* b) { return Is<QuizButton>(b) && static_cast<const QuizButton*>(b)->slot == 0; }},
    {"chicken",    [](GameDriver&) { Scene(7); scenes::FirstActions(83); },   Is<YesAnswer>},
    {"fight",      [](GameDriver& game) {
                       Scene(3);
                       ASSERT_TRUE(game.RunUntil([] { return !LiveObjects<AttackButton>().empty(); }, 2000, kStep));
                   },                                                         Is<AttackButton>},
};
// clang-format on

WorldPoint Centre(const ButtonBase* button)
{
    return {button->x + button->boxOffsetX, button->y + button->boxOffsetY};
}
} // namespace

TEST(KeyboardFocus, EveryScreenStartsOnItsFirstButtonAndTabVisitsEachButtonOnceInReadingOrder)
{
    for (const Screen& screen : kScreens)
    {
        GameDriver game;
        Data().resumeScene = SceneNumber::NoGame;
        screen.show(game);
        game.Frame(kStep);
        ButtonBase* start = Focus().Current();
        ASSERT_NE(start, nullptr) << screen.name;
        EXPECT_TRUE(Focus().Showing()) << screen.name;
        EXPECT_TRUE(screen.first(start)) << screen.name;

        // A whole round of Tab: every button once, back to the start, and only one step (from the
        // last button to the first) that does not go on down the screen or along a row.
        const std::size_t count = Focus().Buttons().size();
        ASSERT_GE(count, 1u) << screen.name;
        std::set<ButtonBase*> visited;
        int backwards = 0;
        ButtonBase* previous = start;
        for (std::size_t i = 0; i < count; ++i)
        {
            game.Tap(Key::Tab);
            ButtonBase* now = Focus().Current();
            visited.insert(now);
            const WorldPoint a = Centre(previous);
            const WorldPoint b = Centre(now);
            if (!(b.y < a.y - 0.5 || (std::abs(b.y - a.y) <= 0.5 && b.x > a.x)))
                ++backwards;
            previous = now;
        }
        EXPECT_EQ(visited.size(), count) << screen.name;
        EXPECT_EQ(Focus().Current(), start) << screen.name;
        EXPECT_EQ(backwards, 1) << screen.name;
        game.Tap(Key::Tab);
        game.Press(Key::LShift);
        game.Tap(Key::Tab);
        game.Release(Key::LShift);
        EXPECT_EQ(Focus().Current(), start) << screen.name << ": Shift+Tab goes back";
        testsupport::ResetSingletons();
    }
}

TEST(KeyboardFocus, TheArrowsGoToTheNearestButtonThatWayAndStayAtTheEdge)
{
    GameDriver game;
    Scene(SceneNumber::TitleMenu);
    game.Frame(kStep);
    // clang-format off
    const std::pair<Key, std::function<bool(const ButtonBase*)>> steps[] = {
        {Key::Up, Is<StartButton>},      // nothing above
        {Key::Right, Is<SettingsButton>}, {Key::Down, Is<QuitButton>}, {Key::Left, Is<ContButton>},
        {Key::Down, Is<Credit>},         {Key::Left, Is<Credit>},      {Key::Up, Is<ContButton>},
        {Key::Up, Is<StartButton>},
    };
    // clang-format on
    int step = 0;
    for (const auto& [key, lands] : steps)
    {
        game.Tap(key);
        EXPECT_TRUE(lands(Focus().Current())) << "step " << step++;
    }
}

TEST(KeyboardFocus, EnterPressesAsAClickDoesAndTheDialogueTakesItFirst)
{
    GameDriver game;
    Scene(SceneNumber::TitleMenu);
    game.Frame(kStep);
    // Continue with nothing saved only knocks, for Enter as for a click.
    game.Tap(Key::Down);
    ASSERT_TRUE(Is<ContButton>(Focus().Current()));
    game.Tap(Key::Enter);
    EXPECT_EQ(SoundStatus("knock"), sf::SoundSource::Status::Playing);
    EXPECT_EQ(Data().currentScene, SceneNumber::TitleMenu);
    ResourceManager::getInstance().Stop("knock");

    // While a dialogue is open Enter and Space read it to its end, and press nothing: not even
    // the press that ends it.
    game.Tap(Key::Up);
    DialogManager& dialog = DialogManager::getInstance();
    dialog.StartDialog(4);
    int presses = 0;
    for (; dialog.active && presses < 50; ++presses)
    {
        game.Tap(presses % 2 == 0 ? Key::Enter : Key::Space);
        game.Frame(kStep);
        EXPECT_EQ(Data().currentScene, SceneNumber::TitleMenu) << "press " << presses;
        EXPECT_NE(SoundStatus("knock"), sf::SoundSource::Status::Playing) << "press " << presses;
    }
    EXPECT_FALSE(dialog.active);
    EXPECT_GE(presses, 2);
    game.Tap(Key::Space);
    EXPECT_EQ(Data().currentScene, SceneNumber::Loading) << "Start, once the dialogue is over";
    EXPECT_EQ(Data().pendingScene, 0);
}

TEST(KeyboardFocus, MovingTheMouseHandsTheHighlightToThePointerAndAKeyTakesItBackWhereItWas)
{
    GameDriver game;
    Scene(SceneNumber::TitleMenu);
    game.Frame(kStep);
    game.Tap(Key::Right);
    auto* settings = LiveObjects<SettingsButton>().at(0);
    game.Frame(kStep);
    EXPECT_EQ(settings->sprite.frameIndex, settings->hoverFrame);

    game.MoveMouse(-14.5, -9.0);
    game.Frame(kStep);
    game.Frame(kStep);
    EXPECT_FALSE(Focus().Showing());
    EXPECT_EQ(settings->sprite.frameIndex, settings->normalFrame);
    EXPECT_TRUE(LiveObjects<Credit>().at(0)->lit) << "the pointer's button is lit";
    // Enter only shows the focus again, on the button it had; the next one presses it.
    game.Tap(Key::Enter);
    EXPECT_TRUE(Focus().Showing());
    EXPECT_EQ(Focus().Current(), settings);
    EXPECT_EQ(Data().currentScene, SceneNumber::TitleMenu);
    game.Tap(Key::Enter);
    EXPECT_EQ(Data().pendingScene, SceneNumber::SettingsMenu);
}

TEST(KeyboardFocus, LeftAndRightStepAFocusedSliderAndEnterHoldsAFocusedDie)
{
    GameDriver game;
    Scene(SceneNumber::SettingsMenu);
    game.Frame(kStep);
    auto* slider = dynamic_cast<LoadingLengthSlider*>(Focus().Current());
    ASSERT_NE(slider, nullptr);
    game.Tap(Key::Right);
    EXPECT_EQ(Data().loadingLength, 4.0);
    EXPECT_EQ(Setting("Loading Length"), "4.000000");
    game.Tap(Key::Left);
    game.Tap(Key::Left);
    EXPECT_EQ(Data().loadingLength, 3.0) << "no lower than its least";
    EXPECT_EQ(Focus().Current(), slider) << "Left and Right do not leave a slider";
    game.Tap(Key::Enter);
    EXPECT_EQ(slider->dragging, false) << "Enter does not hand the slider to the pointer";

    while (!Is<Dice>(Focus().Current()))
        game.Tap(Key::Tab);
    auto* die = static_cast<Dice*>(Focus().Current());
    game.Tap(Key::Enter);
    EXPECT_TRUE(die->held);
    game.Tap(Key::Space);
    EXPECT_FALSE(die->held);
}

TEST(KeyboardFocus, EscapeGoesBackFromEveryPageReachedFromTheTitleAndResumesFromThePausePage)
{
    // clang-format off
    const std::pair<std::function<void()>, std::int32_t> pages[] = {
        {[] { Scene(SceneNumber::Credits); },          SceneNumber::TitleMenu},
        {[] { Scene(SceneNumber::SettingsMenu); },     SceneNumber::TitleMenu},
        {[] { Scene(SceneNumber::CharacterCreator); }, SceneNumber::TitleMenu},
        {[] { Scene(SceneNumber::Playground); },       SceneNumber::TitleMenu},
        {[] { Scene(SceneNumber::Controls); },         SceneNumber::SettingsMenu},
        {[] { PausePage(); },                          SceneNumber::Resume},
    };
    // clang-format on
    for (const auto& [show, back] : pages)
    {
        GameDriver game;
        Data().resumeScene = SceneNumber::NoGame;
        show();
        const std::int32_t page = Data().currentScene;
        game.Frame(kStep);
        game.Tap(Key::Escape);
        EXPECT_EQ(Data().currentScene, SceneNumber::Loading) << page;
        EXPECT_EQ(Data().pendingScene, back) << page;
        testsupport::ResetSingletons();
    }
}

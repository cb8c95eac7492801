#include "scenes/DialogueEndings.hpp"

#include "dialogue/DialogManager.hpp"
#include "game/AnswerButtons.hpp"
#include "game/ChickenOffer.hpp"
#include "game/Cosmetics.hpp"
#include "game/DoorCompanions.hpp"
#include "game/Dragon.hpp"
#include "game/Eagle.hpp"
#include "game/Effects.hpp"
#include "game/Props.hpp"
#include "game/Puzzle.hpp"
#include "game/Quiz.hpp"
#include "game/Scenery.hpp"
#include "game/TitleCards.hpp"
#include "resources/ResourceManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "state/Map.hpp"
#include "state/SavedGame.hpp"
#include "state/SettingManager.hpp"
#include "widgets/Button.hpp"
#include "widgets/MouseFollower.hpp"
#include "widgets/NavigationButtons.hpp"
#include "world/WorldManager.hpp"

#include <algorithm>
#include <initializer_list>
#include <string>

namespace scenes
{
namespace
{
using Action = void (*)();

// An action and the dialogues whose ending runs it.
struct Ending
{
    std::initializer_list<std::int32_t> dialogues;
    Action action;
};

void ChangeScene(std::int32_t scene)
{
    Map::getInstance().ChangeScene(scene);
}

void StartDialog(std::int32_t dialogue)
{
    DialogManager::getInstance().StartDialog(dialogue);
}

void MarkFirst(const std::string& type)
{
    for (GameObject* object : WorldManager::getInstance().GetAllObjects())
        if (object->type == type)
        {
            WorldManager::getInstance().MarkForDeletion(object);
            return;
        }
}

// The end-of-game question: Yes, No and Maybe appear under it; the door waits for an answer.
void RaiseAnswerButtons()
{
    BigAccessingOfData::getInstance().controlsLocked = true;
    new AnswerQuestion(44);
    new YesButton();
    new NoButton();
    new MaybeButton();
}

// Five questions, answered with the pointer; the bridge to the tower grows after the last.
void RaiseQuiz()
{
    auto* quiz = new Quiz();
    new MouseFollower();
    quiz->Advance();
}

void RaiseChickenOffer()
{
    new ChickenStealer();
}

void RaiseCodePanel()
{
    new Puzzle();
}

// Dialogue 113 is over: the spell takes the eagle, which turns to rocks.
void ReleaseEagles()
{
    DialogManager::getInstance().autoAdvance = false;
    WorldManager& world = WorldManager::getInstance();
    for (GameObject* object : world.GetAllObjects())
        if (auto* eagle = dynamic_cast<Eagle*>(object); eagle != nullptr && !eagle->dying)
            eagle->Release();
}

// After the eagle: the dragon flies into the hall and poses on the right, then speaks (116).
void SummonDragon()
{
    auto* dragon = new Dragon();
    dragon->pose = true;
    dragon->homeX = dragon->x = 8.96;
    dragon->depth = 999.0;
    StartDialog(116);
}

void DrainTheLake()
{
    WorldManager::getInstance().MarkAllOfType("Water");
    WizardCommand(0);
}

void OpenTheLibrary()
{
    Map::getInstance().LoadScene(-9);
    SettingManager::getInstance().Set("Creator", "1");
}

void AfterTheWizardsTalk()
{
    WizardCommand(1);
    StartDialog(BigAccessingOfData::getInstance().hasChicken ? 91 : 92);
}

// The eagle flies past above the lake and the tower's music gives way to its own.
void EagleFliesPast()
{
    StartDialog(93);
    auto* eagle = new EagleAnimated();
    eagle->y = 7.0;
    eagle->velocityX = 40.0;
    ResourceManager& resources = ResourceManager::getInstance();
    resources.Stop("Tower");
    resources.LoadMusic("Eagle", "music/EaglePrelude.mp3");
    resources.PlayMusic("Eagle", 100, true, false);
}

// The story is over: Continue must not drop the player back into it. Written at once, as a
// window closed during the ending's card or blast writes nothing.
void EndTheStory()
{
    SavedGame::Clear();
    SettingManager::getInstance().Save();
}

// clang-format off
const Ending kFirstActions[] = {
    {{44},      RaiseAnswerButtons},
    {{45},      [] { ChangeScene(3); }},
    {{46},      [] { ChangeScene(6); }},
    {{47},      [] { ShowEnding("The dragon lies down for a week.\nThe door goes home to try the other way tomorrow."); }},
    {{48},      [] { ShowEnding("The door stands by the houses, very still.\nNobody knocks."); }},
    {{49},      [] { ChangeScene(4); }},
    {{50},      [] { new Missile({-20.0, 5.2}, {7.0, -0.7}); }},
    {{51},      RaiseQuiz},
    {{83},      RaiseChickenOffer},
    {{84, 85},  RaiseCodePanel},
    {{86},      [] { WorldManager::getInstance().MarkAllOfType("BigDoor"); }},
    {{87, 119}, [] { WizardCommand(0); }},
    {{93},      DrainTheLake},
    {{112},     [] { ResourceManager::getInstance().LoadMusic("Cutscene", "music/Cutscene.mp3"); ChangeScene(12); }},
    {{113},     ReleaseEagles},
    {{116},     [] { DialogManager::getInstance().autoAdvance = false; ChangeScene(13); }},
    {{117},     [] { ChangeScene(15); }},
    {{120},     OpenTheLibrary},
    // The endings (No, Yes, Maybe, the library), after their own rows; a wrong answer in the quiz
    // is none.
    {{47, 48, 50, 120}, EndTheStory},
};

const Ending kSecondActions[] = {
    {{90},      AfterTheWizardsTalk},
    {{91, 92},  EagleFliesPast},
    {{115},     SummonDragon},
    {{118},     [] { BurstFakeDoors(1); }},
    {{123},     [] { BurstFakeDoors(0); StartDialog(124); }},
    {{124},     [] { StartDialog(118); }},
    // The ending where the wizard's door bursts.
    {{118},     EndTheStory},
};
// clang-format on

// Every row naming the dialogue runs, in table order.
template <std::size_t N> void Run(const Ending (&table)[N], std::int32_t dialogue)
{
    for (const Ending& ending : table)
        if (std::find(ending.dialogues.begin(), ending.dialogues.end(), dialogue) != ending.dialogues.end())
            ending.action();
}

// Behind the half-opened door: the fake door and the second player vanish, and the Unknown
// appears among its stars (with a reward for those who unlocked the creator).
void OpenTheGap()
{
    MarkFirst("FakeDoor2");
    MarkFirst("Player2");
    new Unknown();
    new MouseFollower();
    for (int i = 0; i < 1400; ++i)
        new UnknownSpinnerStar();
    auto* reward = new ButtonKnobGiver(9);
    reward->x = 15.0;
    reward->y = 9.0;
}

void CloseTheGap()
{
    WorldManager::getInstance().MarkAllOfType("KillMe");
    new FakeDoor2();
}
} // namespace

void FirstActions(std::int32_t dialogue)
{
    Run(kFirstActions, dialogue);
}

void SecondActions(std::int32_t dialogue)
{
    Run(kSecondActions, dialogue);
}

void PageHooks(std::int32_t dialogue, std::int32_t page)
{
    if (dialogue != 50)
        return;
    if (page == 7)
        OpenTheGap();
    else if (page == 12)
        CloseTheGap();
}

void RegisterDialogueEndings()
{
    DialogManager& dialog = DialogManager::getInstance();
    dialog.firstActions = &FirstActions;
    dialog.secondActions = &SecondActions;
    dialog.pageHooks = &PageHooks;
}
} // namespace scenes

// Scenes outside the story: the cards, the loading screen and the menus.
#include "game/Cosmetics.hpp"
#include "game/Playground.hpp"
#include "game/TitleCards.hpp"
#include "menus/ControlsPage.hpp"
#include "menus/Creator.hpp"
#include "menus/Credits.hpp"
#include "menus/Settings.hpp"
#include "menus/Title.hpp"
#include "scenes/LoadingScreen.hpp"
#include "scenes/SceneBuilders.hpp"
#include "state/BigAccessingOfData.hpp"
#include "widgets/Button.hpp"
#include "widgets/MouseFollower.hpp"

namespace scenes
{
void BuildSplash()
{
    new Splash();
}

void BuildEndCard()
{
    new CCU();
}

void BuildLoadingScreen()
{
    new LoadingObject();
}

void BuildCharacterCreator()
{
    new CreatorObject();
}

void BuildPlayground()
{
    if (Setting("Creator") == "1")
        new Obtains(8);
    new Playground();
}

void BuildCredits()
{
    new CreditsMenuScene();
    new MouseFollower();
}

void BuildControls()
{
    new ControlsPage();
    new MouseFollower();
}

void BuildSettingsMenu()
{
    new SettingsObject();
    new MouseFollower();
}

void BuildTitleMenu()
{
    new TitleObject();
    new MouseFollower();
    BigAccessingOfData& data = BigAccessingOfData::getInstance();
    data.ResetRunFlags();
    PlaySceneMusic("Title", "music/MainIsland.mp3");
    data.resumeScene = SceneNumber::NoGame;
    if (KnobThirteenIsDue())
        new Obtains(13);
}
} // namespace scenes

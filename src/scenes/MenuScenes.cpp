// Scenes outside the story: the cards, the loading screen and the menus.
#include "game/Playground.hpp"
#include "game/TitleCards.hpp"
#include "scenes/LoadingScreen.hpp"
#include "scenes/SceneBuilders.hpp"
#include "state/BigAccessingOfData.hpp"
#include "ui/Button.hpp"
#include "ui/Cosmetics.hpp"
#include "ui/menus/Creator.hpp"
#include "ui/menus/Credits.hpp"
#include "ui/menus/Settings.hpp"
#include "ui/menus/Title.hpp"

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

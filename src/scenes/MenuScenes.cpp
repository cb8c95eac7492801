// Scenes outside the story: the cards, the loading screen and the menus.
#include "game/TitleCards.hpp"
#include "scenes/LoadingScreen.hpp"
#include "scenes/SceneBuilders.hpp"
#include "state/BigAccessingOfData.hpp"

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

// The menus' pages, buttons and pointer (and the creator and playground roots) are built by
// the interface code; until it is here these scenes stay empty but keep their state rules.
void BuildCharacterCreator()
{
}
void BuildPlayground()
{
}
void BuildCredits()
{
}
void BuildSettingsMenu()
{
}

void BuildTitleMenu()
{
    BigAccessingOfData& data = BigAccessingOfData::getInstance();
    data.ResetRunFlags();
    PlaySceneMusic("Title", "music/MainIsland.mp3");
    data.resumeScene = SceneNumber::NoGame;
    // KnobThirteenIsDue() decides the title's cosmetic award, announced by the interface code.
}
} // namespace scenes

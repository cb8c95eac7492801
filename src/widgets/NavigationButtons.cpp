#include "widgets/NavigationButtons.hpp"

#include "state/BigAccessingOfData.hpp"
#include "state/Map.hpp"

TitleButton::TitleButton()
{
    DressButton(*this, "sprites/TitleButton.txt", {14.0, -8.0}, 1.5, 1.3, 1.2);
    goesBack = true;
}

void TitleButton::OnClick()
{
    Map::getInstance().ChangeScene(SceneNumber::TitleMenu);
}

ResumeButton::ResumeButton()
{
    DressButton(*this, "sprites/ResumeButton.txt", {8.5, -8.0}, 1.5, 1.3, 1.2);
    focusFirst = true;
}

void ResumeButton::OnClick()
{
    Map::getInstance().ChangeScene(SceneNumber::Resume);
}

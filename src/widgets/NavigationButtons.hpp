#pragma once

#include "widgets/Button.hpp"

// Small buttons several pages share: back to the title menu, and resume the paused game.
class TitleButton : public Button
{
public:
    TitleButton();
    void OnClick() override;
};

class ResumeButton : public Button
{
public:
    ResumeButton();
    void OnClick() override;
};

#pragma once

#include "widgets/Button.hpp"

// The credits page (scene -3): the credits picture, a way back to the title and, hidden in
// plain sight, the button that opens the particle playground.
class CreditsMenuScene : public GameObject
{
public:
    CreditsMenuScene();
};

class Names : public Button
{
public:
    Names();
    void OnClick() override;
};

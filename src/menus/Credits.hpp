#pragma once

#include "widgets/Button.hpp"

// The credits page (scene -3): the credits picture, a way back to the title and, hidden in
// plain sight, the button that opens the particle playground.
class CreditsMenuScene : public GameObject
{
public:
    CreditsMenuScene();
};

// The lines of the credits page, drawn as prose over the page's picture: their first line on the
// page's sixth row, the others a prose step apart.
class CreditsText : public GameObject
{
public:
    explicit CreditsText(const GameObject& page);
};

class Names : public Button
{
public:
    Names();
    void OnClick() override;
};

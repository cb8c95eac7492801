#pragma once

#include "world/GameObject.hpp"

#include <string>

// The loading screen's root: builds the title, the progress bar, a random tip and the mouse
// trail, then saves the settings.
class LoadingObject : public GameObject
{
public:
    LoadingObject();
};

// The "Loading" title picture.
class Loading : public GameObject
{
public:
    Loading();
};

// Fills with "DOOR=" over the loading length, then switches to the pending scene.
class ProgressBar : public GameObject
{
public:
    std::string pattern = "DOOR=DOOR=DOOR=DOOR=DOOR=DOOR=DOOR=DOOR=DOOR=DOOR=DOOR=DOOR=DOOR=DOOR";
    double remaining = 0.0;

    ProgressBar();
    void HandleEvent(Event& event) override;
    void Draw() override;
    // The bar's text for the given seconds left of the loading length.
    std::string BarText() const;
};

class LoadingScreenTip : public GameObject
{
public:
    std::string tip;

    LoadingScreenTip();
    void Draw() override;
};

// Wraps a tip into lines shorter than 66 characters.
std::string WrapTip(const std::string& text);

#pragma once

#include "widgets/Button.hpp"

// The invisible pointer: follows the mouse in screen-fixed units, finds the clickable object
// under it through the physics overlap and clicks it on a left press. Every accepted click
// knocks, except one that starts a scene change. It also draws the keyboard focus's marker.
class MouseFollower : public GameObject
{
public:
    // Valid for one frame: cleared every tick and on every click.
    ObjectRef<ButtonBase> target;

    MouseFollower();
    void HandleEvent(Event& event) override;
    void Draw() override;

private:
    void Click();
};

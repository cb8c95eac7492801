#pragma once

#include "core/Manager.hpp"
#include "widgets/Button.hpp"

#include <cstdint>
#include <functional>
#include <vector>

// The keyboard's (and the pads') highlight on the buttons of a screen. Arrows move it to the
// nearest button in their direction, Tab and Shift+Tab through reading order, Enter and Space
// press it as a click would, Left and Right step a focused slider. It shows until the mouse
// moves, and any of those keys take it back; it starts on the button marked to be first.
// It exists only where a pointer (MouseFollower) does and no door can walk: the arrows are
// the door's then. Start-up subscribes it to the keyboard after the dialogue, which takes
// Space and Enter first, and to the tick before any object, so that the buttons' highlights read
// what it found at the start of the frame.
class KeyboardFocus : public Manager<KeyboardFocus>
{
public:
    enum class Direction : std::int32_t
    {
        Up,
        Down,
        Left,
        Right,
    };

    // The game says whether a door can walk now (the layer that owns the doors fills it in).
    std::function<bool()> doorCanWalk;
    // Where the focus starts on the next screen with buttons, instead of its first button: a page
    // left for another comes back with the focus on the button that left it.
    // (Used up by the first screen with buttons, whether it has that button or not.)
    mutable std::function<bool(const ButtonBase*)> startOn;

    static void StartUp();
    void Reset();
    void HandleEvent(Event& event) override;

    // Whether the screen takes the focus now: a pointer, buttons, and no walking door.
    bool Available() const;
    // Whether the highlight is the focus's (else the pointer's).
    bool Showing() const;
    // As the frame began: whether the focus shows, and on which button (null when it does not).
    bool ShowingThisFrame() const { return showingThisFrame; }
    ButtonBase* LitThisFrame() const { return litThisFrame.get(); }
    // The focused button, or the one the focus starts on; null where there is none.
    ButtonBase* Current() const;
    // The screen's buttons the focus may rest on, in reading order (rows top down, left to right).
    std::vector<ButtonBase*> Buttons() const;

    // Each returns whether it took the input. The first press of any of them only shows the focus.
    bool Move(Direction direction);
    bool Cycle(std::int32_t direction);
    bool Activate();
    // Left and Right on a slider step it.
    bool Step(std::int32_t direction);
    // The screen's way back, if it has one, pressed.
    bool PressBack();
    void HandToPointer();

private:
    // The buttons, where the screen takes the focus now; none where it does not.
    std::vector<ButtonBase*> Candidates() const;
    // Shows the highlight where it would be; false when there is nothing to show it on.
    bool Take();
    void HandleKey(std::int32_t key, bool shift);

    bool showing = true;
    bool showingThisFrame = false;
    ObjectRef<ButtonBase> litThisFrame;
    mutable ObjectRef<ButtonBase> focused;
    bool shiftHeld = false;
};

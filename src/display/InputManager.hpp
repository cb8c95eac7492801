#pragma once

#include "core/Manager.hpp"

#include <SFML/System/Vector2.hpp>
#include <cstdint>

namespace sf
{
class Event;
}

// Turns window key, mouse and game pad events into the engine's "Keyboard", "Mouse" and
// "Joystick" events, with mouse positions in world units relative to the centre of the drawing
// area.
class InputManager : public Manager<InputManager>
{
public:
    enum Action : std::int32_t
    {
        Pressed = 1,
        Released = 2,
        Moved = 3,
        // The mouse wheel turned (EventMouse::wheel says how far).
        Wheeled = 4,
        // A game pad came or went.
        Connected = 5,
        Disconnected = 6,
    };

    static inline bool inputStarted = false;

    EventKeyboard keyboardEvent;
    EventMouse mouseEvent;
    EventJoystick joystickEvent;
    WorldPoint mousePosition;

    static void StartUp();
    void Reset();

    void HandleWindowEvent(const sf::Event& event);
    void PublishMouse(std::int32_t action, sf::Mouse::Button button, sf::Vector2i pixel);

private:
    // True when the event was a game pad's (and is published).
    bool HandlePadEvent(const sf::Event& event);
    void PublishPad(std::int32_t action, std::uint32_t pad);
};

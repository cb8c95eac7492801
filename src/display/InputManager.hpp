#pragma once

#include "core/Manager.hpp"

#include <SFML/System/Vector2.hpp>
#include <cstdint>

namespace sf
{
class Event;
}

// Turns window key and mouse events into the engine's "Keyboard" and "Mouse" events, with
// mouse positions in world units relative to the centre of the drawing area.
class InputManager : public Manager<InputManager>
{
public:
    enum Action : std::int32_t
    {
        Pressed = 1,
        Released = 2,
        Moved = 3,
    };

    static inline bool inputStarted = false;

    EventKeyboard keyboardEvent;
    EventMouse mouseEvent;
    WorldPoint mousePosition;

    static void StartUp();
    void Reset();

    void HandleWindowEvent(const sf::Event& event);
    void PublishMouse(std::int32_t action, sf::Mouse::Button button, sf::Vector2i pixel);
};

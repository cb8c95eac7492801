#pragma once

#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>
#include <cstdint>
#include <functional>

namespace testsupport
{
// The frame length the game-level tests drive with.
constexpr double kStep = 1.0 / 16.0;

// Drives the real game headless: the window under the virtual display, synthetic key and mouse
// events through the display's event path, frames with a fixed time step and no sleeping.
// Whatever the X server itself reports to the window (focus moving between the windows of
// tests running side by side, the real pointer) is dropped, so only the test steers the game.
class GameDriver
{
public:
    // Runs the game's start-up and treats a game as running (so Escape pauses).
    GameDriver();
    ~GameDriver();
    GameDriver(const GameDriver&) = delete;
    GameDriver& operator=(const GameDriver&) = delete;

    void Press(sf::Keyboard::Key key);
    void Release(sf::Keyboard::Key key);
    void Tap(sf::Keyboard::Key key);
    // The mouse at a screen-fixed point (x within +-17.78, y within +-10), as a move event.
    void MoveMouse(double x, double y);
    // A press and release of a mouse button where the mouse is.
    void Click(sf::Mouse::Button button = sf::Mouse::Button::Left);
    void MouseDown(sf::Mouse::Button button = sf::Mouse::Button::Left);
    void MouseUp(sf::Mouse::Button button = sf::Mouse::Button::Left);
    void Frames(int count, double dt = 1.0 / 60.0);
    void Frame(double dt = 1.0 / 60.0);
    // Runs frames until `done` holds; false if it never did within `limit` frames.
    bool RunUntil(const std::function<bool()>& done, int limit, double dt = 1.0 / 60.0);
    // Runs frames of kStep until the current scene is `scene`; false if it never came.
    bool ReachScene(std::int32_t scene, int limit = 200);
    // How many process-exit requests the quit scene made.
    static int exitRequests;

private:
    sf::Vector2i mousePixel{640, 360};
};
} // namespace testsupport

#pragma once

#include "GameStartup.hpp"
#include "core/ProcessExit.hpp"
#include "display/DisplayManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "support/Harness.hpp"
#include "world/GameManager.hpp"
#include "world/WorldManager.hpp"

#include <SFML/Window/Event.hpp>
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
    // How many process-exit requests the quit scene made.
    static inline int exitRequests = 0;

    // Runs the game's start-up and treats a game as running (so Escape pauses).
    GameDriver()
    {
        SetProcessExitHandler([](int) { ++exitRequests; });
        StartGame();
        BigAccessingOfData::getInstance().resumeScene = SceneNumber::GameWithoutPause;
    }
    ~GameDriver()
    {
        WorldManager::getInstance().DestroyEverything();
        SetProcessExitHandler(nullptr);
    }
    GameDriver(const GameDriver&) = delete;
    GameDriver& operator=(const GameDriver&) = delete;

    void Press(sf::Keyboard::Key key) { Send(sf::Event::KeyPressed{key, sf::Keyboard::Scancode::Unknown}); }
    void Release(sf::Keyboard::Key key)
    {
        Send(sf::Event::KeyReleased{key, sf::Keyboard::Scancode::Unknown});
    }
    void Tap(sf::Keyboard::Key key)
    {
        Press(key);
        Release(key);
    }
    // The mouse at a screen-fixed point (x within +-17.78, y within +-10), as a move event.
    void MoveMouse(double x, double y)
    {
        // The letterboxed area is centred in the window, 20 units high.
        const DisplayManager& display = DisplayManager::getInstance();
        const sf::Vector2u window = display.window.getSize();
        const double unit = display.letterboxHeight / 20.0;
        mousePixel = {static_cast<int>(window.x / 2.0 + x * unit),
                      static_cast<int>(window.y / 2.0 - y * unit)};
        Send(sf::Event::MouseMoved{mousePixel});
    }
    // A press and release of a mouse button where the mouse is.
    void Click(sf::Mouse::Button button = sf::Mouse::Button::Left)
    {
        MouseDown(button);
        MouseUp(button);
    }
    // The wheel turned where the mouse is; positive is away from the player (up).
    void ScrollWheel(float delta)
    {
        Send(sf::Event::MouseWheelScrolled{sf::Mouse::Wheel::Vertical, delta, mousePixel});
    }
    void MouseDown(sf::Mouse::Button button = sf::Mouse::Button::Left)
    {
        Send(sf::Event::MouseButtonPressed{button, mousePixel});
    }
    void MouseUp(sf::Mouse::Button button = sf::Mouse::Button::Left)
    {
        Send(sf::Event::MouseButtonReleased{button, mousePixel});
    }
    // A game pad: connected, a button pressed and let go, an axis moved (-100 to 100; y grows
    // downwards), gone again.
    void ConnectPad(unsigned pad) { Send(sf::Event::JoystickConnected{pad}); }
    void DisconnectPad(unsigned pad) { Send(sf::Event::JoystickDisconnected{pad}); }
    void PadButton(unsigned pad, unsigned button)
    {
        Send(sf::Event::JoystickButtonPressed{pad, button});
        Send(sf::Event::JoystickButtonReleased{pad, button});
    }
    void PadAxis(unsigned pad, sf::Joystick::Axis axis, float position)
    {
        Send(sf::Event::JoystickMoved{pad, axis, position});
    }
    void Frames(int count, double dt = 1.0 / 60.0)
    {
        for (int i = 0; i < count; ++i)
            Frame(dt);
    }
    void Frame(double dt = 1.0 / 60.0)
    {
        // The window's own events are not the test's input.
        while (DisplayManager::getInstance().window.pollEvent())
        {
        }
        GameManager::getInstance().Step(dt);
    }
    // Runs frames until `done` holds; false if it never did within `limit` frames.
    bool RunUntil(const std::function<bool()>& done, int limit, double dt = 1.0 / 60.0)
    {
        for (int i = 0; i < limit && !done(); ++i)
            Frame(dt);
        return done();
    }
    // Runs frames of kStep until the current scene is `scene`; false if it never came.
    bool ReachScene(std::int32_t scene, int limit = 200)
    {
        return RunUntil([scene] { return BigAccessingOfData::getInstance().currentScene == scene; }, limit,
                        kStep);
    }

private:
    sf::Vector2i mousePixel{640, 360};

    static void Send(const sf::Event& event) { DisplayManager::getInstance().HandleWindowEvent(event); }
};
} // namespace testsupport

#include "support/Driver.hpp"

#include "GameStartup.hpp"
#include "display/DisplayManager.hpp"
#include "engine/core/ProcessExit.hpp"
#include "engine/world/GameManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "support/Harness.hpp"

#include <SFML/Window/Event.hpp>

namespace testsupport
{
int GameDriver::exitRequests = 0;

namespace
{
void CountExit(int)
{
    ++GameDriver::exitRequests;
}

sf::Event KeyEvent(sf::Keyboard::Key key, bool pressed)
{
    const auto scan = sf::Keyboard::Scancode::Unknown;
    if (pressed)
        return sf::Event(sf::Event::KeyPressed{key, scan, false, false, false, false});
    return sf::Event(sf::Event::KeyReleased{key, scan, false, false, false, false});
}
} // namespace

GameDriver::GameDriver()
{
    SetProcessExitHandler(&CountExit);
    StartGame();
    BigAccessingOfData::getInstance().resumeScene = SceneNumber::GameWithoutPause;
}

GameDriver::~GameDriver()
{
    DestroyWorld();
    SetProcessExitHandler(nullptr);
}

void GameDriver::Press(sf::Keyboard::Key key)
{
    DisplayManager::getInstance().HandleWindowEvent(KeyEvent(key, true));
}

void GameDriver::Release(sf::Keyboard::Key key)
{
    DisplayManager::getInstance().HandleWindowEvent(KeyEvent(key, false));
}

void GameDriver::Tap(sf::Keyboard::Key key)
{
    Press(key);
    Release(key);
}

void GameDriver::MoveMouse(double x, double y)
{
    // Screen-fixed units to window pixels: the letterboxed area is centred, 20 units high.
    const DisplayManager& display = DisplayManager::getInstance();
    const double unit = display.letterboxHeight / 20.0;
    mousePixel = {static_cast<int>(display.windowWidth / 2.0 + x * unit),
                  static_cast<int>(display.windowHeight / 2.0 - y * unit)};
    DisplayManager::getInstance().HandleWindowEvent(sf::Event(sf::Event::MouseMoved{mousePixel}));
}

void GameDriver::Click(sf::Mouse::Button button)
{
    MouseDown(button);
    MouseUp(button);
}

void GameDriver::MouseDown(sf::Mouse::Button button)
{
    DisplayManager::getInstance().HandleWindowEvent(
        sf::Event(sf::Event::MouseButtonPressed{button, mousePixel}));
}

void GameDriver::MouseUp(sf::Mouse::Button button)
{
    DisplayManager::getInstance().HandleWindowEvent(
        sf::Event(sf::Event::MouseButtonReleased{button, mousePixel}));
}

void GameDriver::Frames(int count, double dt)
{
    for (int i = 0; i < count; ++i)
        Frame(dt);
}

void GameDriver::Frame(double dt)
{
    // The window's own events are not the test's input.
    sf::RenderWindow& window = DisplayManager::getInstance().window;
    while (window.pollEvent())
    {
    }
    GameManager::getInstance().Step(dt);
}

bool GameDriver::RunUntil(const std::function<bool()>& done, int limit, double dt)
{
    for (int i = 0; i < limit; ++i)
    {
        if (done())
            return true;
        Frame(dt);
    }
    return done();
}

bool GameDriver::ReachScene(std::int32_t scene, int limit)
{
    return RunUntil([scene] { return BigAccessingOfData::getInstance().currentScene == scene; }, limit,
                    kStep);
}
} // namespace testsupport

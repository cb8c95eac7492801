#include "support/Driver.hpp"

#include "display/DisplayManager.hpp"
#include "engine/GameManager.hpp"
#include "engine/ProcessExit.hpp"
#include "scenes/GameStartup.hpp"
#include "state/BigAccessingOfData.hpp"
#include "support/Harness.hpp"

#include <SFML/System/Sleep.hpp>
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
    // Let the new window settle: the X server's first focus changes would otherwise reach the
    // test's first frames as a focus loss, which (rightly) stops a walking door.
    for (int i = 0; i < 10; ++i)
    {
        DisplayManager::getInstance().PollWindowEvents();
        sf::sleep(sf::milliseconds(10));
    }
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

void GameDriver::Frames(int count, double dt)
{
    for (int i = 0; i < count; ++i)
        GameManager::getInstance().Frame(dt);
}

bool GameDriver::RunUntil(const std::function<bool()>& done, int limit, double dt)
{
    for (int i = 0; i < limit; ++i)
    {
        if (done())
            return true;
        GameManager::getInstance().Frame(dt);
    }
    return done();
}

bool GameDriver::ReachScene(std::int32_t scene, int limit)
{
    return RunUntil([scene] { return BigAccessingOfData::getInstance().currentScene == scene; }, limit,
                    kStep);
}
} // namespace testsupport

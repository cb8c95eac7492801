#pragma once

#include "core/Manager.hpp"

#include <cstdint>

// What the keys mean during play: the walking keys move the doors (through the movement axes of
// the game-state store, which the doors read), and Escape pauses a running game and resumes it
// from the pause page. Start-up subscribes it to the keyboard for the program's life.
class PlayControls : public Manager<PlayControls>
{
public:
    static void StartUp();
    void HandleEvent(Event& event) override;

private:
    void Steer(std::int32_t key, int sign, bool multiplayer);
    void HandleEscape();
};

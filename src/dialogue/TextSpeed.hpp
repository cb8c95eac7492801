#pragma once

#include <cstdint>

// How fast a dialogue page types itself out, as the player chose it ("Text Speed" setting).
// Normal, one character every second frame, is the speed the game always had.
enum class TextSpeed : std::int32_t
{
    Slow = 0,
    Normal = 1,
    Fast = 2,
    Instant = 3,
};

// The setting; Normal when it is absent, not a number, or not one of the speeds.
TextSpeed ReadTextSpeed();
// Frames a character waits before it shows; 0 for a page that shows whole at once.
std::int32_t FramesPerCharacter(TextSpeed speed);
const char* TextSpeedName(TextSpeed speed);

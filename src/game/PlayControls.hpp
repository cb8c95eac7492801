#pragma once

#include "core/Events.hpp"
#include "core/Manager.hpp"

#include <cstdint>
#include <set>
#include <vector>

// What keys and game pads mean during play. The walking keys (as bound) and the pads' sticks and
// d-pads move the doors, through the movement axes of the game-state store that the doors read:
// the first pad that came drives the first door, the second pad the second door in two-player
// mode. The pause key or a pad's Start pauses a running game and resumes it; the backlog key, the
// wheel turned up or a pad's Y open the backlog. Escape or a pad's B goes back: out of the
// backlog, from the pause page into the game, and from a page reached from the title to the
// title. Where a screen has buttons and no door walks, a pad's stick and d-pad move the focus and
// its A presses the focused button. Start-up subscribes it to the keyboard, the mouse and the
// pads for the program's life.
// The buttons of a pad as SFML numbers them on the usual layout.
namespace PadButton
{
constexpr std::uint32_t South = 0; // A: turn the page, press the focused button
constexpr std::uint32_t East = 1;  // B: back
constexpr std::uint32_t North = 3; // Y: the backlog
constexpr std::uint32_t Start = 7; // pause and resume
} // namespace PadButton

class PlayControls : public Manager<PlayControls>
{
public:
    // How far (of 100) a stick must lean before it counts.
    static constexpr float kDeadZone = 35.f;

    static void StartUp();
    void HandleEvent(Event& event) override;
    void Reset();

    // The pads by their places: the first is the first door's. A pad that goes leaves its place
    // empty (-1 here) for the next to come, so no door changes hands while both players play.
    std::vector<std::int64_t> PadOrder() const;

private:
    struct Pad
    {
        std::uint32_t id = 0;
        std::size_t place = 0;
        float stickX = 0.f;
        float stickY = 0.f;
        float dpadX = 0.f;
        float dpadY = 0.f;
        // The direction the pad last pointed in a menu (-1 none), so one push moves the focus once.
        std::int32_t pointing = -1;
    };

    void HandleKey(std::int32_t key, std::int32_t action);
    void HandlePressedKey(std::int32_t key);
    void HandlePad(const EventJoystick& event);
    void HandlePadButton(std::uint32_t button);
    void PointInMenu(Pad& pad);
    // Recomputes the movement axes from the keys held and the pads' positions.
    void UpdateAxes();
    // Pauses a running game or resumes the paused one; false where neither can be.
    bool TogglePause();
    void Back();
    void ToggleBacklog();
    Pad& PadOf(std::uint32_t id);

    std::set<std::int32_t> held;
    std::vector<Pad> pads;
};

#pragma once

#include "world/GameObject.hpp"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <cstdint>
#include <string>
#include <vector>

// The backlog: the pages shown in this run, oldest at the top, each under its speaker's name in
// their colour, on a panel the player scrolls with the wheel, the arrows and Page Up/Down. The
// play controls open it during a game (Page Up, the wheel turned up, or L) and close it again
// (L or Escape); a click outside the panel closes it too. While it shows, the game world is set
// aside as the pause page sets it aside, and the dialogue being typed waits where it was.
class Backlog : public GameObject
{
public:
    struct Line
    {
        std::string text;
        sf::Color colour;
    };

    // Lines of the panel at once; the rest is scrolled to.
    static constexpr std::int32_t kVisibleLines = 17;

    std::vector<Line> lines;
    // The first line shown.
    std::int32_t top = 0;

    // Not over a panel (the code door, the quiz, the chicken's offer, the answers), a loading
    // screen or the pause page: only while a game scene plays.
    static bool CanOpen();
    // Opens it over the game when it can; the backlog, or null.
    static Backlog* Open();
    static bool IsOpen();
    // Brings the game back as it was.
    static void Close();

    void HandleEvent(Event& event) override;
    void Draw() override;
    // Moves the view by `delta` lines, negative towards the oldest.
    void Scroll(std::int32_t delta);
    // The keys that scroll it: the backlog's own keys among them do not close it.
    static bool Scrolls(sf::Keyboard::Key key);
    // "L, Escape or a click outside": what closes it, with the keys bound now.
    static std::string Closers();

private:
    Backlog();
};

#pragma once

#include "world/GameObject.hpp"

#include <cstdint>
#include <string>

// The three screen-fixed objects that show a running dialogue. The dialogue manager creates the
// box and the display when a dialogue starts and marks them for deletion when it ends; the
// flasher lives while a finished page waits for the player. A scene change deletes all three.

// The frame and the current page's text, word-wrapped to the box.
class DialogBox : public GameObject
{
public:
    DialogBox();
    void Draw() override;
};

// The portrait of whoever speaks the current page.
class DialogDisplay : public GameObject
{
public:
    // The speaker whose portrait is loaded; the start value makes the first page load one.
    std::int32_t speaker = -6969696;

    DialogDisplay();
    void SetSpeaker(std::int32_t dialogNumber, std::int32_t page);

private:
    void LoadPortrait(std::int32_t newSpeaker);
};

// A small door-shaped marker that pulses while a finished page waits for a click.
class DialogFlasher : public GameObject
{
public:
    double elapsed = 0.0;

    DialogFlasher();
    void HandleEvent(Event& event) override;
};

// Until the player has turned a page for the first time (ever: the setting keeps it), the box
// says how to turn one.
bool PageHintDue();
std::string PageHint();

// Word-wraps `text` into lines of exactly `width` columns: explicit line breaks stay, runs of
// spaces collapse, and a word longer than the width stands alone on its line, unpadded.
std::string WrapText(const std::string& text, std::int32_t width);

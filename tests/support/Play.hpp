#pragma once

// Playing through the story's menus, panels and fights as a player does: clicking on screen-fixed
// places and clicking dialogues to their end.
#include "dialogue/DialogManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "support/Driver.hpp"
#include "world/GameObject.hpp"

#include <SFML/Window/Keyboard.hpp>
#include <cctype>
#include <string>

namespace testsupport
{
// Screen places of what the tests click.
constexpr WorldPoint kYes{0.0, 3.0}, kNo{0.0, -3.0}, kMaybe{0.0, 0.0};
constexpr WorldPoint kTake{0.0, -2.44}, kRefuse{0.0, -5.56};
constexpr WorldPoint kAttack{-10.75, -6.5}, kItem{-10.75, -7.5}, kRun{-10.75, -8.5};
constexpr WorldPoint kResume{8.5, -8.0};
// The slot (A to D, top to bottom) of the right answer to each of the quiz's questions.
constexpr int kRightSlots[] = {2, 3, 3, 0, 1};

inline WorldPoint AnswerSlot(int slot)
{
    return {1.0, (slot - 1.5) * -3.3 - 1.5};
}

// Moves the mouse to a screen-fixed point, lets the pointer find what lies there (one frame),
// then clicks.
inline void ClickOn(GameDriver& game, WorldPoint place)
{
    game.MoveMouse(place.x, place.y);
    game.Frame(kStep);
    game.Click();
}

// The same on the middle of a screen-fixed object's box.
inline void ClickOn(GameDriver& game, const GameObject& button)
{
    ClickOn(game, {button.x + button.boxOffsetX, button.y + button.boxOffsetY});
}

// Types digits and the letters D, O and R on the main row.
inline void Type(GameDriver& game, const std::string& text)
{
    using Key = sf::Keyboard::Key;
    for (const char c : text)
        game.Tap(std::isdigit(c) ? static_cast<Key>(static_cast<int>(Key::Num0) + (c - '0'))
                 : c == 'D'      ? Key::D
                 : c == 'O'      ? Key::O
                                 : Key::R);
}

// Clicks the running dialogue through to its end (one click finishes a page, one turns it),
// but not the dialogues its end may start. False if it was still running after `limit` clicks.
inline bool ClickThroughDialogue(GameDriver& game, int limit = 400)
{
    const DialogManager& dialog = DialogManager::getInstance();
    const std::int32_t playing = BigAccessingOfData::getInstance().dialogNumber;
    const auto running = [&]
    { return dialog.active && BigAccessingOfData::getInstance().dialogNumber == playing; };
    for (int i = 0; i < limit && running(); ++i)
    {
        game.Click();
        game.Frame(kStep);
    }
    return !running();
}

// Starts dialogue n and clicks it to its end, as the story raises its panels and fights.
inline bool PlayDialogue(GameDriver& game, std::int32_t dialogue)
{
    DialogManager::getInstance().StartDialog(dialogue);
    return ClickThroughDialogue(game);
}
} // namespace testsupport

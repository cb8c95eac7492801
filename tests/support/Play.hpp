#pragma once

// Playing through the story's panels and fights as a player does: clicking on screen-fixed
// places and clicking dialogues to their end.
#include "dialogue/DialogManager.hpp"
#include "state/BigAccessingOfData.hpp"
#include "support/Driver.hpp"

namespace testsupport
{
// Moves the mouse to a screen-fixed point, lets the pointer find what lies there (one frame),
// then clicks.
inline void ClickOn(GameDriver& game, double x, double y)
{
    game.MoveMouse(x, y);
    game.Frame(kStep);
    game.Click();
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
} // namespace testsupport

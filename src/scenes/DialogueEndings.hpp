#pragma once

#include <cstdint>

// What the story does when dialogues end or turn a page: scene changes, panels, fights and
// follow-up dialogues. Registered with the dialogue manager at start-up.
namespace scenes
{
void RegisterDialogueEndings();

// The two action tables and the page hooks, as the dialogue manager calls them.
void FirstActions(std::int32_t dialogue);
void SecondActions(std::int32_t dialogue);
void PageHooks(std::int32_t dialogue, std::int32_t page);
} // namespace scenes

#pragma once

#include <SFML/Graphics/Color.hpp>
#include <cstdint>

// Who speaks a page: the speaker numbers of the dialogue box's portrait table.
namespace speaker
{
constexpr std::int32_t Door = 0;
constexpr std::int32_t DoorRight = 1;
constexpr std::int32_t BrownDoor = 2;
constexpr std::int32_t Bridge = 3;
constexpr std::int32_t Dragon = 4;
constexpr std::int32_t Unknown = 5;
constexpr std::int32_t Narrator = 6;
constexpr std::int32_t Wizard = 7;
constexpr std::int32_t Eagle = 8;
constexpr std::int32_t BigDoor = 9;
} // namespace speaker

// The speaker of page `page` (from 0) of dialogue `dialogNumber`, by the game's fixed rules.
std::int32_t Speaker(std::int32_t dialogNumber, std::int32_t page);
// The name a script writer uses for a speaker ("Door", "Brown Door", ...).
const char* SpeakerName(std::int32_t speaker);
// The colour a speaker's name is written in: their text's colour where it has one of its own
// (the bridge, the narrator), else their portrait's, brightened where it would not read on black.
sf::Color SpeakerColour(std::int32_t speaker);

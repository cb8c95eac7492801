#pragma once

#include <cstdint>

// What the fight buttons do. There are no hit points: the outcome of Attack, Item and Run
// depends only on the fight (scene 3, 12 or 13) and on whether the door took the chicken.
// Message numbers are frames of the actions bar.
namespace fight
{
constexpr std::int32_t kIdleMessage = 0;
// A message field that leaves the bar as it is, or a dialogue field that starts none.
constexpr std::int32_t kNone = -1;

enum class Countdown
{
    None,         // the attack only shows its message
    DefeatDragon, // the rock lands: the dragon is beaten, then the victory dialogue
    EagleScream,  // the chicken rides the rock: the eagle screams and falls
};

struct AttackOutcome
{
    std::int32_t message;
    Countdown countdown;
    std::int32_t victoryDialogue;
};

struct ItemOutcome
{
    std::int32_t message;
    // Shown after the first message, before the bar goes idle again; kNone for a single message.
    std::int32_t followUp;
};

struct RunOutcome
{
    std::int32_t message;
    std::int32_t dialogue;
    // The run-away cut-scene: every sound stops and its own music plays.
    bool cutScene;
};

// The outcome in the given fight, or null outside the fights.
const AttackOutcome* AttackIn(std::int32_t scene, bool hasChicken);
const ItemOutcome* ItemIn(std::int32_t scene, bool hasChicken);
const RunOutcome* RunIn(std::int32_t scene, bool hasChicken);
} // namespace fight

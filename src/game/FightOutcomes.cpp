#include "game/FightOutcomes.hpp"

namespace fight
{
namespace
{
enum class Chicken
{
    Either,
    Taken,
    Refused,
};

template <typename Outcome> struct Row
{
    std::int32_t scene;
    Chicken chicken;
    Outcome outcome;
};

// clang-format off
const Row<AttackOutcome> kAttack[] = {
    // scene  chicken           message  countdown                  victory
    {3,  Chicken::Either,  {1,  Countdown::DefeatDragon, 46   }},
    {12, Chicken::Taken,   {5,  Countdown::EagleScream,  kNone}},
    {12, Chicken::Refused, {6,  Countdown::None,         kNone}},
    {13, Chicken::Refused, {1,  Countdown::DefeatDragon, 117  }},
    {13, Chicken::Taken,   {11, Countdown::None,         kNone}},
};

const Row<ItemOutcome> kItem[] = {
    // scene  chicken           message  follow-up
    {3,  Chicken::Either,  {2,  3    }},
    {12, Chicken::Taken,   {7,  kNone}},
    {12, Chicken::Refused, {8,  kNone}},
    {13, Chicken::Refused, {9,  kNone}},
    {13, Chicken::Taken,   {10, kNone}},
};

const Row<RunOutcome> kRun[] = {
    // scene  chicken           message         dialogue  cut-scene
    {3,  Chicken::Either,  {4,            kNone, false}},
    {12, Chicken::Taken,   {kNone,        114,   false}},
    {12, Chicken::Refused, {kIdleMessage, 113,   true }},
    {13, Chicken::Refused, {12,           kNone, false}},
    {13, Chicken::Taken,   {kNone,        123,   false}},
};
// clang-format on

template <typename Outcome, std::size_t N>
const Outcome* Find(const Row<Outcome> (&rows)[N], std::int32_t scene, bool hasChicken)
{
    for (const Row<Outcome>& row : rows)
    {
        const bool chickenMatches =
            row.chicken == Chicken::Either || (row.chicken == Chicken::Taken) == hasChicken;
        if (row.scene == scene && chickenMatches)
            return &row.outcome;
    }
    return nullptr;
}
} // namespace

const AttackOutcome* AttackIn(std::int32_t scene, bool hasChicken)
{
    return Find(kAttack, scene, hasChicken);
}

const ItemOutcome* ItemIn(std::int32_t scene, bool hasChicken)
{
    return Find(kItem, scene, hasChicken);
}

const RunOutcome* RunIn(std::int32_t scene, bool hasChicken)
{
    return Find(kRun, scene, hasChicken);
}
} // namespace fight

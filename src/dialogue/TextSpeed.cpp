#include "dialogue/TextSpeed.hpp"

#include "state/SettingManager.hpp"

#include <cmath>

namespace
{
struct SpeedRow
{
    TextSpeed speed;
    std::int32_t framesPerCharacter;
    const char* name;
};

// clang-format off
constexpr SpeedRow kSpeeds[] = {
    {TextSpeed::Slow,    3, "Slow"   },
    {TextSpeed::Normal,  2, "Normal" },
    {TextSpeed::Fast,    1, "Fast"   },
    {TextSpeed::Instant, 0, "Instant"},
};
// clang-format on

const SpeedRow& Row(TextSpeed speed)
{
    for (const SpeedRow& row : kSpeeds)
        if (row.speed == speed)
            return row;
    return kSpeeds[1];
}
} // namespace

TextSpeed ReadTextSpeed()
{
    const double stored = SettingManager::getInstance().GetNumber("Text Speed", 1.0);
    const double step = std::round(stored);
    // Only the four steps themselves (a slider writes them as "2.000000").
    if (std::fabs(stored - step) > 1e-6 || step < 0.0 || step > 3.0)
        return TextSpeed::Normal;
    return static_cast<TextSpeed>(static_cast<std::int32_t>(step));
}

std::int32_t FramesPerCharacter(TextSpeed speed)
{
    return Row(speed).framesPerCharacter;
}

const char* TextSpeedName(TextSpeed speed)
{
    return Row(speed).name;
}

#pragma once

#include "Score.hpp"

#include <vector>

namespace synth
{

using Channels = std::vector<std::vector<float>>;

struct MasterSettings
{
    int rate = 44100;
    double peakDb = -1.5;  // ceiling for the loudest sample
    bool normalise = true; // false: apply fixedGainDb instead of the score's level
    double fixedGainDb = 0.0;
    long preroll = 0; // loop only: samples of the loop's end put in front of it
};

struct MasterReport
{
    double gain = 1.0;
    bool peakLimited = false; // the ceiling, not the loudness target, set the gain
};

// Turns the rendered channels into the file's samples: sets the level, adds the score's hum,
// rounds off the highest peaks of a loop, then puts the preroll in front of a loop or cuts
// an effect's silent tail.
MasterReport Master(const Score& score, Channels& channels, const MasterSettings& settings);

} // namespace synth

#pragma once

#include "Score.hpp"

#include <string>
#include <vector>

namespace synth
{

struct Stereo
{
    std::vector<float> left;
    std::vector<float> right;
};

// Plays the whole song at the given sample rate. A looping score comes out exactly one loop
// long, with every note tail, echo and reverb tail wrapped round into its beginning, so the
// buffer repeats without a seam. A one-shot score gets its tail appended instead.
// When levels is given it receives each instrument's RMS level in the mix (before the final
// gain), to help balance a score.
struct PartLevel
{
    std::string instrument;
    double rms;
};
Stereo RenderScore(const Score& score, double rate, std::vector<PartLevel>* levels = nullptr);

} // namespace synth

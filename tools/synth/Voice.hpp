#pragma once

#include "Score.hpp"

#include <cstdint>
#include <vector>

namespace synth
{

struct VoiceRequest
{
    double frequency;
    double holdSeconds; // from note-on to note-off
    double velocity;
    std::uint64_t seed; // for noise and random phases, so each note is repeatable
    double rate;
};

// One note of an instrument, mono, starting at the note-on and ending when the release
// has faded out.
std::vector<float> RenderVoice(const Instrument& ins, const VoiceRequest& req);

} // namespace synth

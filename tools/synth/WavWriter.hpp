#pragma once

#include <string>
#include <vector>

namespace synth
{

// Writes 16-bit PCM. Channels are given as separate buffers of equal length, each sample
// in [-1, 1]; values outside are clamped.
void WriteWav(const std::string& path, const std::vector<std::vector<float>>& channels, int rate);

} // namespace synth

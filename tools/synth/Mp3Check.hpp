#pragma once

#include <string>

namespace synth
{

// Checks that an encoded music file will loop the way its WAV was laid out. With a header
// (expectHeader), the encoder must report a 576-sample delay, which the 1105-sample preroll
// assumes, and a content length equal to the WAV's; without one, no header may be present.
// Returns an empty string when all is well, else what is wrong.
std::string CheckMp3(const std::string& mp3Path, const std::string& wavPath, bool expectHeader);

} // namespace synth

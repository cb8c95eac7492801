#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Sound files made on the spot, so audio tests and benchmarks know every sample they contain.
namespace testsupport
{
// Interleaved 16-bit samples: `leadSeconds` of digital silence, a sine tone of `toneSeconds`
// at `frequency` Hz and peak `amplitude` (the same in every channel), then `tailSeconds` of
// silence.
std::vector<std::int16_t> ToneWithSilence(std::uint32_t rate, unsigned channels, double leadSeconds,
                                          double toneSeconds, double tailSeconds, double frequency = 440.0,
                                          double amplitude = 12000.0);

// A canonical PCM WAV file (44-byte header) holding the interleaved samples.
void WriteWav(const std::filesystem::path& file, const std::vector<std::int16_t>& samples, unsigned channels,
              std::uint32_t rate);

// Encodes a WAV file with the `lame` command (quietly, plus `options`); true when it succeeded.
bool EncodeMp3(const std::filesystem::path& wav, const std::filesystem::path& mp3,
               const std::string& options = "");

// Whether sounds really play here (their playing offsets advance). Without a sound device, or
// the null device scripts/test provides, they report Playing but never move.
bool SoundDevicePlays();
} // namespace testsupport

// Skips a test that needs sound to play when it cannot.
#define REQUIRE_SOUND_DEVICE()                                                                               \
    if (!testsupport::SoundDevicePlays())                                                                    \
    GTEST_SKIP() << "no working sound device (scripts/test provides a silent one)"

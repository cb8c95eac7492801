#include "support/AudioFiles.hpp"

#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/System/Sleep.hpp>
#include <cmath>
#include <cstdlib>
#include <fstream>

namespace fs = std::filesystem;

namespace testsupport
{
namespace
{
void PutLittle(std::ofstream& out, std::uint32_t value, int bytes)
{
    for (int k = 0; k < bytes; ++k)
        out.put(static_cast<char>((value >> (8 * k)) & 0xFF));
}
} // namespace

std::vector<std::int16_t> ToneWithSilence(std::uint32_t rate, unsigned channels, double leadSeconds,
                                          double toneSeconds, double tailSeconds, double frequency,
                                          double amplitude)
{
    const auto lead = static_cast<std::size_t>(std::lround(leadSeconds * rate));
    const auto tone = static_cast<std::size_t>(std::lround(toneSeconds * rate));
    const auto tail = static_cast<std::size_t>(std::lround(tailSeconds * rate));
    std::vector<std::int16_t> samples((lead + tone + tail) * channels, 0);
    const double step = 2.0 * M_PI * frequency / rate;
    for (std::size_t frame = 0; frame < tone; ++frame)
    {
        const auto value = static_cast<std::int16_t>(std::lround(amplitude * std::sin(step * frame)));
        for (unsigned c = 0; c < channels; ++c)
            samples[(lead + frame) * channels + c] = value;
    }
    return samples;
}

void WriteWav(const fs::path& file, const std::vector<std::int16_t>& samples, unsigned channels,
              std::uint32_t rate)
{
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::ofstream out(file, std::ios::binary);
    out.write("RIFF", 4);
    PutLittle(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    PutLittle(out, 16, 4);
    PutLittle(out, 1, 2); // PCM
    PutLittle(out, channels, 2);
    PutLittle(out, rate, 4);
    PutLittle(out, rate * channels * 2, 4);
    PutLittle(out, channels * 2, 2);
    PutLittle(out, 16, 2);
    out.write("data", 4);
    PutLittle(out, dataBytes, 4);
    for (const std::int16_t sample : samples)
        PutLittle(out, static_cast<std::uint16_t>(sample), 2);
}

bool EncodeMp3(const fs::path& wav, const fs::path& mp3, const std::string& options)
{
    const std::string command = "lame --quiet " + options + " '" + wav.string() + "' '" + mp3.string() + "'";
    return std::system(command.c_str()) == 0 && fs::exists(mp3);
}

bool SoundDevicePlays()
{
    static const bool plays = []
    {
        const std::vector<std::int16_t> silence(44100, 0);
        sf::SoundBuffer buffer;
        if (!buffer.loadFromSamples(silence.data(), silence.size(), 1, 44100, {sf::SoundChannel::Mono}))
            return false;
        sf::Sound sound(buffer);
        sound.play();
        for (int i = 0; i < 50; ++i)
        {
            if (sound.getPlayingOffset() > sf::Time::Zero)
                return true;
            sf::sleep(sf::milliseconds(10));
        }
        return false;
    }();
    return plays;
}
} // namespace testsupport

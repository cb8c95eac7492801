#include "resources/Mp3LoopPoints.hpp"

#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/Audio/Music.hpp>
#include <cmath>
#include <iostream>
#include <vector>

namespace
{
// Samples within this distance of zero count as silence.
constexpr int kSilence = 32;

// Flushed at once, so the lines survive in a redirected log even if the game is killed.
void Report(const std::string& line)
{
    std::cout << "[MP3 loop] " << line << "\n" << std::flush;
}
} // namespace

std::optional<sf::Time> ComputeLoopPoints(sf::Music& music, const std::string& path)
{
    const Mp3Info info = ReadMp3Info(path);
    if (!info.valid)
    {
        Report(path + ": no Xing/LAME header, trimming by silence detection");
        const auto start = TrimBySilence(music, path);
        if (!start)
            Report(path + ": silence detection failed, NOT trimmed");
        return start;
    }

    const std::uint32_t rate = music.getSampleRate();
    const float seconds = static_cast<float>(music.getDuration().asMicroseconds()) / 1000000.0f;
    const std::int64_t decoded = std::llround(static_cast<double>(seconds) * rate);
    const std::int64_t content = static_cast<std::int64_t>(info.frameCount) * info.samplesPerFrame;
    const LoopSpan span = DecideLoopSpan(info, decoded);

    Report(path + ": rate=" + std::to_string(rate) + " frames=" + std::to_string(info.frameCount) +
           " delay=" + std::to_string(info.encoderDelay) + " padding=" + std::to_string(info.padding) +
           " decoded=" + std::to_string(decoded) + " content=" + std::to_string(content) +
           " lead=" + std::to_string(span.lead) + " -> start=" + std::to_string(span.start) +
           " length=" + std::to_string(span.length));

    if (span.length <= 0 || rate == 0)
        return std::nullopt;
    const sf::Time offset = SamplesToTime(span.start, rate);
    music.setLoopPoints({offset, SamplesToTime(span.length, rate)});
    return offset;
}

std::optional<sf::Time> TrimBySilence(sf::Music& music, const std::string& path)
{
    sf::InputSoundFile file;
    if (!file.openFromFile(path) || file.getChannelCount() == 0 || file.getSampleRate() == 0)
        return std::nullopt;
    const std::uint32_t channels = file.getChannelCount();
    const std::uint32_t rate = file.getSampleRate();

    std::vector<std::int16_t> chunk(16384 * static_cast<std::size_t>(channels));
    std::int64_t index = 0;
    std::int64_t first = -1;
    std::int64_t last = -1;
    while (const std::uint64_t got = file.read(chunk.data(), chunk.size()))
    {
        for (std::uint64_t k = 0; k < got; ++k, ++index)
        {
            if (chunk[k] < -kSilence || chunk[k] > kSilence)
            {
                if (first < 0)
                    first = index;
                last = index;
            }
        }
    }
    if (first < 0)
        return std::nullopt;
    const std::int64_t start = first / channels;
    const std::int64_t length = last / channels - start + 1;
    if (length <= 0)
        return std::nullopt;

    Report(path + ": rate=" + std::to_string(rate) + " start=" + std::to_string(start) +
           " length=" + std::to_string(length) + " (silence-trimmed)");
    const sf::Time offset = SamplesToTime(start, rate);
    music.setLoopPoints({offset, SamplesToTime(length, rate)});
    return offset;
}

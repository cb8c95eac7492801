#include "WavWriter.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <stdexcept>

namespace synth
{

namespace
{

void Put16(std::ofstream& out, std::uint16_t v)
{
    const char b[2] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
    out.write(b, 2);
}

void Put32(std::ofstream& out, std::uint32_t v)
{
    const char b[4] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                       static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
    out.write(b, 4);
}

} // namespace

void WriteWav(const std::string& path, const std::vector<std::vector<float>>& channels, int rate)
{
    if (channels.empty())
        throw std::runtime_error("WriteWav: no channels");
    const auto frames = static_cast<std::uint32_t>(channels[0].size());
    const auto count = static_cast<std::uint16_t>(channels.size());
    const std::uint32_t dataBytes = frames * count * 2u;

    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        throw std::runtime_error("WriteWav: cannot write " + path);
    out.write("RIFF", 4);
    Put32(out, 36u + dataBytes);
    out.write("WAVEfmt ", 8);
    Put32(out, 16u);
    Put16(out, 1u); // PCM
    Put16(out, count);
    Put32(out, static_cast<std::uint32_t>(rate));
    Put32(out, static_cast<std::uint32_t>(rate) * count * 2u);
    Put16(out, static_cast<std::uint16_t>(count * 2u));
    Put16(out, 16u);
    out.write("data", 4);
    Put32(out, dataBytes);
    for (std::uint32_t i = 0; i < frames; ++i)
    {
        for (const auto& ch : channels)
        {
            const double v = std::clamp(static_cast<double>(ch[i]), -1.0, 1.0);
            Put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(v * 32767.0))));
        }
    }
    if (!out)
        throw std::runtime_error("WriteWav: failed while writing " + path);
}

} // namespace synth

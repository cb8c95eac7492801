#include "Mp3Check.hpp"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

namespace synth
{

namespace
{

constexpr int ExpectedDelay = 576;

std::vector<unsigned char> ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t Be32(const std::vector<unsigned char>& b, std::size_t at)
{
    return (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) | (std::uint32_t{b[at + 2]} << 8) |
           std::uint32_t{b[at + 3]};
}

std::uint32_t Le32(const std::vector<unsigned char>& b, std::size_t at)
{
    return std::uint32_t{b[at]} | (std::uint32_t{b[at + 1]} << 8) | (std::uint32_t{b[at + 2]} << 16) |
           (std::uint32_t{b[at + 3]} << 24);
}

// Sample frames in a 16-bit PCM WAV as written by WriteWav.
long WavFrames(const std::vector<unsigned char>& w)
{
    if (w.size() < 44 || std::string(w.begin(), w.begin() + 4) != "RIFF")
        return -1;
    const unsigned channels = w[22] | (w[23] << 8);
    return channels ? static_cast<long>(Le32(w, 40) / (2u * channels)) : -1;
}

struct Header
{
    bool found = false;
    long frames = 0;
    int samplesPerFrame = 1152;
    int delay = 0;
    int padding = 0;
};

// The Xing/Info header and the encoder's extension in the first frame, if there is one.
Header ReadHeader(const std::vector<unsigned char>& b)
{
    Header h;
    std::size_t start = 0;
    if (b.size() >= 10 && b[0] == 'I' && b[1] == 'D' && b[2] == '3')
        start = ((b[6] & 0x7Fu) << 21 | (b[7] & 0x7Fu) << 14 | (b[8] & 0x7Fu) << 7 | (b[9] & 0x7Fu)) +
                ((b[5] & 0x10) ? 20 : 10);
    const std::size_t end = std::min(b.size(), start + 4096);
    for (std::size_t i = start; i + 4 <= end; ++i)
    {
        if (b[i] != 0xFF || (b[i + 1] & 0xE0) != 0xE0 || (b[i + 1] & 0x18) == 0x08 ||
            (b[i + 1] & 0x06) != 0x02)
            continue;
        const bool mpeg1 = (b[i + 1] & 0x18) == 0x18;
        const bool mono = (b[i + 3] >> 6) == 3;
        h.samplesPerFrame = mpeg1 ? 1152 : 576;
        const std::size_t side = mpeg1 ? (mono ? 17 : 32) : (mono ? 9 : 17);
        const std::size_t x = i + 4 + ((b[i + 1] & 0x01) ? 0 : 2) + side;
        if (x + 12 > end)
            return h;
        const std::string tag(b.begin() + static_cast<long>(x), b.begin() + static_cast<long>(x) + 4);
        if (tag != "Xing" && tag != "Info")
            return h;
        const std::uint32_t flags = Be32(b, x + 4);
        if (!(flags & 1u))
            return h;
        h.frames = Be32(b, x + 8);
        const std::size_t e =
            x + 12 + ((flags & 2u) ? 4 : 0) + ((flags & 4u) ? 100 : 0) + ((flags & 8u) ? 4 : 0);
        if (e + 24 > end)
            return h;
        h.found = true;
        h.delay = (b[e + 21] << 4) | (b[e + 22] >> 4);
        h.padding = ((b[e + 22] & 0x0F) << 8) | b[e + 23];
        return h;
    }
    return h;
}

} // namespace

std::string CheckMp3(const std::string& mp3Path, const std::string& wavPath, bool expectHeader)
{
    const std::vector<unsigned char> mp3 = ReadAll(mp3Path);
    const long wavFrames = WavFrames(ReadAll(wavPath));
    if (mp3.empty() || wavFrames < 0)
        return "cannot read " + mp3Path + " or " + wavPath;
    const Header h = ReadHeader(mp3);
    if (!expectHeader)
        return h.found ? mp3Path + " has an encoder header, but its loop relies on having none" : "";
    if (!h.found)
        return mp3Path + " has no encoder header with delay and padding";
    if (h.delay != ExpectedDelay)
        return mp3Path + ": the encoder delay is " + std::to_string(h.delay) + ", the preroll assumes " +
               std::to_string(ExpectedDelay);
    const long content = h.frames * h.samplesPerFrame - h.delay - h.padding;
    if (content != wavFrames)
        return mp3Path + ": the header describes " + std::to_string(content) + " samples, the WAV has " +
               std::to_string(wavFrames);
    return "";
}

} // namespace synth

// Reading an MP3 file's first frame header and deciding the span of its real audio; no
// decoding, so this part needs nothing but the bytes.
#include "resources/Mp3Header.hpp"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <istream>
#include <vector>

namespace
{
// The decoder's own delay, in samples.
constexpr std::int64_t kDecoderDelay = 529;
constexpr std::size_t kSearchWindow = 4096;

std::uint32_t BigEndian32(const unsigned char* p)
{
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

bool IsFrameHeader(const unsigned char* p)
{
    return p[0] == 0xFF && (p[1] & 0xE0) == 0xE0 && (p[1] & 0x18) != 0x08 && (p[1] & 0x06) == 0x02;
}
} // namespace

Mp3Info ParseMp3Frames(const unsigned char* b, std::size_t n)
{
    Mp3Info info;
    if (n < 4)
        return info;
    std::size_t i = 0;
    while (i + 4 <= n && !IsFrameHeader(b + i))
        ++i;
    if (i + 4 > n)
        return info;

    const bool mpeg1 = (b[i + 1] & 0x18) == 0x18;
    const bool mono = (b[i + 3] >> 6) == 3;
    info.samplesPerFrame = mpeg1 ? 1152 : 576;
    const std::size_t side = mpeg1 ? (mono ? 17 : 32) : (mono ? 9 : 17);
    const std::size_t crc = (b[i + 1] & 0x01) == 0 ? 2 : 0;

    const std::size_t x = i + 4 + crc + side;
    if (x + 8 > n)
        return info;
    if (std::memcmp(b + x, "Xing", 4) != 0 && std::memcmp(b + x, "Info", 4) != 0)
        return info;
    const std::uint32_t flags = BigEndian32(b + x + 4);
    if ((flags & 0x01) == 0 || x + 12 > n)
        return info;
    info.frameCount = BigEndian32(b + x + 8);

    std::size_t e = x + 12;
    if (flags & 0x02)
        e += 4;
    if (flags & 0x04)
        e += 100;
    if (flags & 0x08)
        e += 4;
    if (e + 24 > n)
        return info;
    const unsigned char first = b[e];
    if (!((first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z')))
        return info;
    info.encoderDelay = (b[e + 21] << 4) | (b[e + 22] >> 4);
    info.padding = ((b[e + 22] & 0x0F) << 8) | b[e + 23];
    info.valid = info.frameCount != 0;
    return info;
}

Mp3Info ReadMp3Info(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open())
        return {};
    return ReadMp3Info(file);
}

Mp3Info ReadMp3Info(std::istream& file)
{
    unsigned char head[10] = {};
    file.read(reinterpret_cast<char*>(head), 10);
    std::streamoff audioStart = 0;
    if (file.gcount() == 10 && head[0] == 'I' && head[1] == 'D' && head[2] == '3')
    {
        const std::streamoff size =
            ((head[6] & 0x7F) << 21) | ((head[7] & 0x7F) << 14) | ((head[8] & 0x7F) << 7) | (head[9] & 0x7F);
        audioStart = size + ((head[5] & 0x10) ? 20 : 10);
    }
    file.clear();
    file.seekg(audioStart);
    std::vector<unsigned char> window(kSearchWindow);
    file.read(reinterpret_cast<char*>(window.data()), static_cast<std::streamsize>(window.size()));
    const auto n = static_cast<std::size_t>(std::max<std::streamsize>(file.gcount(), 0));
    return ParseMp3Frames(window.data(), n);
}

LoopSpan DecideLoopSpan(const Mp3Info& info, std::int64_t decoded)
{
    const auto content = static_cast<std::int64_t>(info.frameCount) * info.samplesPerFrame;
    LoopSpan span;
    // The decoder also outputs the header frame itself as a frame of silence.
    span.lead = decoded > content + info.samplesPerFrame / 2 ? info.samplesPerFrame : 0;
    span.start = info.encoderDelay + span.lead + kDecoderDelay;
    span.length = content - info.padding - info.encoderDelay;
    if (span.lead + kDecoderDelay + content - info.padding > decoded)
        span.length = decoded - span.start; // the stream is shorter than the header says
    return span;
}

sf::Time SamplesToTime(std::int64_t samples, std::uint32_t rate)
{
    const std::int64_t scaled = samples * 1000000;
    const std::int64_t micros = scaled / rate + (scaled % rate != 0 ? 1 : 0);
    return sf::microseconds(micros);
}

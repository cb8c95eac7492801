#pragma once

#include <SFML/System/Time.hpp>
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>

// What the first frame of an MP3 file says about its real audio (Xing/Info header and the
// encoder's extension of it).
struct Mp3Info
{
    bool valid = false;
    std::int32_t encoderDelay = 0;
    std::int32_t padding = 0;
    std::uint64_t frameCount = 0;
    std::int32_t samplesPerFrame = 1152;
};

// The span of real audio in samples per channel, as decided from the header figures.
struct LoopSpan
{
    std::int64_t lead = 0;
    std::int64_t start = 0;
    std::int64_t length = 0;
};

Mp3Info ReadMp3Info(const std::string& path);
// The same from a binary stream standing at its first byte.
Mp3Info ReadMp3Info(std::istream& in);
// Reads the header from the bytes that follow any ID3v2 tag (at most the first 4096).
Mp3Info ParseMp3Frames(const unsigned char* bytes, std::size_t count);
LoopSpan DecideLoopSpan(const Mp3Info& info, std::int64_t decoded);
// ceil(samples * 1e6 / rate) microseconds.
sf::Time SamplesToTime(std::int64_t samples, std::uint32_t rate);

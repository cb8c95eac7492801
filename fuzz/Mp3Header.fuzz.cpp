// Music files can be replaced by the player; before a track loops, its first frame header is
// read for the encoder's delay and padding. Any bytes must give figures within the ranges
// the header can hold, the same from a file and from memory, and a loop span inside the
// decoded stream.
#include "resources/Mp3Header.hpp"

#include "Support.hpp"

#include <sstream>

namespace
{
bool SameInfo(const Mp3Info& a, const Mp3Info& b)
{
    return a.valid == b.valid && a.encoderDelay == b.encoderDelay && a.padding == b.padding &&
           a.frameCount == b.frameCount && a.samplesPerFrame == b.samplesPerFrame;
}

void CheckRanges(const Mp3Info& info)
{
    fuzz::Require(info.samplesPerFrame == 576 || info.samplesPerFrame == 1152, "odd samples per frame");
    fuzz::Require(info.encoderDelay >= 0 && info.encoderDelay < 4096, "encoder delay out of its 12 bits");
    fuzz::Require(info.padding >= 0 && info.padding < 4096, "padding out of its 12 bits");
    fuzz::Require(info.frameCount <= 0xFFFFFFFFu, "frame count out of its 32 bits");
    fuzz::Require(!info.valid || info.frameCount != 0, "a valid header without frames");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = fuzz::ScratchPath("track.mp3");

    // libFuzzer's buffer is exactly `size` bytes, so a read past the end shows up here.
    const Mp3Info frames = ParseMp3Frames(data, size);
    CheckRanges(frames);

    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size), std::ios::binary);
    const Mp3Info info = ReadMp3Info(in);
    CheckRanges(info);
    fuzz::WriteBytes(path, data, size);
    fuzz::Require(SameInfo(ReadMp3Info(path), info), "the file and the stream reader disagree");

    if (!info.valid || size < 4)
        return 0;
    // The decoded length and the rate come from the stream in the game; here from the last bytes.
    const std::uint8_t* tail = data + size - 4;
    const std::int64_t content = static_cast<std::int64_t>(info.frameCount) * info.samplesPerFrame;
    const std::int64_t shift = static_cast<std::int16_t>((tail[0] << 8) | tail[1]) * 64;
    const std::int64_t decoded = content + shift < 0 ? 0 : content + shift;
    const std::uint32_t rate = 8000u + ((static_cast<std::uint32_t>(tail[2]) << 8) | tail[3]);

    const LoopSpan span = DecideLoopSpan(info, decoded);
    fuzz::Require(span.start >= 0, "the loop starts before the stream");
    fuzz::Require(span.length <= 0 || span.start + span.length <= decoded, "the loop runs past the stream");
    if (span.length > 0)
    {
        fuzz::Require(SamplesToTime(span.start, rate).asMicroseconds() >= 0, "a negative loop offset");
        fuzz::Require(SamplesToTime(span.length, rate).asMicroseconds() > 0, "an empty loop length");
    }
    return 0;
}

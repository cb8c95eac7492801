#include "resources/Mp3LoopPoints.hpp"

#include "resources/ResourceManager.hpp"
#include "support/AudioFiles.hpp"
#include "support/Harness.hpp"

#include <SFML/Audio/Music.hpp>
#include <SFML/Audio/SoundBuffer.hpp>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

using Bytes = std::vector<unsigned char>;
using testsupport::StdoutOf;

namespace
{
void PutBig32(Bytes& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>(value >> shift));
}

// One MPEG audio frame carrying a Xing/Info header and an encoder extension, laid out by hand.
struct XingFrame
{
    std::size_t junk = 0;         // bytes before the frame header
    unsigned char version = 0xFB; // byte 1: MPEG-1, Layer III, no CRC
    unsigned char mode = 0x44;    // byte 3: joint stereo
    std::size_t tagOffset = 36;   // from the frame header to "Xing"/"Info"
    std::string tag = "Info";
    std::uint32_t flags = 0x0F;
    std::uint32_t frames = 1000;
    std::string encoder = "LAME3.100";
    int delay = 576;
    int padding = 1200;

    // Where the encoder extension lands, counted from the first byte.
    std::size_t extension = 0;

    Bytes Build()
    {
        Bytes out(junk, 0x00);
        out.insert(out.end(), {0xFF, version, 0x50, mode});
        out.resize(junk + tagOffset, 0x00);
        out.insert(out.end(), tag.begin(), tag.end());
        PutBig32(out, flags);
        PutBig32(out, frames);
        // Optional fields hold letters, so an extension read from the wrong place still passes the
        // letter check and shows up as wrong figures.
        if (flags & 0x02)
            PutBig32(out, 0x41424344);
        if (flags & 0x04)
            out.insert(out.end(), 100, 'T');
        if (flags & 0x08)
            PutBig32(out, 0x51515151);
        extension = out.size();
        std::string name = encoder;
        name.resize(21, 'x');
        out.insert(out.end(), name.begin(), name.end());
        out.push_back(static_cast<unsigned char>(delay >> 4));
        out.push_back(static_cast<unsigned char>(((delay & 0x0F) << 4) | (padding >> 8)));
        out.push_back(static_cast<unsigned char>(padding & 0xFF));
        out.insert(out.end(), 64, 0x00);
        return out;
    }
};

// valid, frame count, delay, padding, samples per frame
using Fields = std::tuple<bool, std::uint64_t, std::int32_t, std::int32_t, std::int32_t>;

Fields Of(const Mp3Info& i)
{
    return {i.valid, i.frameCount, i.encoderDelay, i.padding, i.samplesPerFrame};
}

Fields NoHeader(std::int32_t samplesPerFrame = 1152)
{
    return {false, 0, 0, 0, samplesPerFrame};
}

Fields Parse(const Bytes& bytes, std::size_t count = ~std::size_t{0})
{
    return Of(ParseMp3Frames(bytes.data(), std::min(count, bytes.size())));
}

Fields ReadCrafted(const std::string& name, const Bytes& bytes)
{
    testsupport::WriteBytes(name, bytes);
    return Of(ReadMp3Info(name));
}

// An ID3v2 tag header announcing `size` bytes of tag body (synchsafe), footer flag as given.
Bytes Id3Header(std::uint32_t size, bool footer)
{
    Bytes header = {'I', 'D', '3', 4, 0, static_cast<unsigned char>(footer ? 0x10 : 0x00)};
    for (int shift = 21; shift >= 0; shift -= 7)
        header.push_back(static_cast<unsigned char>((size >> shift) & 0x7F));
    return header;
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}
} // namespace

// ---- The first frame and its Xing/Info header, from bytes in memory ----

TEST(Mp3Header, FrameVersionAndChannelModeDecideSamplesPerFrameAndWhereTheHeaderSits)
{
    struct Case
    {
        const char* what;
        unsigned char version, mode;
        std::size_t tagOffset;
        std::int32_t samplesPerFrame;
    };
    const Case cases[] = {
        {"MPEG-1 stereo",          0xFB, 0x44, 4 + 32,     1152},
        {"MPEG-1 mono",            0xFB, 0xC4, 4 + 17,     1152},
        {"MPEG-1 stereo with CRC", 0xFA, 0x04, 4 + 2 + 32, 1152},
        {"MPEG-1 mono with CRC",   0xFA, 0xC4, 4 + 2 + 17, 1152},
        {"MPEG-2 stereo",          0xF3, 0x44, 4 + 17,     576 },
        {"MPEG-2 mono",            0xF3, 0xC4, 4 + 9,      576 },
        {"MPEG-2 mono with CRC",   0xF2, 0xC4, 4 + 2 + 9,  576 },
        {"MPEG-2.5 stereo",        0xE3, 0x84, 4 + 17,     576 },
        {"MPEG-2.5 mono",          0xE3, 0xC4, 4 + 9,      576 },
    };
    for (const Case& c : cases)
    {
        XingFrame frame{0, c.version, c.mode, c.tagOffset, "Info", 0x0F, 321, "LAME3.100", 0x9AB, 0x3CD};
        EXPECT_EQ(Parse(frame.Build()), Fields(true, 321, 0x9AB, 0x3CD, c.samplesPerFrame)) << c.what;
    }
}

TEST(Mp3Header, SearchSkipsReservedVersionsAndOtherLayersAndReachesTheLastFourBytes)
{
    XingFrame frame;
    frame.junk = 12;
    Bytes bytes = frame.Build();
    const Bytes decoys = {0xFF, 0xEB, 0x50, 0x44,  // reserved version
                          0xFF, 0xFD, 0x50, 0x44,  // Layer II
                          0xFF, 0x1B, 0x50, 0x44}; // sync bits incomplete
    std::copy(decoys.begin(), decoys.end(), bytes.begin());
    EXPECT_EQ(Parse(bytes), Fields(true, 1000, 576, 1200, 1152));

    // A header in the last four bytes is still found (MPEG-2 shows in the sample count).
    EXPECT_EQ(Parse({0x00, 0x00, 0xFF, 0xF3, 0x50, 0xC4}), NoHeader(576));
    EXPECT_EQ(Parse({0x00, 0x00, 0x00, 0xF3, 0x50, 0xC4}), NoHeader());
    EXPECT_EQ(Parse(Bytes(300, 0xFF)), NoHeader());
    EXPECT_EQ(Parse(decoys), NoHeader());
    // Fewer than four bytes hold no frame.
    EXPECT_EQ(Parse({0xFF, 0xF3, 0x50}), NoHeader());
    EXPECT_EQ(Parse({0xFF, 0xF3, 0x50, 0xC4}, 0), NoHeader());
}

TEST(Mp3Header, OptionalFieldsMoveTheEncoderExtension)
{
    // Frame header at 0, tag at 36.
    // clang-format off
    const std::pair<std::uint32_t, std::size_t> cases[] = {
        {0x01, 48}, {0x03, 52}, {0x05, 148}, {0x09, 52}, {0x07, 152}, {0x0F, 156}};
    // clang-format on
    for (const auto& [flags, extensionAt] : cases)
    {
        XingFrame frame;
        frame.flags = flags;
        frame.delay = 1105;
        frame.padding = 2001;
        const Bytes bytes = frame.Build();
        ASSERT_EQ(frame.extension, extensionAt);
        EXPECT_EQ(Parse(bytes), Fields(true, 1000, 1105, 2001, 1152)) << "flags " << flags;
    }
}

TEST(Mp3Header, OnlyXingOrInfoWithAFrameCountAndALetteredExtensionMakeAValidHeader)
{
    const Fields whole(true, 1000, 576, 1200, 1152);
    for (const char* tag : {"Xing", "Info", "XING", "info", "Infx", "LAME"})
    {
        XingFrame frame;
        frame.tag = tag;
        const bool known = tag == std::string("Xing") || tag == std::string("Info");
        EXPECT_EQ(Parse(frame.Build()), known ? whole : NoHeader()) << tag;
    }

    // Without the frame count (flag clear, or cut off: the tag is at 36, the count ends at 48)
    // nothing counts.
    XingFrame uncounted;
    uncounted.flags = 0x0E;
    EXPECT_EQ(Parse(uncounted.Build()), NoHeader());
    XingFrame frame;
    const Bytes bytes = frame.Build();
    EXPECT_EQ(Parse(bytes, 43), NoHeader());
    EXPECT_EQ(Parse(bytes, 47), NoHeader());

    // A cut-off or unlettered extension keeps only the frame count; a count of zero is not valid.
    EXPECT_EQ(Parse(bytes, frame.extension + 23), Fields(false, 1000, 0, 0, 1152));
    EXPECT_EQ(Parse(bytes, frame.extension + 24), whole);
    for (const char first : {'A', 'Z', 'a', 'z', '@', '[', '`', '{', '0', ' ', '\x01'})
    {
        XingFrame named;
        named.encoder = std::string(1, first) + "AME3.100";
        const bool letter = std::isalpha(static_cast<unsigned char>(first)) != 0;
        EXPECT_EQ(Parse(named.Build()), letter ? whole : Fields(false, 1000, 0, 0, 1152)) << int(first);
    }
    XingFrame empty;
    empty.frames = 0;
    EXPECT_EQ(Parse(empty.Build()), Fields(false, 0, 576, 1200, 1152));
}

// ---- Reading files: ID3v2 tags in front of the audio ----

TEST(Mp3File, MissingOrTinyFilesGiveNoHeader)
{
    EXPECT_EQ(Of(ReadMp3Info("no-such-file.mp3")), NoHeader());
    EXPECT_EQ(ReadCrafted("tiny.mp3", {0xFF, 0xFB, 0x50}), NoHeader());
    // Shorter than an ID3 header but holding a frame header: searched from byte 0.
    EXPECT_EQ(ReadCrafted("short.mp3", {0x00, 0xFF, 0xF3, 0x50, 0xC4, 0x00}), NoHeader(576));
}

TEST(Mp3File, Id3TagOfFiveThousandBytesIsSkippedWithAndWithoutFooter)
{
    // The tag body holds a decoy header that must not be read.
    XingFrame decoy;
    decoy.frames = 1;
    Bytes body = decoy.Build();
    body.resize(5000, 0x00);
    XingFrame real;
    real.frames = 777;
    const Bytes audio = real.Build();
    const Fields found(true, 777, 576, 1200, 1152);
    EXPECT_EQ(ReadCrafted("plain.mp3", Concat({Id3Header(5000, false), body, audio})), found);
    // The footer's 10 bytes look like a frame header: reading them as audio finds no Xing header.
    const Bytes footer = {0xFF, 0xFB, 0x50, 0x44, '3', 'D', 'I', 4, 0, 0};
    EXPECT_EQ(ReadCrafted("footer.mp3", Concat({Id3Header(5000, true), body, footer, audio})), found);
}

TEST(Mp3File, SearchWindowAfterTheTagIsFourKilobytes)
{
    Bytes body = XingFrame().Build();
    body.resize(20000, 0x00); // large enough to use the second synchsafe byte
    const Bytes mpeg2 = {0xFF, 0xF3, 0x50, 0xC4};
    const Bytes audio = XingFrame().Build();
    const Bytes tag = Id3Header(20000, false);

    // The frame header fits in the window's last four bytes: found, but its header lies beyond.
    EXPECT_EQ(ReadCrafted("edge.mp3", Concat({tag, body, Bytes(4092, 0x00), mpeg2, audio})), NoHeader(576));
    // One byte later nothing lies in the window at all.
    EXPECT_EQ(ReadCrafted("beyond.mp3", Concat({tag, body, Bytes(4093, 0x00), mpeg2, audio})), NoHeader());
    // A tag pointing past the end of the file leaves nothing to read.
    EXPECT_EQ(ReadCrafted("hollow.mp3", Concat({Id3Header(90000, false), body})), NoHeader());
}

// ---- Deciding the span from the header figures ----

namespace
{
std::tuple<std::int64_t, std::int64_t, std::int64_t> Span(const Mp3Info& info, std::int64_t decoded)
{
    const LoopSpan span = DecideLoopSpan(info, decoded);
    return {span.lead, span.start, span.length};
}

Mp3Info Header(std::int32_t padding = 1200, std::int32_t samplesPerFrame = 1152)
{
    return {true, 576, padding, 1000, samplesPerFrame};
}
} // namespace

TEST(Mp3Span, WorkedExampleWithTheHeaderFrameDecodedAsSilence)
{
    EXPECT_EQ(Span(Header(), 1153152), std::make_tuple(1152, 2257, 1150224));
    EXPECT_EQ(Span(Header(), 1152000), std::make_tuple(0, 1105, 1150224));
    // Lead appears only past half a frame beyond the content.
    EXPECT_EQ(std::get<0>(Span(Header(), 1152000 + 576)), 0);
    EXPECT_EQ(std::get<0>(Span(Header(), 1152000 + 577)), 1152);

    // Sample counts become microseconds, rounded up.
    EXPECT_EQ(SamplesToTime(2257, 44100).asMicroseconds(), 51180);
    EXPECT_EQ(SamplesToTime(1150224, 44100).asMicroseconds(), 26082177);
    EXPECT_EQ(SamplesToTime(0, 44100).asMicroseconds(), 0);
    EXPECT_EQ(SamplesToTime(441, 44100).asMicroseconds(), 10000);
    EXPECT_EQ(SamplesToTime(1, 44100).asMicroseconds(), 23);
    EXPECT_EQ(SamplesToTime(3, 48000).asMicroseconds(), 63);
    EXPECT_EQ(SamplesToTime(44100LL * 3600 * 5, 44100).asMicroseconds(), 18000000000LL);
}

TEST(Mp3Span, StreamShorterThanTheHeaderIsCutToWhatDecodes)
{
    // 529 + 1152000 - 1200 = 1151329 samples are needed to keep the whole content.
    EXPECT_EQ(Span(Header(), 1151329), std::make_tuple(0, 1105, 1150224));
    EXPECT_EQ(Span(Header(), 1151328), std::make_tuple(0, 1105, 1151328 - 1105));
    EXPECT_EQ(Span(Header(), 900000), std::make_tuple(0, 1105, 900000 - 1105));

    // The header frame's lead counts towards what the stream must hold.
    EXPECT_EQ(Span(Header(0), 1153000), std::make_tuple(1152, 2257, 1153000 - 2257));
    EXPECT_EQ(std::get<2>(Span(Header(0), 1153681)), 1152000 - 576);
    EXPECT_EQ(Span(Header(1200, 576), 576000 + 289),
              std::make_tuple(576, 576 + 576 + 529, 576000 - 1200 - 576));
}

// ---- Real encoder output, loaded through the resource manager ----

namespace
{
constexpr std::uint32_t kRate = 44100;
constexpr long long kToneFrames = 11025 + 66150 + 17640; // what EncodeTone writes

long long Ceil(long long samples, long long rate)
{
    return (samples * 1000000 + rate - 1) / rate;
}

std::string Load(const std::string& name, const std::string& path)
{
    return StdoutOf([&] { ResourceManager::getInstance().LoadMusic(name, path); });
}

std::string TrimmedLine(const std::string& path, long long first, long long last)
{
    return "[MP3 loop] " + path + ": no Xing/LAME header, trimming by silence detection\n[MP3 loop] " + path +
           ": rate=44100 start=" + std::to_string(first) + " length=" + std::to_string(last - first + 1) +
           " (silence-trimmed)\n";
}

// First and last loud sample frames, from a full decode into memory.
std::pair<long long, long long> LoudFrames(const std::string& path)
{
    sf::SoundBuffer buffer;
    EXPECT_TRUE(buffer.loadFromFile(path));
    const std::int16_t* samples = buffer.getSamples();
    long long first = -1, last = -1;
    for (long long k = 0; k < static_cast<long long>(buffer.getSampleCount()); ++k)
        if (std::abs(samples[k]) > 32)
        {
            first = first < 0 ? k : first;
            last = k;
        }
    const long long channels = buffer.getChannelCount();
    return {first / channels, last / channels};
}

// 0.25 s silence, 1.5 s tone, 0.4 s silence, encoded by lame with `options`.
void EncodeTone(const std::string& stem, unsigned channels, const std::string& suffix = ".mp3",
                const std::string& options = "")
{
    testsupport::WriteWav(stem + ".wav", testsupport::ToneWithSilence(kRate, channels, 0.25, 1.5, 0.4),
                          channels, kRate);
    ASSERT_TRUE(testsupport::EncodeMp3(stem + ".wav", stem + suffix, options));
}
} // namespace

TEST(EncodedMusic, EncoderHeaderDecidesTheSpanAndTheLineShowsEveryFigure)
{
    ResourceManager& resources = ResourceManager::getInstance();
    for (const unsigned channels : {1u, 2u})
    {
        SCOPED_TRACE(std::to_string(channels) + " channels");
        const std::string stem = "lame" + std::to_string(channels), path = stem + ".mp3";
        EncodeTone(stem, channels);

        // The figures found by their tags rather than by computed offsets.
        const Bytes bytes = testsupport::ReadBytes(path);
        ASSERT_GT(bytes.size(), 400u);
        const std::string info = "Info", lame = "LAME";
        const auto tag = std::search(bytes.begin(), bytes.begin() + 400, info.begin(), info.end());
        const auto name = std::search(bytes.begin(), bytes.begin() + 400, lame.begin(), lame.end());
        ASSERT_TRUE(tag != bytes.begin() + 400 && name != bytes.begin() + 400);
        const long long frames =
            (static_cast<long long>(tag[8]) << 24) | (tag[9] << 16) | (tag[10] << 8) | tag[11];
        const long long delay = (name[21] << 4) | (name[22] >> 4);
        const long long padding = ((name[22] & 0x0F) << 8) | name[23];
        ASSERT_GT(frames, 0);

        const std::string printed = Load(stem, path);
        sf::Music& music = *resources.musics.at(stem);
        const long long decoded = std::llround(music.getDuration().asSeconds() * double(kRate));
        // The decoder already drops the encoder's delay and padding: exactly the WAV comes back.
        EXPECT_EQ(decoded, kToneFrames);

        const long long content = frames * 1152;
        const long long lead = decoded > content + 576 ? 1152 : 0;
        const long long start = delay + lead + 529;
        const long long length =
            lead + 529 + content - padding > decoded ? decoded - start : content - padding - delay;
        EXPECT_EQ(printed, "[MP3 loop] " + path + ": rate=44100 frames=" + std::to_string(frames) +
                               " delay=" + std::to_string(delay) + " padding=" + std::to_string(padding) +
                               " decoded=" + std::to_string(decoded) + " content=" + std::to_string(content) +
                               " lead=" + std::to_string(lead) + " -> start=" + std::to_string(start) +
                               " length=" + std::to_string(length) + "\n");
        ASSERT_EQ(resources.musicStart.count(stem), 1u);
        EXPECT_EQ(resources.musicStart.at(stem).asMicroseconds(), Ceil(start, kRate));
        EXPECT_NEAR(music.getLoopPoints().offset.asMicroseconds(), Ceil(start, kRate), 30);
        EXPECT_NEAR(music.getLoopPoints().length.asMicroseconds(), Ceil(length, kRate), 30);
    }
}

TEST(EncodedMusic, WithoutEncoderHeaderTheSilenceAroundTheToneIsTrimmedButPureSilenceIsNot)
{
    EncodeTone("bare", 2, ".mp3", "-t");
    EXPECT_FALSE(ReadMp3Info("bare.mp3").valid);
    const auto [first, last] = LoudFrames("bare.mp3");
    // The tone starts 0.25 s in, behind at most the encoder's and decoder's delays.
    EXPECT_GE(first, 11025 - 64);
    EXPECT_LE(first, 11025 + 1152 + 529 + 64);
    EXPECT_EQ(Load("bare", "bare.mp3"), TrimmedLine("bare.mp3", first, last));
    ResourceManager& resources = ResourceManager::getInstance();
    ASSERT_EQ(resources.musicStart.count("bare"), 1u);
    EXPECT_EQ(resources.musicStart.at("bare").asMicroseconds(), Ceil(first, kRate));

    testsupport::WriteWav("hush.wav", std::vector<std::int16_t>(kRate * 2, 0), 2, kRate);
    ASSERT_TRUE(testsupport::EncodeMp3("hush.wav", "hush.mp3", "-t"));
    EXPECT_EQ(Load("hush", "hush.mp3"),
              "[MP3 loop] hush.mp3: no Xing/LAME header, trimming by silence detection\n"
              "[MP3 loop] hush.mp3: silence detection failed, NOT trimmed\n");
    EXPECT_EQ(resources.musicStart.count("hush"), 0u);
    EXPECT_EQ(resources.musics.count("hush"), 1u);
}

TEST(EncodedMusic, HugeTagHidesTheHeaderSoSilenceDecides)
{
    EncodeTone("tagged", 2);
    Bytes body(6000, 0x00);
    std::copy_n("TIT2", 4, body.begin());
    testsupport::WriteBytes("tagged-big.mp3", Concat({Id3Header(6000, false), body, Bytes(4096, 0x00),
                                                      testsupport::ReadBytes("tagged.mp3")}));
    const auto [first, last] = LoudFrames("tagged-big.mp3");
    EXPECT_EQ(Load("big", "tagged-big.mp3"), TrimmedLine("tagged-big.mp3", first, last));
}

TEST(EncodedMusic, OnlyMp3NamesAreAnalysedWhateverTheirCase)
{
    EncodeTone("song", 1, ".MP3");
    std::filesystem::copy_file("song.MP3", "song.Mp3");
    const ResourceManager& resources = ResourceManager::getInstance();

    const std::string upper = Load("upper", "song.MP3");
    EXPECT_EQ(upper.rfind("[MP3 loop] song.MP3: rate=44100 frames=", 0), 0u) << upper;
    EXPECT_EQ(resources.musicStart.count("upper"), 1u);
    EXPECT_NE(Load("mixed", "song.Mp3"), "");
    EXPECT_EQ(resources.musicStart.count("mixed"), 1u);
    EXPECT_EQ(Load("wave", "song.wav"), "");
    EXPECT_EQ(resources.musicStart.count("wave"), 0u);
    EXPECT_EQ(resources.musics.count("wave"), 1u);
}

TEST(SilenceTrim, CountsInterleavedSamplesAcrossChunksAndDividesByChannels)
{
    constexpr std::uint32_t rate = 22050;
    // Stereo, longer than one 16384-frame chunk. |s| <= 32 is silence, so the first loud sample
    // is interleaved index 7 (frame 3, right) and the last is index 40001 (frame 20000, right).
    std::vector<std::int16_t> samples(2 * 30000, 0);
    const std::int16_t quiet[] = {0, 32, -32, 10, 0, -5, 32};
    std::copy(std::begin(quiet), std::end(quiet), samples.begin());
    samples[7] = -33;
    samples[2 * 9000] = 20000;
    samples[40001] = 33;
    samples[40002] = -32;
    samples[50000] = 31;
    testsupport::WriteWav("steps.wav", samples, 2, rate);

    sf::Music music;
    ASSERT_TRUE(music.openFromFile("steps.wav"));
    std::optional<sf::Time> offset;
    EXPECT_EQ(StdoutOf([&] { offset = TrimBySilence(music, "steps.wav"); }),
              "[MP3 loop] steps.wav: rate=22050 start=3 length=19998 (silence-trimmed)\n");
    ASSERT_TRUE(offset.has_value());
    EXPECT_EQ(offset->asMicroseconds(), 137); // ceil(3e6 / 22050)
    EXPECT_NEAR(music.getLoopPoints().length.asMicroseconds(), Ceil(19998, rate), 50);
    EXPECT_EQ(StdoutOf([&] { offset = TrimBySilence(music, "no-such.wav"); }), "");
    EXPECT_FALSE(offset.has_value());
}

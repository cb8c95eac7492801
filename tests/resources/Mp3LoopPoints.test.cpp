#include "resources/Mp3LoopPoints.hpp"

#include "resources/ResourceManager.hpp"
#include "support/AudioFiles.hpp"
#include "support/Harness.hpp"

#include <SFML/Audio/Music.hpp>
#include <SFML/Audio/SoundBuffer.hpp>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

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
    std::size_t trailing = 64;

    // Where the encoder extension lands, counted from the first byte.
    std::size_t extension = 0;

    Bytes Build()
    {
        Bytes out(junk, 0x00);
        for (unsigned char b :
             {static_cast<unsigned char>(0xFF), version, static_cast<unsigned char>(0x50), mode})
            out.push_back(b);
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
        out.insert(out.end(), trailing, 0x00);
        return out;
    }
};

Mp3Info Parse(const Bytes& bytes)
{
    return ParseMp3Frames(bytes.data(), bytes.size());
}

// An ID3v2 tag header announcing `size` bytes of tag body (synchsafe), footer flag as given.
Bytes Id3Header(std::uint32_t size, bool footer)
{
    return {'I',
            'D',
            '3',
            4,
            0,
            static_cast<unsigned char>(footer ? 0x10 : 0x00),
            static_cast<unsigned char>((size >> 21) & 0x7F),
            static_cast<unsigned char>((size >> 14) & 0x7F),
            static_cast<unsigned char>((size >> 7) & 0x7F),
            static_cast<unsigned char>(size & 0x7F)};
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

Mp3Info ReadCrafted(const std::string& name, const Bytes& bytes)
{
    testsupport::WriteBytes(name, bytes);
    return ReadMp3Info(name);
}

void ExpectNoHeader(const Mp3Info& info, std::int32_t samplesPerFrame)
{
    EXPECT_FALSE(info.valid);
    EXPECT_EQ(info.frameCount, 0u);
    EXPECT_EQ(info.encoderDelay, 0);
    EXPECT_EQ(info.padding, 0);
    EXPECT_EQ(info.samplesPerFrame, samplesPerFrame);
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
        SCOPED_TRACE(c.what);
        XingFrame frame;
        frame.version = c.version;
        frame.mode = c.mode;
        frame.tagOffset = c.tagOffset;
        frame.frames = 321;
        frame.delay = 0x9AB;
        frame.padding = 0x3CD;
        const Mp3Info info = Parse(frame.Build());
        EXPECT_TRUE(info.valid);
        EXPECT_EQ(info.samplesPerFrame, c.samplesPerFrame);
        EXPECT_EQ(info.frameCount, 321u);
        EXPECT_EQ(info.encoderDelay, 0x9AB);
        EXPECT_EQ(info.padding, 0x3CD);
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
    const Mp3Info info = Parse(bytes);
    EXPECT_TRUE(info.valid);
    EXPECT_EQ(info.frameCount, 1000u);

    // A header in the last four bytes is still found (MPEG-2 shows in the sample count).
    const Bytes tail = {0x00, 0x00, 0xFF, 0xF3, 0x50, 0xC4};
    ExpectNoHeader(Parse(tail), 576);
    ExpectNoHeader(Parse({0x00, 0x00, 0x00, 0xF3, 0x50, 0xC4}), 1152);
    ExpectNoHeader(Parse(Bytes(300, 0xFF)), 1152);
    ExpectNoHeader(Parse(decoys), 1152);
}

TEST(Mp3Header, FewerThanFourBytesHoldNoFrame)
{
    const Bytes three = {0xFF, 0xF3, 0x50};
    ExpectNoHeader(ParseMp3Frames(three.data(), three.size()), 1152);
    ExpectNoHeader(ParseMp3Frames(three.data(), 0), 1152);
}

TEST(Mp3Header, XingAndInfoAreBothAcceptedAndNothingElse)
{
    for (const char* tag : {"Xing", "Info"})
    {
        XingFrame frame;
        frame.tag = tag;
        EXPECT_TRUE(Parse(frame.Build()).valid) << tag;
    }
    for (const char* tag : {"XING", "info", "Infx", "LAME"})
    {
        XingFrame frame;
        frame.tag = tag;
        ExpectNoHeader(Parse(frame.Build()), 1152);
    }
}

TEST(Mp3Header, OptionalFieldsMoveTheEncoderExtension)
{
    struct Case
    {
        std::uint32_t flags;
        std::size_t extensionAt; // frame header at 0, tag at 36
    };
    const Case cases[] = {
        {0x01, 48 },
        {0x03, 52 },
        {0x05, 148},
        {0x09, 52 },
        {0x07, 152},
        {0x0F, 156}
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE("flags " + std::to_string(c.flags));
        XingFrame frame;
        frame.flags = c.flags;
        frame.delay = 1105;
        frame.padding = 2001;
        const Bytes bytes = frame.Build();
        ASSERT_EQ(frame.extension, c.extensionAt);
        const Mp3Info info = Parse(bytes);
        EXPECT_TRUE(info.valid);
        EXPECT_EQ(info.encoderDelay, 1105);
        EXPECT_EQ(info.padding, 2001);
    }
}

TEST(Mp3Header, FrameCountFlagClearOrCountCutOffMeansNoHeader)
{
    XingFrame frame;
    frame.flags = 0x0E;
    ExpectNoHeader(Parse(frame.Build()), 1152);

    XingFrame full;
    const Bytes bytes = full.Build();
    // Tag at 36: the flags end at 44, the count at 48.
    ExpectNoHeader(Parse(Bytes(bytes.begin(), bytes.begin() + 43)), 1152);
    ExpectNoHeader(Parse(Bytes(bytes.begin(), bytes.begin() + 47)), 1152);
}

TEST(Mp3Header, ExtensionCutOffKeepsTheFrameCountButIsNotValid)
{
    XingFrame frame;
    frame.frames = 4242;
    const Bytes bytes = frame.Build();
    const std::size_t end = frame.extension + 24;

    const Mp3Info cut = Parse(Bytes(bytes.begin(), bytes.begin() + static_cast<long>(end) - 1));
    EXPECT_FALSE(cut.valid);
    EXPECT_EQ(cut.frameCount, 4242u);
    EXPECT_EQ(cut.encoderDelay, 0);
    EXPECT_EQ(cut.padding, 0);

    const Mp3Info whole = Parse(Bytes(bytes.begin(), bytes.begin() + static_cast<long>(end)));
    EXPECT_TRUE(whole.valid);
    EXPECT_EQ(whole.encoderDelay, 576);
    EXPECT_EQ(whole.padding, 1200);
}

TEST(Mp3Header, ExtensionMustStartWithALetterAndTheCountMustBeNonZero)
{
    for (const char first : {'A', 'Z', 'a', 'z'})
    {
        XingFrame frame;
        frame.encoder = std::string(1, first) + "ncoder";
        EXPECT_TRUE(Parse(frame.Build()).valid) << first;
    }
    for (const char first : {'@', '[', '`', '{', '0', ' ', '\x01'})
    {
        XingFrame frame;
        frame.encoder = std::string(1, first) + "AME3.100";
        const Mp3Info info = Parse(frame.Build());
        EXPECT_FALSE(info.valid) << int(first);
        EXPECT_EQ(info.encoderDelay, 0) << int(first);
        EXPECT_EQ(info.padding, 0) << int(first);
    }
    XingFrame empty;
    empty.frames = 0;
    const Mp3Info info = Parse(empty.Build());
    EXPECT_FALSE(info.valid);
    EXPECT_EQ(info.encoderDelay, 576);
}

// ---- Reading files: ID3v2 tags in front of the audio ----

TEST(Mp3File, MissingOrTinyFilesGiveNoHeader)
{
    ExpectNoHeader(ReadMp3Info("no-such-file.mp3"), 1152);
    ExpectNoHeader(ReadCrafted("tiny.mp3", {0xFF, 0xFB, 0x50}), 1152);
    // Shorter than an ID3 header but holding a frame header: searched from byte 0.
    ExpectNoHeader(ReadCrafted("short.mp3", {0x00, 0xFF, 0xF3, 0x50, 0xC4, 0x00}), 576);
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

    const Mp3Info plain = ReadCrafted("plain.mp3", Concat({Id3Header(5000, false), body, audio}));
    EXPECT_TRUE(plain.valid);
    EXPECT_EQ(plain.frameCount, 777u);

    // The footer's 10 bytes look like a frame header: reading them as audio finds no Xing header.
    const Bytes footer = {0xFF, 0xFB, 0x50, 0x44, '3', 'D', 'I', 4, 0, 0};
    const Mp3Info footed = ReadCrafted("footer.mp3", Concat({Id3Header(5000, true), body, footer, audio}));
    EXPECT_TRUE(footed.valid);
    EXPECT_EQ(footed.frameCount, 777u);
}

TEST(Mp3File, SearchWindowAfterTheTagIsFourKilobytes)
{
    XingFrame decoy;
    Bytes body = decoy.Build();
    body.resize(20000, 0x00); // large enough to use the second synchsafe byte
    const Bytes mpeg2 = {0xFF, 0xF3, 0x50, 0xC4};
    XingFrame real;
    const Bytes audio = real.Build();

    // The frame header fits in the window's last four bytes: found, but its header lies beyond.
    const Bytes edge = Concat({Id3Header(20000, false), body, Bytes(4092, 0x00), mpeg2, audio});
    ExpectNoHeader(ReadCrafted("edge.mp3", edge), 576);
    // One byte later nothing lies in the window at all.
    const Bytes beyond = Concat({Id3Header(20000, false), body, Bytes(4093, 0x00), mpeg2, audio});
    ExpectNoHeader(ReadCrafted("beyond.mp3", beyond), 1152);
    // A tag pointing past the end of the file leaves nothing to read.
    ExpectNoHeader(ReadCrafted("hollow.mp3", Concat({Id3Header(90000, false), body})), 1152);
}

// ---- Deciding the span from the header figures ----

TEST(Mp3Span, WorkedExampleWithTheHeaderFrameDecodedAsSilence)
{
    Mp3Info info;
    info.valid = true;
    info.frameCount = 1000;
    info.encoderDelay = 576;
    info.padding = 1200;

    const LoopSpan withLead = DecideLoopSpan(info, 1153152);
    EXPECT_EQ(withLead.lead, 1152);
    EXPECT_EQ(withLead.start, 2257);
    EXPECT_EQ(withLead.length, 1150224);
    EXPECT_EQ(SamplesToTime(withLead.start, 44100).asMicroseconds(), 51180);
    EXPECT_EQ(SamplesToTime(withLead.length, 44100).asMicroseconds(), 26082177);

    const LoopSpan exact = DecideLoopSpan(info, 1152000);
    EXPECT_EQ(exact.lead, 0);
    EXPECT_EQ(exact.start, 1105);
    EXPECT_EQ(exact.length, 1150224);

    // Lead appears only past half a frame beyond the content.
    EXPECT_EQ(DecideLoopSpan(info, 1152000 + 576).lead, 0);
    EXPECT_EQ(DecideLoopSpan(info, 1152000 + 577).lead, 1152);
}

TEST(Mp3Span, StreamShorterThanTheHeaderIsCutToWhatDecodes)
{
    Mp3Info info;
    info.valid = true;
    info.frameCount = 1000;
    info.encoderDelay = 576;
    info.padding = 1200;
    // 529 + 1152000 - 1200 = 1151329 samples are needed to keep the whole content.
    EXPECT_EQ(DecideLoopSpan(info, 1151329).length, 1150224);
    EXPECT_EQ(DecideLoopSpan(info, 1151328).length, 1151328 - 1105);
    EXPECT_EQ(DecideLoopSpan(info, 900000).length, 900000 - 1105);

    // The header frame's lead counts towards what the stream must hold.
    Mp3Info unpadded = info;
    unpadded.padding = 0;
    const LoopSpan led = DecideLoopSpan(unpadded, 1153000);
    EXPECT_EQ(led.lead, 1152);
    EXPECT_EQ(led.length, 1153000 - 2257);
    EXPECT_EQ(DecideLoopSpan(unpadded, 1153681).length, 1152000 - 576);

    Mp3Info mpeg2 = info;
    mpeg2.samplesPerFrame = 576;
    const LoopSpan half = DecideLoopSpan(mpeg2, 576000 + 289);
    EXPECT_EQ(half.lead, 576);
    EXPECT_EQ(half.start, 576 + 576 + 529);
    EXPECT_EQ(half.length, 576000 - 1200 - 576);
}

TEST(Mp3Span, SampleCountsBecomeMicrosecondsRoundedUp)
{
    EXPECT_EQ(SamplesToTime(0, 44100).asMicroseconds(), 0);
    EXPECT_EQ(SamplesToTime(441, 44100).asMicroseconds(), 10000);
    EXPECT_EQ(SamplesToTime(1, 44100).asMicroseconds(), 23);
    EXPECT_EQ(SamplesToTime(3, 48000).asMicroseconds(), 63);
    EXPECT_EQ(SamplesToTime(44100LL * 3600 * 5, 44100).asMicroseconds(), 18000000000LL);
}

// ---- Real encoder output, loaded through the resource manager ----

namespace
{
struct LameFigures
{
    std::uint32_t frames = 0;
    int delay = 0;
    int padding = 0;
};

// Finds the figures by their tags rather than by computed offsets.
LameFigures FindLameFigures(const Bytes& bytes)
{
    LameFigures figures;
    const auto end = bytes.begin() + static_cast<long>(std::min<std::size_t>(bytes.size(), 400));
    const std::string info = "Info", lame = "LAME";
    const auto tag = std::search(bytes.begin(), end, info.begin(), info.end());
    const auto name = std::search(bytes.begin(), end, lame.begin(), lame.end());
    if (tag == end || name == end)
        return figures;
    figures.frames = (std::uint32_t{tag[8]} << 24) | (std::uint32_t{tag[9]} << 16) |
                     (std::uint32_t{tag[10]} << 8) | tag[11];
    figures.delay = (name[21] << 4) | (name[22] >> 4);
    figures.padding = ((name[22] & 0x0F) << 8) | name[23];
    return figures;
}

std::string Load(const std::string& name, const std::string& path)
{
    testing::internal::CaptureStdout();
    ResourceManager::getInstance().LoadMusic(name, path);
    return testing::internal::GetCapturedStdout();
}

long long Ceil(long long samples, long long rate)
{
    return (samples * 1000000 + rate - 1) / rate;
}

// First and last loud sample frames, from a full decode into memory.
std::pair<long long, long long> LoudFrames(const std::string& path)
{
    sf::SoundBuffer buffer;
    EXPECT_TRUE(buffer.loadFromFile(path));
    const std::int16_t* samples = buffer.getSamples();
    const long long count = static_cast<long long>(buffer.getSampleCount());
    long long first = -1, last = -1;
    for (long long k = 0; k < count; ++k)
        if (std::abs(samples[k]) > 32)
        {
            if (first < 0)
                first = k;
            last = k;
        }
    const long long channels = buffer.getChannelCount();
    return {first / channels, last / channels};
}

class EncodedMusic : public testing::Test
{
  protected:
    static constexpr std::uint32_t kRate = 44100;

    void SetUp() override
    {
        ResourceManager& resources = ResourceManager::getInstance();
        resources.musics.clear();
        resources.musicStart.clear();
    }

    // 0.25 s silence, 1.5 s tone, 0.4 s silence.
    std::vector<std::int16_t> Tone(unsigned channels)
    {
        return testsupport::ToneWithSilence(kRate, channels, 0.25, 1.5, 0.4);
    }
};
} // namespace

TEST_F(EncodedMusic, EncoderHeaderDecidesTheSpanAndTheLineShowsEveryFigure)
{
    for (const unsigned channels : {1u, 2u})
    {
        SCOPED_TRACE(std::to_string(channels) + " channels");
        const std::string stem = "lame" + std::to_string(channels);
        const auto samples = Tone(channels);
        testsupport::WriteWav(stem + ".wav", samples, channels, kRate);
        ASSERT_TRUE(testsupport::EncodeMp3(stem + ".wav", stem + ".mp3"));

        const LameFigures figures = FindLameFigures(testsupport::ReadBytes(stem + ".mp3"));
        ASSERT_GT(figures.frames, 0u);
        const std::string printed = Load(stem, stem + ".mp3");

        sf::Music& music = *ResourceManager::getInstance().musics.at(stem);
        const float seconds = static_cast<float>(music.getDuration().asMicroseconds()) / 1000000.0f;
        const long long decoded = std::llround(static_cast<double>(seconds) * kRate);
        // The decoder already drops the encoder's delay and padding: exactly the WAV comes back.
        EXPECT_EQ(decoded, static_cast<long long>(samples.size() / channels));

        const long long content = static_cast<long long>(figures.frames) * 1152;
        const long long lead = decoded > content + 576 ? 1152 : 0;
        const long long start = figures.delay + lead + 529;
        long long length = content - figures.padding - figures.delay;
        if (lead + 529 + content - figures.padding > decoded)
            length = decoded - start;
        const std::string path = stem + ".mp3";
        EXPECT_EQ(printed, "[MP3 loop] " + path + ": rate=44100 frames=" + std::to_string(figures.frames) +
                               " delay=" + std::to_string(figures.delay) +
                               " padding=" + std::to_string(figures.padding) +
                               " decoded=" + std::to_string(decoded) + " content=" + std::to_string(content) +
                               " lead=" + std::to_string(lead) + " -> start=" + std::to_string(start) +
                               " length=" + std::to_string(length) + "\n");
        ASSERT_EQ(ResourceManager::getInstance().musicStart.count(stem), 1u);
        EXPECT_EQ(ResourceManager::getInstance().musicStart.at(stem).asMicroseconds(), Ceil(start, kRate));
        const sf::Music::TimeSpan loop = music.getLoopPoints();
        EXPECT_NEAR(loop.offset.asMicroseconds(), Ceil(start, kRate), 30);
        EXPECT_NEAR(loop.length.asMicroseconds(), Ceil(length, kRate), 30);
    }
}

TEST_F(EncodedMusic, WithoutEncoderHeaderTheSilenceAroundTheToneIsTrimmed)
{
    const auto samples = Tone(2);
    testsupport::WriteWav("bare.wav", samples, 2, kRate);
    ASSERT_TRUE(testsupport::EncodeMp3("bare.wav", "bare.mp3", "-t"));
    EXPECT_FALSE(ReadMp3Info("bare.mp3").valid);

    const auto [first, last] = LoudFrames("bare.mp3");
    // The tone starts 0.25 s in, behind at most the encoder's and decoder's delays.
    EXPECT_GE(first, 11025 - 64);
    EXPECT_LE(first, 11025 + 1152 + 529 + 64);
    const std::string printed = Load("bare", "bare.mp3");
    EXPECT_EQ(printed, "[MP3 loop] bare.mp3: no Xing/LAME header, trimming by silence detection\n"
                       "[MP3 loop] bare.mp3: rate=44100 start=" +
                           std::to_string(first) + " length=" + std::to_string(last - first + 1) +
                           " (silence-trimmed)\n");
    ASSERT_EQ(ResourceManager::getInstance().musicStart.count("bare"), 1u);
    EXPECT_EQ(ResourceManager::getInstance().musicStart.at("bare").asMicroseconds(), Ceil(first, kRate));
}

TEST_F(EncodedMusic, PureSilenceIsNotTrimmed)
{
    testsupport::WriteWav("hush.wav", std::vector<std::int16_t>(kRate * 2, 0), 2, kRate);
    ASSERT_TRUE(testsupport::EncodeMp3("hush.wav", "hush.mp3", "-t"));
    EXPECT_EQ(Load("hush", "hush.mp3"),
              "[MP3 loop] hush.mp3: no Xing/LAME header, trimming by silence detection\n"
              "[MP3 loop] hush.mp3: silence detection failed, NOT trimmed\n");
    EXPECT_EQ(ResourceManager::getInstance().musicStart.count("hush"), 0u);
    EXPECT_EQ(ResourceManager::getInstance().musics.count("hush"), 1u);
}

TEST_F(EncodedMusic, HugeTagHidesTheHeaderSoSilenceDecides)
{
    testsupport::WriteWav("tagged.wav", Tone(2), 2, kRate);
    ASSERT_TRUE(testsupport::EncodeMp3("tagged.wav", "tagged.mp3"));
    Bytes body(6000, 0x00);
    std::copy_n("TIT2", 4, body.begin());
    testsupport::WriteBytes("tagged-big.mp3", Concat({Id3Header(6000, false), body, Bytes(4096, 0x00),
                                                      testsupport::ReadBytes("tagged.mp3")}));

    const auto [first, last] = LoudFrames("tagged-big.mp3");
    EXPECT_EQ(Load("big", "tagged-big.mp3"),
              "[MP3 loop] tagged-big.mp3: no Xing/LAME header, trimming by silence detection\n"
              "[MP3 loop] tagged-big.mp3: rate=44100 start=" +
                  std::to_string(first) + " length=" + std::to_string(last - first + 1) +
                  " (silence-trimmed)\n");
}

TEST_F(EncodedMusic, OnlyMp3NamesAreAnalysedWhateverTheirCase)
{
    testsupport::WriteWav("song.wav", Tone(1), 1, kRate);
    ASSERT_TRUE(testsupport::EncodeMp3("song.wav", "song.MP3"));
    fs::copy_file("song.MP3", "song.Mp3");

    const std::string upper = Load("upper", "song.MP3");
    EXPECT_EQ(upper.rfind("[MP3 loop] song.MP3: rate=44100 frames=", 0), 0u) << upper;
    EXPECT_EQ(ResourceManager::getInstance().musicStart.count("upper"), 1u);
    EXPECT_NE(Load("mixed", "song.Mp3"), "");
    EXPECT_EQ(ResourceManager::getInstance().musicStart.count("mixed"), 1u);

    EXPECT_EQ(Load("wave", "song.wav"), "");
    EXPECT_EQ(ResourceManager::getInstance().musicStart.count("wave"), 0u);
    EXPECT_EQ(ResourceManager::getInstance().musics.count("wave"), 1u);
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
    testing::internal::CaptureStdout();
    const auto offset = TrimBySilence(music, "steps.wav");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "[MP3 loop] steps.wav: rate=22050 start=3 length=19998 (silence-trimmed)\n");
    ASSERT_TRUE(offset.has_value());
    EXPECT_EQ(offset->asMicroseconds(), 137); // ceil(3e6 / 22050)
    EXPECT_NEAR(music.getLoopPoints().length.asMicroseconds(), Ceil(19998, rate), 50);

    testing::internal::CaptureStdout();
    EXPECT_FALSE(TrimBySilence(music, "no-such.wav").has_value());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

// Where an MP3 track's real audio lies: the encoder's header in the first frame, the span
// decided from it, and silence trimming for files without one.
#include "resources/Mp3LoopPoints.hpp"

#include "resources/ResourceManager.hpp"
#include "support/AudioFiles.hpp"
#include "support/Harness.hpp"

#include <SFML/Audio/Music.hpp>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

using Bytes = std::vector<unsigned char>;

namespace
{
// One MPEG frame: its header's bytes 1 and 3, the Xing/Info tag `tagAt` bytes in, the tag's flags
// and frame count, optional fields, then the encoder extension (delay 576, padding 1200). The
// optional fields hold letters, so an extension read from the wrong place passes the letter
// check and shows up as wrong figures.
Bytes Frame(std::uint32_t flags = 0x0F, const char* tag = "Info", char initial = 'L',
            std::uint32_t frames = 1000, unsigned char b1 = 0xFB, unsigned char b3 = 0x44,
            std::size_t tagAt = 36)
{
    Bytes out = {0xFF, b1, 0x50, b3};
    out.resize(tagAt, 0);
    out.insert(out.end(), tag, tag + 4);
    for (const std::uint32_t value : {flags, frames})
        for (int shift = 24; shift >= 0; shift -= 8)
            out.push_back(static_cast<unsigned char>(value >> shift));
    out.insert(out.end(), (flags & 2 ? 4 : 0) + (flags & 4 ? 100 : 0) + (flags & 8 ? 4 : 0), 'Q');
    out.push_back(static_cast<unsigned char>(initial));
    out.insert(out.end(), 20, 'x');
    out.insert(out.end(), {0x24, 0x04, 0xB0, 0, 0, 0, 0});
    return out;
}

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

// valid, frame count, delay, padding, samples per frame
using Fields = std::tuple<bool, std::uint64_t, std::int32_t, std::int32_t, std::int32_t>;

Fields Of(const Mp3Info& i)
{
    return {i.valid, i.frameCount, i.encoderDelay, i.padding, i.samplesPerFrame};
}

std::string StdoutOf(const std::function<void()>& action)
{
    testing::internal::CaptureStdout();
    action();
    return testing::internal::GetCapturedStdout();
}
} // namespace

TEST(Mp3Header, TheFrameLayoutSaysWhereTheFiguresAreAndOnlyACompleteHeaderAfterAnyTagIsValid)
{
    // clang-format off
    const auto at = [](int b1, int b3, int tagAt) { return Frame(15, "Info", 'L', 1000, b1, b3, tagAt); };
    const Fields whole(true, 1000, 576, 1200, 1152), mpeg2(true, 1000, 576, 1200, 576),
        none(false, 0, 0, 0, 1152), mpeg2None(false, 0, 0, 0, 576), countOnly(false, 1000, 0, 0, 1152);
    const Bytes decoys = {0xFF, 0xEB, 0x50, 0x44, 0xFF, 0xFD, 0x50, 0x44, 0xFF, 0x1B, 0x50, 0x44};
    // ID3v2 tag headers announcing 20000 bytes of body (synchsafe 0 1 28 32), with and without a
    // footer, whose 10 bytes look like a frame header; and one announcing 90000 bytes.
    const Bytes tag = {'I', 'D', '3', 4, 0, 0, 0, 1, 28, 32}, huge = {'I', 'D', '3', 4, 0, 0, 0, 5, 63, 16},
        footed = {'I', 'D', '3', 4, 0, 16, 0, 1, 28, 32}, footer = {255, 251, 80, 68, 51, 68, 73, 4, 0, 0};
    Bytes body = Frame(0x0F, "Info", 'L', 1); // a decoy inside the tag
    body.resize(20000, 0x00);
    const Bytes cut = Frame();
    const std::pair<Bytes, Fields> cases[] = {
        // Side information: MPEG-1 32 bytes (mono 17), MPEG-2 and 2.5 17 (mono 9); a CRC adds 2.
        {Frame(), whole}, {at(0xFB, 0xC4, 21), whole}, {at(0xFA, 0x04, 38), whole},
        {at(0xF3, 0xC4, 13), mpeg2}, {at(0xF2, 0xC4, 15), mpeg2}, {at(0xE3, 0x84, 21), mpeg2},
        // Optional fields come before the extension; without a frame count there is no header.
        {Frame(0x01), whole}, {Frame(0x05), whole}, {Frame(0x09), whole}, {Frame(0x0E), none},
        {Frame(0x0F, "Xing"), whole}, {Frame(0x0F, "XING"), none}, {Frame(0x0F, "LAME"), none},
        // The extension counts only when it starts with a letter.
        {Frame(0x0F, "Info", 'z'), whole}, {Frame(0x0F, "Info", '@'), countOnly},
        {Frame(0x0F, "Info", '['), countOnly}, {Frame(0x0F, "Info", '`'), countOnly},
        {Frame(0x0F, "Info", '{'), countOnly},
        // Reserved version, Layer II and incomplete sync bits are no frame header.
        {decoys, none}, {Join({decoys, Frame()}), whole},
        // A frame header in the last four bytes still counts; fewer than four bytes hold none.
        {{0x00, 0x00, 0xFF, 0xF3, 0x50, 0xC4}, mpeg2None}, {{0xFF, 0xF3, 0x50}, none},
        // Cut off inside the frame count (it ends at byte 48), then inside the extension (156..179).
        {Bytes(cut.begin(), cut.begin() + 47), none}, {Bytes(cut.begin(), cut.begin() + 179), countOnly},
        {Bytes(cut.begin(), cut.begin() + 180), whole}, {Join({huge, body}), none},
        // An ID3 tag is skipped, footer included, and the header sought in the next 4096 bytes.
        {Join({tag, body, Frame()}), whole}, {Join({footed, body, footer, Frame()}), whole},
        {Join({tag, body, Bytes(4092, 0), {0xFF, 0xF3, 0x50, 0xC4}, Frame()}), mpeg2None},
        {Join({tag, body, Bytes(4093, 0), {0xFF, 0xF3, 0x50, 0xC4}, Frame()}), none},
    };
    // clang-format on
    for (const auto& [bytes, fields] : cases)
    {
        testsupport::WriteFile("crafted.mp3", std::string(bytes.begin(), bytes.end()));
        EXPECT_EQ(Of(ReadMp3Info("crafted.mp3")), fields) << bytes.size() << " bytes";
    }
}

TEST(Mp3Span, TheHeaderFiguresAndTheDecodedLengthDecideLeadStartAndLength)
{
    // Delay 576 and 1000 frames throughout; the decoder adds 529 samples of its own. The header
    // frame decodes as a frame of silence (lead) when the stream is over half a frame longer
    // than the content; a stream shorter than the header says is cut to what decodes.
    // padding, samples per frame, decoded -> lead, start, length
    // clang-format off
    const std::int64_t cases[][6] = {
        {1200, 1152, 1152000, 0,    1105, 1150224}, {1200, 1152, 1152576, 0,    1105, 1150224},
        {1200, 1152, 1152577, 1152, 2257, 1150224}, {1200, 1152, 1151329, 0,    1105, 1150224},
        {1200, 1152, 1151328, 0,    1105, 1150223}, {0,    1152, 1153000, 1152, 2257, 1150743},
        {0,    1152, 1153681, 1152, 2257, 1151424}, {1200, 576,  576289,  576,  1681, 574224},
    };
    // clang-format on
    for (const auto& c : cases)
    {
        const LoopSpan span = DecideLoopSpan({true, 576, std::int32_t(c[0]), 1000, std::int32_t(c[1])}, c[2]);
        EXPECT_EQ(std::make_tuple(span.lead, span.start, span.length), std::make_tuple(c[3], c[4], c[5]))
            << "padding " << c[0] << ", decoded " << c[2];
    }
}

TEST(SilenceTrim, CountsInterleavedSamplesAcrossChunksAndDividesByChannels)
{
    // Stereo, longer than one 16384-frame chunk. |s| <= 32 is silence, so the first loud sample
    // is interleaved index 7 (frame 3, right) and the last is index 40001 (frame 20000, right).
    std::vector<std::int16_t> samples = {0, 32, -32, 10, 0, -5, 32, -33};
    samples.resize(2 * 30000, 0);
    samples[40001] = 33;
    testsupport::WriteWav("steps.wav", samples, 2, 22050);
    sf::Music music;
    ASSERT_TRUE(music.openFromFile("steps.wav"));
    std::optional<sf::Time> offset;
    EXPECT_EQ(StdoutOf([&] { offset = TrimBySilence(music, "steps.wav"); }),
              "[MP3 loop] steps.wav: rate=22050 start=3 length=19998 (silence-trimmed)\n");
    EXPECT_EQ(offset.value_or(sf::Time::Zero).asMicroseconds(), 137); // rounded up from 136.05
    EXPECT_NEAR(music.getLoopPoints().length.asMicroseconds(), 19998 * 1e6 / 22050, 50);
    // Pure silence is not trimmed.
    testsupport::WriteWav("hush.wav", std::vector<std::int16_t>(2000, 32), 2, 22050);
    EXPECT_EQ(StdoutOf([&] { offset = TrimBySilence(music, "hush.wav"); }), "");
    EXPECT_FALSE(offset.has_value());
}

// Real encoder output: 0.25 s of silence, 1.5 s of tone, 0.4 s of silence.
TEST(EncodedMusic, AnMp3TrackNamedInAnyCaseLoopsWithinItsStreamAndEveryShippedMp3TrackGetsALoopStart)
{
    ResourceManager& resources = ResourceManager::getInstance();
    testsupport::WriteWav("tone.wav", testsupport::ToneWithSilence(44100, 2, 0.25, 1.5, 0.4), 2, 44100);
    ASSERT_TRUE(testsupport::EncodeMp3("tone.wav", "tone.Mp3"));
    // The encoder's figures add up to the samples it was given.
    const Mp3Info header = ReadMp3Info("tone.Mp3");
    EXPECT_EQ(header.frameCount * 1152 - header.encoderDelay - header.padding, 11025u + 66150 + 17640);

    StdoutOf([&] { resources.LoadMusic("tone", "tone.Mp3"); });
    const sf::Music& tone = *resources.musics.at("tone");
    EXPECT_GT(resources.musicStart.at("tone"), sf::Time::Zero);
    EXPECT_LE(tone.getLoopPoints().offset + tone.getLoopPoints().length, tone.getDuration());

    // Every MP3 track the game ships gets its loop span too.
    for (const auto& entry : std::filesystem::directory_iterator("music"))
    {
        const std::string path = entry.path().string();
        StdoutOf([&] { resources.LoadMusic(path, path); });
        EXPECT_EQ(resources.musicStart.count(path), entry.path().extension() == ".mp3" ? 1u : 0u) << path;
    }
}

// Cost of deciding a track's loop points at load time: from the encoder's header (read a few
// kilobytes) and by silence detection (a full decode of the track).
#include "resources/Mp3LoopPoints.hpp"
#include "support/AudioFiles.hpp"

#include <SFML/Audio/Music.hpp>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

namespace
{
// Encoded once per run, in a temporary folder removed at exit.
class Tracks
{
public:
    fs::path withHeader; // 3 s stereo, lame defaults (Info header and encoder extension)
    fs::path bare;       // 60 s stereo, lame -t (no header: silence detection decides)

    static const Tracks& Get()
    {
        static const Tracks tracks;
        return tracks;
    }

    ~Tracks()
    {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

private:
    fs::path folder;

    Tracks()
    {
        std::string pattern = (fs::temp_directory_path() / "hingewalk-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot make a temporary folder");
        folder = pattern;
        withHeader = folder / "short.mp3";
        bare = folder / "long.mp3";
        testsupport::WriteWav(folder / "short.wav", testsupport::ToneWithSilence(44100, 2, 0.2, 2.5, 0.3), 2,
                              44100);
        testsupport::WriteWav(folder / "long.wav", testsupport::ToneWithSilence(44100, 2, 0.5, 59, 0.5), 2,
                              44100);
        if (!testsupport::EncodeMp3(folder / "short.wav", withHeader) ||
            !testsupport::EncodeMp3(folder / "long.wav", bare, "-t"))
            throw std::runtime_error("lame failed");
    }
};

// The decision lines would swamp the benchmark's own report.
class QuietStdout
{
public:
    QuietStdout() : previous(std::cout.rdbuf(sink.rdbuf())) {}
    ~QuietStdout() { std::cout.rdbuf(previous); }

private:
    std::ostringstream sink;
    std::streambuf* previous;
};

void BM_LoopPointsFromHeader(benchmark::State& state)
{
    const std::string path = Tracks::Get().withHeader.string();
    sf::Music music;
    if (!music.openFromFile(path))
    {
        state.SkipWithError("cannot open the encoded track");
        return;
    }
    const auto decoded =
        static_cast<std::int64_t>(std::llround(music.getDuration().asSeconds() * music.getSampleRate()));
    if (!ReadMp3Info(path).valid)
    {
        state.SkipWithError("the encoder header was not found");
        return;
    }
    for (auto _ : state)
    {
        const LoopSpan span = DecideLoopSpan(ReadMp3Info(path), decoded);
        benchmark::DoNotOptimize(span);
    }
}
BENCHMARK(BM_LoopPointsFromHeader)->Unit(benchmark::kMicrosecond);

void BM_ComputeLoopPointsFromHeader(benchmark::State& state)
{
    const std::string path = Tracks::Get().withHeader.string();
    sf::Music music;
    if (!music.openFromFile(path))
    {
        state.SkipWithError("cannot open the encoded track");
        return;
    }
    const QuietStdout quiet;
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeLoopPoints(music, path));
}
BENCHMARK(BM_ComputeLoopPointsFromHeader)->Unit(benchmark::kMicrosecond);

void BM_TrimBySilence60sStereo(benchmark::State& state)
{
    const std::string path = Tracks::Get().bare.string();
    sf::Music music;
    if (!music.openFromFile(path))
    {
        state.SkipWithError("cannot open the encoded track");
        return;
    }
    const QuietStdout quiet;
    if (!TrimBySilence(music, path))
    {
        state.SkipWithError("no loud sample found");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(TrimBySilence(music, path));
    state.counters["track_s"] = music.getDuration().asSeconds();
}
BENCHMARK(BM_TrimBySilence60sStereo)->Unit(benchmark::kMillisecond)->Iterations(5);
} // namespace

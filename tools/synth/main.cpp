// hingewalk-synth: renders one text score (data/music, data/sfx) to a 16-bit WAV file.
//
//   hingewalk-synth SCORE OUT.wav [--rate HZ] [--channels 1|2] [--preroll SAMPLES] [--peak DBFS]
//                   [--gain DB] [--levels]
//
// The output is normalised to the score's loudness target with its peaks kept under
// --peak; --gain sets a fixed gain instead. --levels prints each instrument's level.
// --preroll N puts the last N samples of a looping score in front of the loop, for players
// that skip that many samples before they start looping.
//
//   hingewalk-synth --check-mp3 MUSIC.mp3 RENDERED.wav [--no-header]
//
// checks that an encoded track will loop the way the WAV it came from was laid out.
#include "Mastering.hpp"
#include "Mp3Check.hpp"
#include "Renderer.hpp"
#include "Score.hpp"
#include "WavWriter.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace
{

struct Options
{
    std::string score;
    std::string output;
    int channels = 2;
    bool levels = false;
    synth::MasterSettings master;
};

[[noreturn]] void Usage(const std::string& problem)
{
    std::cerr << "hingewalk-synth: " << problem << "\n"
              << "usage: hingewalk-synth SCORE OUT.wav [--rate HZ] [--channels 1|2] [--preroll SAMPLES]"
                 " [--peak DBFS] [--gain DB] [--levels]\n"
                 "       hingewalk-synth --check-mp3 MUSIC.mp3 RENDERED.wav [--no-header]\n";
    std::exit(2);
}

double NumberArgument(const std::string& option, const std::string& text)
{
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !std::isfinite(v))
        Usage(option + " takes a number, not '" + text + "'");
    return v;
}

Options ReadOptions(int argc, char** argv)
{
    Options o;
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i)
    {
        const std::string a = argv[i];
        auto value = [&]()
        {
            if (i + 1 >= argc)
                Usage(a + " needs a value");
            return NumberArgument(a, argv[++i]);
        };
        if (a == "--rate")
            o.master.rate = static_cast<int>(value());
        else if (a == "--channels")
            o.channels = static_cast<int>(value());
        else if (a == "--preroll")
            o.master.preroll = static_cast<long>(value());
        else if (a == "--peak")
            o.master.peakDb = value();
        else if (a == "--gain")
        {
            // A fixed gain instead of normalising keeps renders of one score comparable.
            o.master.normalise = false;
            o.master.fixedGainDb = value();
        }
        else if (a == "--levels")
            o.levels = true;
        else if (!a.empty() && a[0] == '-')
            Usage("unknown option " + a);
        else
            positional.push_back(a);
    }
    if (positional.size() != 2)
        Usage("need a score and an output file");
    o.score = positional[0];
    o.output = positional[1];
    if (o.master.rate < 8000 || o.master.rate > 192000 || (o.channels != 1 && o.channels != 2) ||
        o.master.preroll < 0)
        Usage("bad --rate, --channels or --preroll");
    return o;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

double ToDb(double v)
{
    return v > 0.0 ? 20.0 * std::log10(v) : -999.0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::string(argv[1]) == "--check-mp3")
    {
        if (argc < 4 || argc > 5 || (argc == 5 && std::string(argv[4]) != "--no-header"))
            Usage("--check-mp3 takes MUSIC.mp3 RENDERED.wav [--no-header]");
        const std::string problem = synth::CheckMp3(argv[2], argv[3], argc == 4);
        if (problem.empty())
            return 0;
        // A file that would loop wrongly must not look up to date to the next build.
        std::remove(argv[2]);
        std::cerr << "hingewalk-synth: " << problem << "\n";
        return 1;
    }
    const Options opt = ReadOptions(argc, argv);
    try
    {
        const synth::Score score = synth::ParseScore(ReadFile(opt.score), opt.score);
        std::vector<synth::PartLevel> levels;
        const synth::Stereo mix = synth::RenderScore(score, opt.master.rate, opt.levels ? &levels : nullptr);

        synth::Channels channels;
        if (opt.channels == 2)
            channels = {mix.left, mix.right};
        else
        {
            std::vector<float> mono(mix.left.size());
            for (std::size_t i = 0; i < mono.size(); ++i)
                mono[i] = 0.5f * (mix.left[i] + mix.right[i]);
            channels = {mono};
        }
        const synth::MasterReport report = synth::Master(score, channels, opt.master);
        synth::WriteWav(opt.output, channels, opt.master.rate);

        for (const synth::PartLevel& p : levels)
            std::printf("  %-16s %6.1f dB\n", p.instrument.c_str(), ToDb(p.rms * report.gain));
        double peak = 0.0, energy = 0.0;
        for (const auto& ch : channels)
            for (float v : ch)
            {
                peak = std::max(peak, static_cast<double>(std::fabs(v)));
                energy += static_cast<double>(v) * v;
            }
        const double rms = std::sqrt(energy / static_cast<double>(channels.size() * channels[0].size()));
        std::printf("%s: %.3f s, %d Hz, %d ch, peak %.1f dBFS, rms %.1f dBFS%s\n", opt.output.c_str(),
                    static_cast<double>(channels[0].size()) / opt.master.rate, opt.master.rate, opt.channels,
                    ToDb(peak), ToDb(rms), report.peakLimited ? " (peak-limited)" : "");
    }
    catch (const synth::ScoreError& e)
    {
        std::cerr << "hingewalk-synth: " << e.what() << "\n"; // already names the file and line
        return 1;
    }
    catch (const std::exception& e)
    {
        std::cerr << "hingewalk-synth: " << opt.score << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}

#include "Mastering.hpp"

#include "Dsp.hpp"

#include <cmath>
#include <stdexcept>

namespace synth
{

namespace
{

// In music, peaks may go up to 4 dB over the ceiling before the soft clipper folds them
// under it: only drum hits get there, and a little rounding of those costs nothing audible.
// Effects are single hits whose attack should stay clean, so they get none.
constexpr double ClipHeadroom = 1.58;
constexpr double ClipKnee = 0.6;

// Straight below the knee; above it bends smoothly towards the ceiling without reaching it.
double SoftClip(double x, double ceiling)
{
    const double a = std::fabs(x) / ceiling;
    if (a <= ClipKnee)
        return x;
    const double bent = ClipKnee + (1.0 - ClipKnee) * std::tanh((a - ClipKnee) / (1.0 - ClipKnee));
    return std::copysign(bent * ceiling, x);
}

// The hum is tuned to a whole number of cycles per loop and starts at its crest, so the
// loop's first and last samples sit near its full (small) amplitude and join smoothly.
// It is added after the level is set, so its level is absolute.
void AddHum(const Score& score, Channels& channels, int rate)
{
    if (score.humDb <= -200.0 || channels[0].empty())
        return;
    const auto n = static_cast<double>(channels[0].size());
    const double freq = 440.0 * std::exp2((score.humMidi - 69.0) / 12.0);
    const double cycles = std::max(1.0, std::round(freq * n / rate));
    const double amp = DbToGain(score.humDb);
    for (auto& ch : channels)
        for (std::size_t i = 0; i < ch.size(); ++i)
            ch[i] += static_cast<float>(amp * std::cos(2.0 * Pi * cycles * static_cast<double>(i) / n));
}

// Cuts 10 ms after the last sample above -60 dBFS and fades those 10 ms out.
void TrimTail(Channels& channels, int rate)
{
    std::size_t last = 0;
    for (const auto& ch : channels)
        for (std::size_t i = 0; i < ch.size(); ++i)
            if (std::fabs(ch[i]) > 1e-3f)
                last = std::max(last, i + 1);
    const auto fade = static_cast<std::size_t>(rate / 100);
    last = std::min(channels[0].size(), last + fade);
    for (auto& ch : channels)
    {
        ch.resize(last);
        for (std::size_t k = 0; k < fade && k < last; ++k)
            ch[last - 1 - k] *= static_cast<float>(k) / static_cast<float>(fade);
    }
}

void AddPreroll(Channels& channels, std::size_t preroll)
{
    if (preroll > channels[0].size())
        throw std::runtime_error("the loop is shorter than the preroll");
    for (auto& ch : channels)
    {
        std::vector<float> out(ch.end() - static_cast<std::ptrdiff_t>(preroll), ch.end());
        out.insert(out.end(), ch.begin(), ch.end());
        ch = std::move(out);
    }
}

} // namespace

MasterReport Master(const Score& score, Channels& channels, const MasterSettings& settings)
{
    if (channels.empty())
        throw std::runtime_error("nothing to master");
    double peak = 0.0, energy = 0.0;
    std::size_t samples = 0;
    for (const auto& ch : channels)
        for (float v : ch)
        {
            peak = std::max(peak, static_cast<double>(std::fabs(v)));
            energy += static_cast<double>(v) * v;
            ++samples;
        }
    if (peak <= 0.0)
        throw std::runtime_error("the score renders to silence");

    // The score's loudness target, unless that would push the peaks over the ceiling.
    const bool loop = score.mode == Mode::Loop;
    const double ceiling = DbToGain(settings.peakDb);
    const double byLevel = DbToGain(score.levelDb) / std::sqrt(energy / static_cast<double>(samples));
    const double byPeak = ceiling * (loop ? ClipHeadroom : 1.0) / peak;
    MasterReport report;
    report.gain = settings.normalise ? std::min(byLevel, byPeak) : DbToGain(settings.fixedGainDb);
    report.peakLimited = settings.normalise && byPeak < byLevel;

    for (auto& ch : channels)
        for (float& v : ch)
            v = static_cast<float>(v * report.gain);
    AddHum(score, channels, settings.rate);
    if (settings.normalise && loop)
        for (auto& ch : channels)
            for (float& v : ch)
                v = static_cast<float>(SoftClip(v, ceiling));

    if (!loop)
        TrimTail(channels, settings.rate);
    else if (settings.preroll > 0)
        AddPreroll(channels, static_cast<std::size_t>(settings.preroll));
    return report;
}

} // namespace synth

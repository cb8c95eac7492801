#include "Renderer.hpp"

#include "Effects.hpp"
#include "Random.hpp"
#include "Voice.hpp"

#include <algorithm>
#include <cmath>

namespace synth
{

namespace
{

// Runs an effect over the buffer. For a loop it first runs over the loop once to fill the
// effect's memory, as if the music had been playing for a while.
template <class Effect> void Run(Effect& fx, Stereo& s, bool loop)
{
    const std::size_t n = s.left.size();
    if (loop)
    {
        for (std::size_t i = 0; i < n; ++i)
        {
            float l = s.left[i];
            float r = s.right[i];
            fx.Process(l, r);
        }
    }
    for (std::size_t i = 0; i < n; ++i)
        fx.Process(s.left[i], s.right[i]);
}

double BeatToSeconds(const Score& score, double beat)
{
    double shift = 0.0;
    if (score.swing != 0.0)
    {
        const double units = beat / score.swingUnit;
        const double nearest = std::round(units);
        if (std::fabs(units - nearest) < 1e-6 && std::fmod(std::fabs(nearest), 2.0) == 1.0)
            shift = score.swing * score.swingUnit;
    }
    return (beat + shift) * score.SecondsPerBeat();
}

void AddVoice(Stereo& dest, const std::vector<float>& voice, long long start, double pan, bool loop)
{
    const double angle = (pan + 1.0) * Pi / 4.0;
    const auto gl = static_cast<float>(std::cos(angle) * std::sqrt(2.0));
    const auto gr = static_cast<float>(std::sin(angle) * std::sqrt(2.0));
    const auto n = static_cast<long long>(dest.left.size());
    for (std::size_t k = 0; k < voice.size(); ++k)
    {
        long long idx = start + static_cast<long long>(k);
        if (loop)
            idx = ((idx % n) + n) % n;
        else if (idx < 0 || idx >= n)
            continue;
        dest.left[static_cast<std::size_t>(idx)] += voice[k] * gl;
        dest.right[static_cast<std::size_t>(idx)] += voice[k] * gr;
    }
}

} // namespace

Stereo RenderScore(const Score& score, double rate, std::vector<PartLevel>* levels)
{
    const bool loop = score.mode == Mode::Loop;
    const double songSeconds = score.TotalBeats() * score.SecondsPerBeat();
    const double seconds = loop ? songSeconds : songSeconds + score.tailSeconds;
    const auto length = static_cast<std::size_t>(std::llround(seconds * rate));

    Stereo master{std::vector<float>(length, 0.0f), std::vector<float>(length, 0.0f)};
    Stereo reverbBus = master;
    const std::vector<Event> events = score.Flatten();

    Stereo part = master;
    for (std::size_t ii = 0; ii < score.instruments.size(); ++ii)
    {
        const Instrument& ins = score.instruments[ii];
        std::fill(part.left.begin(), part.left.end(), 0.0f);
        std::fill(part.right.begin(), part.right.end(), 0.0f);
        bool used = false;
        for (std::size_t ei = 0; ei < events.size(); ++ei)
        {
            const Event& e = events[ei];
            if (e.instrument != static_cast<int>(ii))
                continue;
            used = true;
            Random human(MixSeed(ii + 1, ei + 1));
            const double jitter = ins.humanTimeMs * 0.001 * human.Bipolar();
            const double velocity = e.velocity * (1.0 + ins.humanVel * human.Bipolar());
            VoiceRequest req{440.0 * std::exp2((e.midi + ins.transpose - 69.0) / 12.0),
                             e.lengthBeats * score.SecondsPerBeat(), velocity, human.Next(), rate};
            const auto start =
                static_cast<long long>(std::llround((BeatToSeconds(score, e.beat) + jitter) * rate));
            AddVoice(part, RenderVoice(ins, req), start, ins.pan, loop);
        }
        if (!used)
            continue;

        if (ins.chorusMix > 0.0)
        {
            // A loop must hold a whole number of sweeps, or the second pass would not match the first.
            double lfo = ins.chorusRate;
            if (loop)
                lfo = std::max(1.0, std::round(ins.chorusRate * seconds)) / seconds;
            Chorus chorus(ins.chorusMix, ins.chorusDepthMs, lfo, rate);
            Run(chorus, part, loop);
        }
        if (ins.echoMix > 0.0)
        {
            Echo echo(ins.echoBeats * score.SecondsPerBeat(), ins.echoFeedback, ins.echoMix, rate);
            Run(echo, part, loop);
        }
        const auto send = static_cast<float>(ins.reverbSend);
        double energy = 0.0;
        for (std::size_t i = 0; i < length; ++i)
        {
            const double m = 0.5 * (part.left[i] + part.right[i]);
            energy += m * m;
            master.left[i] += part.left[i];
            master.right[i] += part.right[i];
            reverbBus.left[i] += part.left[i] * send;
            reverbBus.right[i] += part.right[i] * send;
        }
        if (levels)
            levels->push_back(
                {ins.name, std::sqrt(energy / static_cast<double>(std::max<std::size_t>(length, 1)))});
    }

    Reverb reverb(score.reverbSize, score.reverbDamp, score.reverbWidth, rate);
    Run(reverb, reverbBus, loop);
    if (levels)
    {
        double energy = 0.0;
        for (std::size_t i = 0; i < length; ++i)
        {
            const double m = 0.5 * (reverbBus.left[i] + reverbBus.right[i]);
            energy += m * m;
        }
        levels->push_back(
            {"(reverb)", std::sqrt(energy / static_cast<double>(std::max<std::size_t>(length, 1)))});
    }
    for (std::size_t i = 0; i < length; ++i)
    {
        master.left[i] += reverbBus.left[i];
        master.right[i] += reverbBus.right[i];
    }
    DcBlocker dc(rate);
    Run(dc, master, loop);
    return master;
}

} // namespace synth

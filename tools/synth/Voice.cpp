#include "Voice.hpp"

#include "Dsp.hpp"
#include "Random.hpp"

#include <cmath>
#include <optional>

namespace synth
{

namespace
{

// Attack, decay to the sustain level, and a release from wherever the note-off finds it.
class Envelope
{
public:
    Envelope(const Instrument& ins, double hold)
        : attack(ins.attack), decayRate(DecayRate(ins.decay)), sustain(ins.sustain),
          releaseRate(DecayRate(ins.release)), hasDecay(ins.decay > 0.0)
    {
        // A note whose level has died away needs no release however long it is held.
        noteOff = sustain > 0.0 ? hold : std::min(hold, ins.attack + ins.decay);
        offLevel = Held(noteOff);
        length = noteOff + ins.release + Fade;
    }

    double Level(double t) const
    {
        double level = t < noteOff ? Held(t) : offLevel * std::exp(-releaseRate * (t - noteOff));
        if (releaseRate == 0.0 && t >= noteOff)
            level = 0.0;
        // A short ramp at the very end keeps the cut silent.
        return level * std::clamp((length - t) / Fade, 0.0, 1.0);
    }

    double length = 0.0;

private:
    static constexpr double Fade = 0.003;

    double Held(double t) const
    {
        if (t < attack)
            return t / attack;
        if (!hasDecay)
            return sustain;
        return sustain + (1.0 - sustain) * std::exp(-decayRate * (t - attack));
    }

    double attack, decayRate, sustain, releaseRate;
    bool hasDecay;
    double noteOff = 0.0;
    double offLevel = 0.0;
};

double BendAt(const std::vector<BendPoint>& bend, double t)
{
    if (bend.empty())
        return 0.0;
    if (t <= bend.front().time)
        return bend.front().semitones;
    for (std::size_t i = 1; i < bend.size(); ++i)
    {
        const BendPoint& a = bend[i - 1];
        const BendPoint& b = bend[i];
        if (t <= b.time)
        {
            const double span = b.time - a.time;
            return span > 0.0 ? a.semitones + (b.semitones - a.semitones) * (t - a.time) / span : b.semitones;
        }
    }
    return bend.back().semitones;
}

void ApplyFilter(Svf& f, FilterType type, double& x)
{
    f.Process(x);
    switch (type)
    {
    case FilterType::LowPass: x = f.low; break;
    case FilterType::HighPass: x = f.high; break;
    case FilterType::BandPass: x = f.NormalisedBand(); break;
    case FilterType::None: break;
    }
}

// Karplus-Strong string: a noise burst circulating in a tuned, slightly lossy delay line.
class Pluck
{
public:
    Pluck(double frequency, double decay, double bright, double rate, Random& rng)
    {
        const double period = rate / std::max(frequency, 20.0);
        // The averaging loop filter adds half a sample of delay; an all-pass supplies the fraction.
        const double whole = std::floor(period - 0.5 - 0.1);
        const double frac = period - 0.5 - whole;
        allpass = (1.0 - frac) / (1.0 + frac);
        line.assign(static_cast<std::size_t>(std::max(whole, 2.0)), 0.0);
        loss = std::pow(10.0, -3.0 / (std::max(frequency, 20.0) * std::max(decay, 0.01)));
        double smooth = 0.0, mean = 0.0;
        const double a = std::clamp(bright, 0.05, 1.0);
        for (double& s : line)
        {
            smooth += a * (rng.Bipolar() - smooth);
            s = smooth;
            mean += smooth;
        }
        mean /= static_cast<double>(line.size());
        for (double& s : line)
            s -= mean;
    }

    double Next()
    {
        const double out = line[pos];
        const double averaged = loss * 0.5 * (out + previous);
        previous = out;
        const double y = allpass * averaged + apIn - allpass * apOut;
        apIn = averaged;
        apOut = y;
        line[pos] = y;
        pos = (pos + 1) % line.size();
        return out;
    }

private:
    std::vector<double> line;
    std::size_t pos = 0;
    double loss = 0.99;
    double allpass = 0.0;
    double previous = 0.0;
    double apIn = 0.0;
    double apOut = 0.0;
};

} // namespace

std::vector<float> RenderVoice(const Instrument& ins, const VoiceRequest& req)
{
    const double rate = req.rate;
    const Envelope env(ins, std::max(req.holdSeconds, 0.001));
    const std::size_t count = static_cast<std::size_t>(std::ceil(env.length * rate));
    std::vector<float> out(count, 0.0f);
    Random rng(req.seed);

    const double gain =
        DbToGain(ins.volumeDb) * std::pow(std::clamp(req.velocity, 0.0, 1.0), ins.velocityCurve);

    std::vector<double> phases(static_cast<std::size_t>(std::max(ins.unison, 1)), 0.0);
    if (ins.wave == Wave::SuperSaw)
        for (double& p : phases)
            p = rng.Uniform();
    std::vector<double> partialPhase(ins.partials.size(), 0.0);
    double partialNorm = 0.0;
    for (const Partial& p : ins.partials)
        partialNorm += std::fabs(p.amp);
    partialNorm = partialNorm > 0.0 ? 1.0 / partialNorm : 0.0;
    double modPhase = 0.0;
    double impulseStretch = 1.0;
    std::optional<Pluck> pluck;
    if (ins.wave == Wave::Pluck)
        pluck.emplace(req.frequency, ins.pluckDecay, ins.pluckBright, rate, rng);

    Svf filter, noiseFilter;
    std::vector<Svf> formants(ins.formants.size());
    double keyFactor = std::pow(req.frequency / 261.6256, ins.keyTrack);
    // With key tracking the filter follows bends and vibrato too, so a bent note sweeps it.
    const bool pitchMoves = !ins.bend.empty() || ins.sweepSemis != 0.0 || ins.vibDepth != 0.0;
    const bool filterMoves = ins.filterEnvOct != 0.0 || (ins.keyTrack != 0.0 && pitchMoves);
    if (ins.filter.type != FilterType::None)
        filter.Set(ins.filter.cutoff * keyFactor * std::exp2(ins.filterEnvOct), ins.filter.q, rate);
    if (ins.noiseFilter.type != FilterType::None)
        noiseFilter.Set(ins.noiseFilter.cutoff, ins.noiseFilter.q, rate);
    for (std::size_t k = 0; k < formants.size(); ++k)
        formants[k].Set(ins.formants[k].freq, ins.formants[k].q, rate);

    const double sweepRate = DecayRate(ins.sweepTime);
    const double fmRate = DecayRate(ins.fmDecay);
    const double noiseRate = DecayRate(ins.noiseDecay);
    const double filterRate = DecayRate(ins.filterEnvDecay);
    std::vector<double> partialRate;
    for (const Partial& p : ins.partials)
        partialRate.push_back(DecayRate(p.decay));
    const double driveNorm = ins.drive > 0.0 ? 1.0 / std::tanh(ins.drive) : 1.0;

    for (std::size_t i = 0; i < count; ++i)
    {
        const double t = static_cast<double>(i) / rate;
        double semis = BendAt(ins.bend, t);
        if (ins.sweepSemis != 0.0)
            semis += ins.sweepSemis * std::exp(-sweepRate * t);
        if (ins.vibDepth != 0.0 && t > ins.vibDelay)
        {
            const double since = t - ins.vibDelay;
            semis += ins.vibDepth * std::min(since / 0.25, 1.0) * std::sin(2.0 * Pi * ins.vibRate * since);
        }
        const double freq = req.frequency * std::exp2(semis / 12.0);
        const double dt = std::min(freq / rate, 0.49);

        double x = 0.0;
        switch (ins.wave)
        {
        case Wave::None: break;
        case Wave::Sine: x = std::sin(2.0 * Pi * phases[0]); break;
        case Wave::Triangle:
        {
            const double p = std::fmod(phases[0] + 0.25, 1.0);
            x = 1.0 - 4.0 * std::fabs(p - 0.5);
            break;
        }
        case Wave::Saw: x = 2.0 * phases[0] - 1.0 - PolyBlep(phases[0], dt); break;
        case Wave::Square:
        case Wave::Pulse:
        {
            const double duty = ins.wave == Wave::Square ? 0.5 : ins.duty;
            const double p = phases[0];
            x = (p < duty ? 1.0 : -1.0) + PolyBlep(p, dt) - PolyBlep(std::fmod(p + 1.0 - duty, 1.0), dt);
            x -= 2.0 * duty - 1.0;
            break;
        }
        case Wave::Noise: x = rng.Bipolar(); break;
        case Wave::SuperSaw:
        {
            const int n = static_cast<int>(phases.size());
            for (int v = 0; v < n; ++v)
            {
                const double spread = n > 1 ? (2.0 * v / (n - 1) - 1.0) : 0.0;
                const double vdt = std::min(dt * std::exp2(spread * ins.detuneCents / 1200.0), 0.49);
                double& p = phases[static_cast<std::size_t>(v)];
                x += 2.0 * p - 1.0 - PolyBlep(p, vdt);
                p += vdt;
                p -= std::floor(p);
            }
            x /= std::sqrt(static_cast<double>(n));
            break;
        }
        case Wave::Fm:
        {
            double index = ins.fmIndex;
            if (ins.fmDecay > 0.0)
                index = ins.fmSustain + (ins.fmIndex - ins.fmSustain) * std::exp(-fmRate * t);
            x = std::sin(2.0 * Pi * phases[0] + index * std::sin(2.0 * Pi * modPhase));
            modPhase += dt * ins.fmRatio;
            modPhase -= std::floor(modPhase);
            break;
        }
        case Wave::Pluck: x = pluck->Next(); break;
        case Wave::Partials:
            for (std::size_t k = 0; k < ins.partials.size(); ++k)
            {
                const Partial& p = ins.partials[k];
                if (freq * p.ratio < rate * 0.45)
                {
                    double a = p.amp;
                    if (p.decay > 0.0)
                        a *= std::exp(-partialRate[k] * t);
                    x += a * std::sin(2.0 * Pi * partialPhase[k]);
                }
                partialPhase[k] += dt * p.ratio;
                partialPhase[k] -= std::floor(partialPhase[k]);
            }
            x *= partialNorm;
            break;
        case Wave::Impulse:
            if (phases[0] + dt * impulseStretch >= 1.0)
            {
                x = 1.0;
                impulseStretch = 1.0 / std::max(0.2, 1.0 + ins.jitter * rng.Bipolar());
            }
            break;
        }
        if (ins.wave != Wave::SuperSaw)
        {
            const double step = ins.wave == Wave::Impulse ? dt * impulseStretch : dt;
            phases[0] += step;
            phases[0] -= std::floor(phases[0]);
        }

        if (ins.noiseLevel != 0.0)
        {
            double n = ins.noiseLevel * rng.Bipolar();
            if (ins.noiseDecay > 0.0)
                n *= std::exp(-noiseRate * t);
            if (ins.noiseFilter.type != FilterType::None)
                ApplyFilter(noiseFilter, ins.noiseFilter.type, n);
            x += n;
        }

        if (ins.filter.type != FilterType::None)
        {
            if (filterMoves && ins.keyTrack != 0.0)
                keyFactor = std::pow(freq / 261.6256, ins.keyTrack);
            if (filterMoves)
                filter.Set(ins.filter.cutoff * keyFactor *
                               std::exp2(ins.filterEnvOct * std::exp(-filterRate * t)),
                           ins.filter.q, rate);
            ApplyFilter(filter, ins.filter.type, x);
        }
        if (!formants.empty())
        {
            double sum = 0.0;
            for (std::size_t k = 0; k < formants.size(); ++k)
            {
                formants[k].Process(x);
                sum += ins.formants[k].gain * formants[k].NormalisedBand();
            }
            x = sum;
        }
        if (ins.drive > 0.0)
            x = std::tanh(ins.drive * x) * driveNorm;

        double amp = env.Level(t) * gain;
        if (ins.tremDepth != 0.0)
            amp *= 1.0 - ins.tremDepth * 0.5 * (1.0 - std::cos(2.0 * Pi * ins.tremRate * t));
        out[i] = static_cast<float>(x * amp);
    }
    return out;
}

} // namespace synth

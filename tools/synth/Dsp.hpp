#pragma once

#include <algorithm>
#include <cmath>

namespace synth
{

constexpr double Pi = 3.14159265358979323846;

// Turns "time to fall by 60 dB" into the rate of exp(-rate * t).
inline double DecayRate(double seconds)
{
    return seconds > 0.0 ? 6.907755278982137 / seconds : 0.0;
}

inline double DbToGain(double db)
{
    return std::pow(10.0, db / 20.0);
}

// Band-limited step correction for saw and pulse waves; t is the phase in [0, 1), dt the
// phase increment per sample.
inline double PolyBlep(double t, double dt)
{
    if (t < dt)
    {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt)
    {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

// Two-pole state-variable filter (trapezoidal integration). Stays stable while its cutoff
// moves every sample, which the filter envelopes need.
class Svf
{
public:
    void Set(double cutoff, double q, double rate)
    {
        cutoff = std::clamp(cutoff, 10.0, rate * 0.45);
        const double g = std::tan(Pi * cutoff / rate);
        k = 1.0 / q;
        a1 = 1.0 / (1.0 + g * (g + k));
        a2 = g * a1;
        a3 = g * a2;
    }

    void Process(double v0)
    {
        const double v3 = v0 - ic2;
        const double v1 = a1 * ic1 + a2 * v3;
        const double v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2.0 * v1 - ic1;
        ic2 = 2.0 * v2 - ic2;
        low = v2;
        band = v1;
        high = v0 - k * v1 - v2;
    }

    // Band output scaled to unit gain at the centre frequency.
    double NormalisedBand() const { return band * k; }

    double low = 0.0;
    double band = 0.0;
    double high = 0.0;

private:
    double k = 1.0, a1 = 0.0, a2 = 0.0, a3 = 0.0;
    double ic1 = 0.0, ic2 = 0.0;
};

// One-pole low-pass; the high-pass is the input minus it.
class OnePole
{
public:
    void Set(double cutoff, double rate) { a = 1.0 - std::exp(-2.0 * Pi * cutoff / rate); }
    double LowPass(double x) { return state += a * (x - state); }
    double HighPass(double x) { return x - LowPass(x); }

private:
    double a = 1.0;
    double state = 0.0;
};

} // namespace synth

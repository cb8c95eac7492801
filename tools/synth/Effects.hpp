#pragma once

#include "Dsp.hpp"

#include <vector>

namespace synth
{

// The effects work sample by sample on a stereo pair, so the renderer can run them over a
// loop twice and keep the second pass: then their tails wrap round into the loop's start.

// Schroeder-Moorer reverb in the well-known "freeverb" layout: eight damped combs and four
// all-passes per side, the right side's lines slightly longer for width. Output is wet only.
class Reverb
{
public:
    Reverb(double size, double damp, double width, double rate);
    void Process(float& left, float& right);

private:
    struct Comb
    {
        std::vector<float> line;
        std::size_t pos = 0;
        float store = 0.0f;
        float Process(float in, float feedback, float damp);
    };
    struct AllPass
    {
        std::vector<float> line;
        std::size_t pos = 0;
        float Process(float in);
    };
    Comb combs[2][8];
    AllPass allpasses[2][4];
    float feedback, damp, wet1, wet2;
    OnePole lowCut;
};

// Ping-pong echo with a darkened feedback path, added to the dry signal.
class Echo
{
public:
    Echo(double delaySeconds, double feedback, double mix, double rate);
    void Process(float& left, float& right);

private:
    std::vector<float> lineL, lineR;
    std::size_t pos = 0;
    float feedback, mix;
    OnePole toneL, toneR;
};

// Two swept delay taps, a quarter cycle apart between the sides.
class Chorus
{
public:
    Chorus(double mix, double depthMs, double lfoRate, double rate);
    void Process(float& left, float& right);

private:
    float Tap(const std::vector<float>& line, double delay) const;
    std::vector<float> lineL, lineR;
    std::size_t pos = 0;
    std::size_t time = 0;
    double mix, base, depth, lfoStep;
};

// Removes any DC offset the mix may carry (a 10 Hz high-pass).
class DcBlocker
{
public:
    explicit DcBlocker(double rate) : r(1.0 - 2.0 * Pi * 10.0 / rate) {}
    void Process(float& left, float& right)
    {
        left = static_cast<float>(Step(left, xl, yl));
        right = static_cast<float>(Step(right, xr, yr));
    }

private:
    double Step(double x, double& px, double& py) const
    {
        const double y = x - px + r * py;
        px = x;
        py = y;
        return y;
    }
    double r;
    double xl = 0.0, yl = 0.0, xr = 0.0, yr = 0.0;
};

} // namespace synth

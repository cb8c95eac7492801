#include "Effects.hpp"

#include <cmath>

namespace synth
{

namespace
{

constexpr int CombTuning[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr int AllPassTuning[4] = {556, 441, 341, 225};
constexpr int StereoSpread = 23;

std::size_t Scaled(int samples, double rate)
{
    return static_cast<std::size_t>(std::lround(samples * rate / 44100.0));
}

} // namespace

float Reverb::Comb::Process(float in, float fb, float dampening)
{
    const float out = line[pos];
    store = out * (1.0f - dampening) + store * dampening;
    line[pos] = in + store * fb;
    pos = (pos + 1) % line.size();
    return out;
}

float Reverb::AllPass::Process(float in)
{
    const float delayed = line[pos];
    line[pos] = in + delayed * 0.5f;
    pos = (pos + 1) % line.size();
    return delayed - in;
}

Reverb::Reverb(double size, double dampAmount, double width, double rate)
    : feedback(static_cast<float>(0.7 + 0.28 * size)), damp(static_cast<float>(0.4 * dampAmount)),
      wet1(static_cast<float>(3.0 * (width / 2.0 + 0.5))), wet2(static_cast<float>(3.0 * (1.0 - width) / 2.0))
{
    for (int side = 0; side < 2; ++side)
    {
        for (int c = 0; c < 8; ++c)
            combs[side][c].line.assign(Scaled(CombTuning[c] + side * StereoSpread, rate), 0.0f);
        for (int a = 0; a < 4; ++a)
            allpasses[side][a].line.assign(Scaled(AllPassTuning[a] + side * StereoSpread, rate), 0.0f);
    }
    // Bass in a reverb only muddies the mix.
    lowCut.Set(180.0, rate);
}

void Reverb::Process(float& left, float& right)
{
    const float in = static_cast<float>(lowCut.HighPass(0.5 * (left + right))) * 0.015f;
    float out[2] = {0.0f, 0.0f};
    for (int side = 0; side < 2; ++side)
    {
        for (Comb& c : combs[side])
            out[side] += c.Process(in, feedback, damp);
        for (AllPass& a : allpasses[side])
            out[side] = a.Process(out[side]);
    }
    left = out[0] * wet1 + out[1] * wet2;
    right = out[1] * wet1 + out[0] * wet2;
}

Echo::Echo(double delaySeconds, double fb, double wet, double rate)
    : lineL(std::max<std::size_t>(1, static_cast<std::size_t>(std::lround(delaySeconds * rate))), 0.0f),
      lineR(lineL.size(), 0.0f), feedback(static_cast<float>(fb)), mix(static_cast<float>(wet))
{
    toneL.Set(3500.0, rate);
    toneR.Set(3500.0, rate);
}

void Echo::Process(float& left, float& right)
{
    const float outL = lineL[pos];
    const float outR = lineR[pos];
    // The dry signal enters on the left; each repeat crosses to the other side.
    lineL[pos] = 0.5f * (left + right) + feedback * static_cast<float>(toneL.LowPass(outR));
    lineR[pos] = feedback * static_cast<float>(toneR.LowPass(outL));
    pos = (pos + 1) % lineL.size();
    left += mix * outL;
    right += mix * outR;
}

Chorus::Chorus(double wet, double depthMs, double lfoRate, double rate)
    : mix(wet), base(0.012 * rate), depth(depthMs * 0.001 * rate), lfoStep(lfoRate / rate)
{
    const auto size = static_cast<std::size_t>(base + depth + 4.0);
    lineL.assign(size, 0.0f);
    lineR.assign(size, 0.0f);
}

float Chorus::Tap(const std::vector<float>& line, double delay) const
{
    const double read = static_cast<double>(pos) + static_cast<double>(line.size()) - delay;
    const auto i0 = static_cast<std::size_t>(read);
    const double frac = read - std::floor(read);
    const float a = line[i0 % line.size()];
    const float b = line[(i0 + 1) % line.size()];
    return static_cast<float>(a + (b - a) * frac);
}

void Chorus::Process(float& left, float& right)
{
    lineL[pos] = left;
    lineR[pos] = right;
    const double phase = 2.0 * Pi * lfoStep * static_cast<double>(time++);
    const double dl = base + depth * std::sin(phase);
    const double dr = base + depth * std::sin(phase + Pi / 2.0);
    const float wl = Tap(lineL, dl);
    const float wr = Tap(lineR, dr);
    pos = (pos + 1) % lineL.size();
    left = static_cast<float>(left + mix * wl);
    right = static_cast<float>(right + mix * wr);
}

} // namespace synth

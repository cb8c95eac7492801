#pragma once

#include <cstdint>

namespace synth
{

// SplitMix64. The standard library's distributions may differ between library versions;
// this one is a few fixed lines of arithmetic, so every build draws the same numbers.
class Random
{
public:
    explicit Random(std::uint64_t seed) : state(seed) {}

    std::uint64_t Next()
    {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1).
    double Uniform() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

    // Uniform in [-1, 1).
    double Bipolar() { return Uniform() * 2.0 - 1.0; }

private:
    std::uint64_t state;
};

inline std::uint64_t MixSeed(std::uint64_t a, std::uint64_t b)
{
    Random r(a * 0x100000001B3ull ^ (b + 0x632BE59BD9B4E019ull));
    return r.Next();
}

} // namespace synth

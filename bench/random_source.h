// A small seeded random source that gives the same numbers on every platform and compiler, unlike the
// standard distributions, so that a drawing made from a seed is the same drawing everywhere.
#pragma once

#include <cstdint>

class RandomSource {
  public:
    explicit RandomSource(uint64_t seed) : state(seed) {}

    // SplitMix64.
    uint64_t next() {
        uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }

    // Uniform in [low, high), from the top 53 bits.
    double uniform(double low, double high) { return low + (high - low) * ((next() >> 11) * 0x1.0p-53); }

    // Uniform in 0..count-1.
    int below(int count) { return static_cast<int>(next() % static_cast<uint64_t>(count)); }

    bool chance(double probability) { return uniform(0.0, 1.0) < probability; }

  private:
    uint64_t state;
};

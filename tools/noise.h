// Seeded noise and random numbers. Everything the generator makes comes from
// these with fixed seeds, so every run writes the same bytes.
#pragma once

#include <cstdint>

namespace assets {

// Perlin noise in about -1..1; `seed` picks one of 256 permutations.
float perlin(float x, float y, float z, int seed);

// Fractal sum of `octaves` layers, each twice the frequency and `gain` times
// the amplitude of the one before; normalised to about -1..1.
float fbm(float x, float y, float z, int octaves, int seed, float gain = 0.5f);

// Sum of |noise| layers: creases and veins, about 0..1.
float turbulence(float x, float y, float z, int octaves, int seed);

// Small counter-based generator (SplitMix64): the same sequence everywhere.
class Random {
  public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t next();
    double uniform();                    // 0 <= u < 1
    double range(double lo, double hi);  // lo <= v < hi
    int below(int n);                    // 0 <= i < n

  private:
    uint64_t state_;
};

// A well-mixed hash of two integers, for per-cell choices.
uint64_t hash2(int64_t a, int64_t b);

}  // namespace assets

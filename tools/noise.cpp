#include "tools/noise.h"

#include <stb_perlin.h>

#include <cmath>

namespace assets {

float perlin(float x, float y, float z, int seed) {
    return stb_perlin_noise3_seed(x, y, z, 0, 0, 0, seed & 255);
}

float fbm(float x, float y, float z, int octaves, int seed, float gain) {
    float sum = 0.0f, amplitude = 1.0f, norm = 0.0f, f = 1.0f;
    for (int i = 0; i < octaves; ++i) {
        // Each octave gets its own permutation and a shift, so layers do not
        // line up at the lattice points.
        sum += amplitude *
               perlin(x * f + 17.3f * i, y * f - 9.1f * i, z * f + 5.7f * i, seed + 31 * i);
        norm += amplitude;
        amplitude *= gain;
        f *= 2.0f;
    }
    return sum / norm;
}

float turbulence(float x, float y, float z, int octaves, int seed) {
    float sum = 0.0f, amplitude = 1.0f, norm = 0.0f, f = 1.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * std::fabs(perlin(x * f + 3.1f * i, y * f + 7.7f * i, z * f - 2.3f * i,
                                            seed + 57 * i));
        norm += amplitude;
        amplitude *= 0.5f;
        f *= 2.0f;
    }
    return sum / norm;
}

uint64_t Random::next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Random::uniform() {
    return double(next() >> 11) * (1.0 / 9007199254740992.0);
}

double Random::range(double lo, double hi) {
    return lo + (hi - lo) * uniform();
}

int Random::below(int n) {
    return int(uniform() * n);
}

uint64_t hash2(int64_t a, int64_t b) {
    Random r(uint64_t(a) * 0x9E3779B97F4A7C15ull ^ (uint64_t(b) + 0x632BE59BD9B4E019ull));
    return r.next();
}

}  // namespace assets

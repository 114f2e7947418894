#include "tools/textures.h"

#include <algorithm>
#include <cmath>

#include "tools/noise.h"
#include "tools/scene_frame.h"

namespace assets {
namespace {

// Per-texel grain in -1..1 from a hash: the finest detail costs no noise call.
float grain(int x, int y, int seed) {
    return float(hash2(x + 7919 * seed, y) >> 40) / float(1 << 23) - 1.0f;
}

// A slowly varying field sampled on a coarse grid over the scene and read
// back bilinearly, for what needs no per-texel precision.
struct CoarseField {
    int n = 0;
    std::vector<float> v;
    template <class F>
    CoarseField(int size, F f) : n(size), v(size_t(size) * size) {
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                v[size_t(i) * n + j] = f(100.0 * i / (n - 1), 100.0 * j / (n - 1));
    }
    float at(double x, double z) const {
        const double fx = std::clamp(x / 100.0 * (n - 1), 0.0, n - 1.001);
        const double fz = std::clamp(z / 100.0 * (n - 1), 0.0, n - 1.001);
        const int i = int(fx), j = int(fz);
        const float a = float(fx - i), b = float(fz - j);
        const float* p = &v[size_t(i) * n + j];
        return (p[0] * (1 - b) + p[1] * b) * (1 - a) + (p[n] * (1 - b) + p[n + 1] * b) * a;
    }
};

}  // namespace

Image makeGroundTexture(int size, const std::vector<Footprint>& stones) {
    // Light and shade of the rolling land, from the day sun's side: the
    // program lights every terrain vertex with an upright normal, so the
    // slopes would otherwise not show.
    const Vec3 sun = normalised({scene::kSunX, scene::kDaySunHeight, scene::kSunZ});
    const CoarseField shade(257, [&](double x, double z) {
        const double e = 0.5;
        const double hx = designedHeight(x + e, z) - designedHeight(x - e, z);
        const double hz = designedHeight(x, z + e) - designedHeight(x, z - e);
        const Vec3 n = normalised({-hx / (2 * e), 1.0, -hz / (2 * e)});
        return float(std::clamp(dot(n, sun) / sun.y, 0.8, 1.15));
    });
    const CoarseField lushness(
        257, [](double x, double z) { return fbm(float(x / 22.0), float(z / 22.0), 0.5f, 4, 41); });
    const CoarseField chalkiness(
        513, [](double x, double z) { return fbm(float(x / 5.0), float(z / 5.0), 2.5f, 3, 43); });

    const Colour lush = rgb(62, 96, 36), dry = rgb(118, 122, 56), sward = rgb(88, 108, 44);
    const Colour trampled = rgb(122, 118, 76), earth = rgb(104, 88, 62), chalk = rgb(206, 200, 182);
    const double cx = kModelOffsetX, cz = kModelOffsetZ;

    const float bladeFrequency = float(size) / 300.0f;  // per metre

    Image image(size, size, 3);
    forEachRow(size, [&](int j) {
        const double x = 100.0 * (1.0 - (j + 0.5) / size);  // top row at scene x = 100
        for (int i = 0; i < size; ++i) {
            const double z = 100.0 * (i + 0.5) / size;
            const float fx = float(x), fz = float(z);
            const double dx = x - cx, dz = z - cz, d = std::hypot(dx, dz);
            const double along = dx * kAxisSceneX + dz * kAxisSceneZ;
            const double across = -dx * kAxisSceneZ + dz * kAxisSceneX;

            // Grass: lush and dry patches, tussocks, blades.
            const float patches = smoothstep(-0.35f, 0.35f, lushness.at(x, z));
            Colour c = mix(dry, lush, patches);
            c = mix(c, sward, 0.3f);
            const float tufts = fbm(fx * 1.3f, fz * 1.3f, 0.2f, 3, 44);
            // Blades about three texels apart: finer would only alias.
            const float blades = perlin(fx * bladeFrequency, fz * bladeFrequency, 3.3f, 45);
            c = c * (1.0f + 0.16f * tufts + 0.12f * blades + 0.10f * grain(i, j, 1));

            // Chalk shows through in scattered scars.
            const float ch = chalkiness.at(x, z) + 0.12f * perlin(fx * 2.0f, fz * 2.0f, 0.7f, 46);
            c = mix(c, chalk * (0.9f + 0.1f * grain(i, j, 2)),
                    0.85f * smoothstep(0.42f, 0.52f, ch));

            // The earthwork: a bank inside a ditch, open at the entrance.
            const bool entrance = along > 0.0 && std::fabs(across) < 6.0;
            if (!entrance) {
                const float bank = float(std::exp(-std::pow((d - 20.8) / 0.9, 2.0)));
                const float ditch = float(std::exp(-std::pow((d - 22.8) / 0.8, 2.0)));
                c = mix(c, dry * 1.1f, 0.35f * bank);
                c = mix(c, lush * 0.8f, 0.45f * ditch);
            }
            // The avenue's banks and ditches run out along the axis.
            if (along > 23.0) {
                const double a = std::fabs(across);
                const float fade = smoothstep(23.0f, 27.0f, float(along));
                const float bank = float(std::exp(-std::pow((a - 8.0) / 0.7, 2.0)));
                const float ditch = float(std::exp(-std::pow((a - 9.6) / 0.6, 2.0)));
                c = mix(c, dry * 1.1f, 0.3f * bank * fade);
                c = mix(c, lush * 0.8f, 0.4f * ditch * fade);
            }

            // Worn ground inside and around the circle.
            const float worn = (1.0f - smoothstep(13.0f, 18.0f, float(d))) *
                               (0.55f + 0.35f * fbm(fx * 0.35f, fz * 0.35f, 4.1f, 3, 47));
            const float bare = smoothstep(0.1f, 0.5f, fbm(fx * 0.8f, fz * 0.8f, 5.3f, 3, 48));
            Colour wornColour = mix(trampled, earth, bare);
            wornColour =
                mix(wornColour, chalk, 0.3f * smoothstep(0.3f, 0.6f, blades + 0.3f * tufts));
            c = mix(c, wornColour * (1.0f + 0.08f * grain(i, j, 3)), clamp01(worn));

            // The path from the entrance out past the heel stone.
            if (along > 10.0) {
                const double wobble = 0.6 * fbm(float(along / 6.0), 0.5f, 6.1f, 2, 49);
                const double a = std::fabs(across - wobble);
                const float path = (1.0f - smoothstep(0.9f, 2.2f, float(a))) *
                                   smoothstep(10.0f, 14.0f, float(along));
                const float rut =
                    smoothstep(0.2f, 0.6f, float(a)) * (1.0f - smoothstep(0.6f, 1.0f, float(a)));
                Colour pathColour = mix(trampled, chalk, 0.45f + 0.25f * rut + 0.15f * blades);
                c = mix(c, pathColour * (1.0f + 0.07f * grain(i, j, 4)), path * 0.9f);
            }

            image.setColour(i, j, c * shade.at(x, z));
        }
    });

    // Bare, darker earth where the stones stand and lie.
    const double texel = 100.0 / size;
    for (const Footprint& f : stones) {
        const ScenePoint p = siteToScene(f.x, f.z);
        const double reach = f.radius + 1.0;
        const int i0 = std::max(0, int((p.z - reach) / texel)),
                  i1 = std::min(size - 1, int((p.z + reach) / texel));
        const int j0 = std::max(0, int((100.0 - (p.x + reach)) / texel));
        const int j1 = std::min(size - 1, int((100.0 - (p.x - reach)) / texel));
        for (int j = j0; j <= j1; ++j)
            for (int i = i0; i <= i1; ++i) {
                const double x = 100.0 * (1.0 - (j + 0.5) / size), z = 100.0 * (i + 0.5) / size;
                const double q = std::hypot(x - p.x, z - p.z) - 0.7 * f.radius;
                const float w =
                    0.45f *
                    (1.0f - smoothstep(0.0f, 0.9f,
                                       float(q) + 0.25f * perlin(float(x) * 2.5f, float(z) * 2.5f,
                                                                 8.0f, 50)));
                if (w <= 0.0f) continue;
                image.setColour(i, j, mix(image.colour(i, j), earth * 0.85f, w));
            }
    }
    return image;
}

Image makeStoneTexture(int size, Rock rock) {
    const bool sarsen = rock == Rock::Sarsen;
    const int seed = sarsen ? 60 : 80;
    // Cool greys: the day sun's light is warm.
    const Colour base = sarsen ? rgb(158, 160, 160) : rgb(112, 124, 138);
    const Colour warm = sarsen ? rgb(160, 152, 138) : rgb(104, 112, 124);
    const Colour crust = rgb(196, 204, 190), yellow = rgb(200, 166, 70), dark = rgb(62, 64, 62);
    const Colour fleck = rgb(196, 198, 192);

    Image image(size, size, 3);
    forEachRow(size, [&](int j) {
        for (int i = 0; i < size; ++i) {
            // The image spans about 8 noise cells whatever its pixel size.
            const float u = 8.0f * (i + 0.5f) / size, v = 8.0f * (j + 0.5f) / size;
            Colour c = mix(base, warm,
                           0.5f * smoothstep(-0.3f, 0.4f, fbm(u * 0.3f, v * 0.3f, 0.5f, 2, seed)));
            c = c * (1.0f + 0.10f * fbm(u * 2.0f, v * 2.0f, 1.5f, 4, seed + 1) +
                     0.07f * grain(i, j, seed));

            // Pitting: small dark hollows.
            const float pit = perlin(u * 11.0f, v * 11.0f, 2.5f, seed + 2);
            c = c * (1.0f - 0.3f * smoothstep(0.45f, 0.7f, pit));

            if (!sarsen) {
                // Dolerite's pale spots.
                c = mix(c, fleck,
                        0.7f * smoothstep(0.5f, 0.62f, perlin(u * 5.0f, v * 5.0f, 3.5f, seed + 3)));
            }
            // Lichen: pale crusts, yellow rosettes, dark specks.
            const float crustAmount = sarsen ? 0.8f : 0.5f;
            const float cr = fbm(u * 1.6f, v * 1.6f, 4.5f, 2, seed + 4) +
                             0.15f * perlin(u * 9.0f, v * 9.0f, 0.5f, seed + 9);
            c = mix(c, crust * (1.0f + 0.06f * grain(i, j, seed + 5)),
                    crustAmount * smoothstep(0.22f, 0.3f, cr));
            const float ye = fbm(u * 3.0f, v * 3.0f, 5.5f, 2, seed + 6);
            c = mix(c, yellow * (0.9f + 0.2f * perlin(u * 20.0f, v * 20.0f, 1.0f, seed + 7)),
                    (sarsen ? 0.85f : 0.4f) * smoothstep(0.36f, 0.42f, ye));
            const float dk = perlin(u * 6.0f, v * 6.0f, 6.5f, seed + 8);
            c = mix(c, dark, 0.6f * smoothstep(0.55f, 0.62f, dk));
            image.setColour(i, j, c);
        }
    });
    return image;
}

}  // namespace assets

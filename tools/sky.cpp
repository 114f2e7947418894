#include "tools/sky.h"

#include <algorithm>
#include <cmath>

#include "tools/noise.h"

namespace assets {
namespace {

// The program's sky cube: half-size 100 about the eye.
constexpr float kCorners[8][3] = {
    {100, 100, -100},  {-100, 100, -100},  {-100, 100, 100},  {100, 100, 100},
    {100, -100, -100}, {-100, -100, -100}, {-100, -100, 100}, {100, -100, 100},
};
constexpr int kFaces[5][4] = {{0, 1, 2, 3}, {4, 0, 3, 7}, {7, 3, 2, 6}, {6, 2, 1, 5}, {5, 1, 0, 4}};

Vec3 corner(int i) {
    return {kCorners[i][0], kCorners[i][1], kCorners[i][2]};
}

float smooth(float a, float b, float x) {
    return smoothstep(a, b, x);
}

// Cloud cover seen in direction d: noise on a flat layer overhead, thinning
// towards the horizon where the layer is seen edge-on.
struct Cloud {
    float density = 0.0f;  // 0..1
    float lit = 0.0f;      // -1..1: the side towards the sun is brighter
};

Cloud clouds(Vec3 d, Vec3 sun, bool streaky, int seed) {
    Cloud c;
    if (d.y <= 0.0) return c;
    const double k = 1.0 / (d.y + 0.12);  // distance to the layer
    const float px = float(d.x * k), pz = float(d.z * k);
    const float sx = streaky ? 0.7f : 0.8f, sz = streaky ? 2.6f : 0.8f;
    const float n = fbm(px * sx, pz * sz, 0.4f, 6, seed);
    const float cover = streaky ? 0.05f : -0.06f;
    c.density = smooth(cover - 0.02f, cover + 0.32f, n) * smooth(0.02f, 0.22f, float(d.y));
    // Brighter where the layer thins towards the sun.
    const float step = 0.06f;
    const float ahead =
        fbm((px + step * float(sun.x)) * sx, (pz + step * float(sun.z)) * sz, 0.4f, 6, seed);
    c.lit = std::clamp((n - ahead) * 6.0f, -1.0f, 1.0f);
    return c;
}

Colour daySky(Vec3 d) {
    const Vec3 sun = normalised({scene::kSunX, scene::kDaySunHeight, scene::kSunZ});
    const Colour zenith = rgb(54, 104, 190), mid = rgb(104, 156, 220), horizon = rgb(196, 214, 228);
    const Colour haze = rgb(176, 188, 190), land = rgb(104, 116, 92), farLand = rgb(82, 96, 70);
    const float cosSun = float(dot(d, sun));

    if (d.y < 0.0) {
        const float down = float(-d.y);
        Colour c = mix(haze, land, smooth(0.0f, 0.06f, down));
        return mix(c, farLand, smooth(0.06f, 0.4f, down));
    }
    const float up = float(d.y);
    Colour c = mix(horizon, mid, smooth(0.0f, 0.3f, up));
    c = mix(c, zenith, smooth(0.3f, 1.0f, up));
    // The sun's halo and disc.
    const float halo = std::pow(std::max(cosSun, 0.0f), 12.0f);
    c = c + rgb(255, 240, 210) * (0.25f * halo + 0.6f * std::pow(std::max(cosSun, 0.0f), 400.0f));
    if (cosSun > 0.99985f) c = rgb(255, 252, 240);

    const Cloud cl = clouds(d, sun, false, 90);
    const Colour shadow = rgb(168, 176, 192), bright = rgb(252, 252, 250);
    Colour cloud = mix(shadow, bright, 0.6f + 0.4f * cl.lit);
    cloud = cloud + rgb(255, 236, 200) * (0.2f * halo);
    c = mix(c, cloud, 0.92f * cl.density);
    return c;
}

Colour twilightSky(Vec3 d) {
    const Vec3 sun = normalised({scene::kSunX, scene::kTwilightSunHeight, scene::kSunZ});
    const float cosSun = float(dot(d, sun));
    // How much the direction faces the sun's side of the sky, 0..1.
    const Vec3 flatD = normalised({d.x, 0.0, d.z}), flatSun = normalised({sun.x, 0.0, sun.z});
    const float facing = float(0.5 + 0.5 * dot(flatD, flatSun));

    if (d.y < 0.0) {
        const float down = float(-d.y);
        const Colour dusk = mix(rgb(86, 62, 78), rgb(170, 104, 74), std::pow(facing, 4.0f));
        Colour c = mix(dusk, rgb(40, 34, 46), smooth(0.0f, 0.08f, down));
        return mix(c, rgb(26, 24, 34), smooth(0.08f, 0.4f, down));
    }
    const float up = float(d.y);
    const Colour zenith = rgb(24, 34, 82), mid = rgb(88, 76, 130);
    const Colour glowHorizon = rgb(250, 150, 70), coolHorizon = rgb(176, 116, 132);
    const Colour horizon = mix(coolHorizon, glowHorizon, std::pow(facing, 3.0f));
    Colour c = mix(horizon, mid, smooth(0.0f, 0.35f, up));
    c = mix(c, zenith, smooth(0.3f, 1.0f, up));
    // The glow round the setting sun, and the sun itself.
    const float near = std::max(cosSun, 0.0f);
    c = c + rgb(255, 150, 60) * (0.5f * std::pow(near, 8.0f)) +
        rgb(255, 200, 120) * (0.8f * std::pow(near, 120.0f));
    if (cosSun > 0.99965f) c = rgb(255, 226, 160);

    const Cloud cl = clouds(d, sun, true, 95);
    // Lit from below by the sun: gold near it, rose further off, dark away.
    const Colour far = rgb(70, 56, 84), rose = rgb(214, 120, 120), gold = rgb(255, 190, 110);
    Colour cloud = mix(far, rose, std::pow(facing, 2.0f));
    cloud = mix(cloud, gold, std::pow(near, 6.0f));
    cloud = cloud * (0.85f + 0.25f * cl.lit);
    c = mix(c, cloud, 0.85f * cl.density);
    return c;
}

}  // namespace

Vec3 skyDirection(int face, double s, double t) {
    const int* k = kFaces[face];
    // Corners 0..3 of the face take texture coordinates (0,0), (0,1), (1,1), (1,0).
    const Vec3 p = corner(k[0]) * ((1 - s) * (1 - t)) + corner(k[1]) * ((1 - s) * t) +
                   corner(k[2]) * (s * t) + corner(k[3]) * (s * (1 - t));
    return normalised(p);
}

Colour skyColour(SkyTime time, Vec3 d) {
    return time == SkyTime::Day ? daySky(d) : twilightSky(d);
}

Image makeSkyFace(SkyTime time, int face, int size) {
    Image image(size, size, 3);
    forEachRow(size, [&](int j) {
        for (int i = 0; i < size; ++i) {
            // 2 x 2 samples per texel keep the sun's disc and the cloud
            // edges smooth.
            Colour sum;
            for (int a = 0; a < 2; ++a)
                for (int b = 0; b < 2; ++b) {
                    const double s = (i + 0.25 + 0.5 * a) / size;
                    const double t = 1.0 - (j + 0.25 + 0.5 * b) / size;
                    sum = sum + skyColour(time, skyDirection(face, s, t));
                }
            image.setColour(i, j, sum * 0.25f);
        }
    });
    return image;
}

}  // namespace assets

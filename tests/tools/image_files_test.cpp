// The images, decoded as the program's image library would see them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "generated_data.h"
#include "tests/support/test_files.h"
#include "tools/generate.h"

using namespace assets_test;

namespace {

struct D3 {
    double x, y, z;
};
D3 unit(D3 a) {
    const double l = std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
    return {a.x / l, a.y / l, a.z / l};
}
double dot(D3 a, D3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// The program's sky cube: corners, and the faces' corner order; each face's
// corners take texture coordinates (0,0), (0,1), (1,1), (1,0).
const double kCorner[8][3] = {{100, 100, -100},  {-100, 100, -100}, {-100, 100, 100},
                              {100, 100, 100},   {100, -100, -100}, {-100, -100, -100},
                              {-100, -100, 100}, {100, -100, 100}};
const int kFace[5][4] = {{0, 1, 2, 3}, {4, 0, 3, 7}, {7, 3, 2, 6}, {6, 2, 1, 5}, {5, 1, 0, 4}};

D3 corner(int f, int k) {
    return {kCorner[kFace[f][k]][0], kCorner[kFace[f][k]][1], kCorner[kFace[f][k]][2]};
}

// Point of face f at texture coordinate (s, t): an affine map on a square.
D3 facePoint(int f, double s, double t) {
    const D3 o = corner(f, 0), ds = corner(f, 3), dt = corner(f, 1);
    return {o.x + s * (ds.x - o.x) + t * (dt.x - o.x), o.y + s * (ds.y - o.y) + t * (dt.y - o.y),
            o.z + s * (ds.z - o.z) + t * (dt.z - o.z)};
}

// Texture coordinate of point p on face f's plane.
void faceCoordinate(int f, D3 p, double& s, double& t) {
    const D3 o = corner(f, 0), ds = corner(f, 3), dt = corner(f, 1);
    const D3 a{ds.x - o.x, ds.y - o.y, ds.z - o.z}, b{dt.x - o.x, dt.y - o.y, dt.z - o.z},
        q{p.x - o.x, p.y - o.y, p.z - o.z};
    s = dot(q, a) / dot(a, a);
    t = dot(q, b) / dot(b, b);
}

bool onPlane(int f, D3 p) {
    double s, t;
    faceCoordinate(f, p, s, t);
    const D3 q = facePoint(f, s, t);
    return std::fabs(q.x - p.x) + std::fabs(q.y - p.y) + std::fabs(q.z - p.z) < 1e-6 && s > -1e-9 &&
           s < 1 + 1e-9 && t > -1e-9 && t < 1 + 1e-9;
}

// The image is flipped on load: image row 0 is t = 1.
int column(double s, int size) {
    return std::clamp(int(s * size), 0, size - 1);
}
int row(double t, int size) {
    return std::clamp(int((1.0 - t) * size), 0, size - 1);
}

std::vector<Decoded> skySet(const char* set) {
    std::vector<Decoded> faces;
    for (int k = 0; k < 5; ++k)
        faces.push_back(decode(dataDir() + "/" + set + "/" + std::to_string(k) + ".jpg"));
    return faces;
}

D3 texelDirection(int f, int i, int j, int size) {
    return unit(facePoint(f, (i + 0.5) / size, 1.0 - (j + 0.5) / size));
}

}  // namespace

TEST(ImageFiles, EveryFileIsWritten) {
    for (const std::string& f : assets::generatedFiles())
        EXPECT_FALSE(readFile(dataDir() + "/" + f).empty()) << f;
}

TEST(ImageFiles, TexturesHaveTheirSizesAndChannels) {
    struct Expect {
        const char* file;
        int width, height, channels;
    };
    const Expect all[] = {{"ground.png", assets::kGroundSize, assets::kGroundSize, 3},
                          {"stone.png", assets::kStoneSize, assets::kStoneSize, 3},
                          {"intro1.png", 1024, 576, 3},
                          {"help.png", 1024, 576, 4},
                          {"outro1.png", 1024, 576, 4}};
    for (const Expect& e : all) {
        const Decoded d = decode(dataDir() + "/" + e.file);
        EXPECT_EQ(d.width, e.width) << e.file;
        EXPECT_EQ(d.height, e.height) << e.file;
        EXPECT_EQ(d.channels, e.channels) << e.file;
    }
    EXPECT_LE(assets::kGroundSize, 2048);  // start-up mipmaps and compresses it
    for (const char* set : {"cloudy", "sunset"})
        for (const Decoded& d : skySet(set)) {
            EXPECT_EQ(d.width, assets::kSkySize) << set;
            EXPECT_EQ(d.height, assets::kSkySize) << set;
            EXPECT_EQ(d.channels, 3) << set;
        }
}

TEST(SkyImages, FacesMeetWithoutSeams) {
    // Every border texel is compared with the texel of the neighbouring face
    // at the same point of their shared edge.
    for (const char* set : {"cloudy", "sunset"}) {
        const std::vector<Decoded> faces = skySet(set);
        const int n = faces[0].width;
        for (int f = 0; f < 5; ++f) {
            double sum = 0, worst = 0;
            int count = 0;
            for (int k = 0; k < n; ++k)
                for (int side = 0; side < 4; ++side) {
                    // A point on one of the face's four edges.
                    const double along = (k + 0.5) / n;
                    const double s = side == 0 ? 0.0 : side == 1 ? 1.0 : along;
                    const double t = side == 2 ? 0.0 : side == 3 ? 1.0 : along;
                    const D3 p = facePoint(f, s, t);
                    for (int g = 0; g < 5; ++g) {
                        if (g == f || !onPlane(g, p)) continue;
                        double sg, tg;
                        faceCoordinate(g, p, sg, tg);
                        const uint8_t* a = faces[f].at(column(s, n), row(t, n));
                        const uint8_t* b = faces[g].at(column(sg, n), row(tg, n));
                        double diff = 0;
                        for (int c = 0; c < 3; ++c)
                            diff = std::max(diff, std::fabs(double(a[c]) - b[c]));
                        sum += diff;
                        worst = std::max(worst, diff);
                        ++count;
                    }
                }
            EXPECT_GT(count, 0);
            EXPECT_LT(sum / count, 6.0) << set << " face " << f;
            EXPECT_LT(worst, 40.0) << set << " face " << f;
        }
    }
}

TEST(SkyImages, SunsetGlowsWhereTheTwilightSunShines) {
    // The brightest texels of the twilight sky lie round the direction the
    // twilight light comes from; the day sun's disc where the day light does.
    struct Case {
        const char* set;
        D3 sun;
        double degrees;
    };
    const Case cases[] = {{"sunset", unit({-0.62187, 0.1, 0.78312}), 6.0},
                          {"cloudy", unit({-0.62187, 1.0, 0.78312}), 4.0}};
    for (const Case& c : cases) {
        const std::vector<Decoded> faces = skySet(c.set);
        const int n = faces[0].width;
        float best = -1;
        D3 bestDir{0, 0, 0};
        for (int f = 0; f < 5; ++f)
            for (int j = 0; j < n; ++j)
                for (int i = 0; i < n; ++i)
                    if (faces[f].luminance(i, j) > best) {
                        best = faces[f].luminance(i, j);
                        bestDir = texelDirection(f, i, j, n);
                    }
        EXPECT_GT(dot(bestDir, c.sun), std::cos(c.degrees * M_PI / 180.0)) << c.set;
    }
}

TEST(SkyImages, BelowTheHorizonIsLandNotSky) {
    // The lower halves stand behind the terrain's far edge: no blue there.
    for (const char* set : {"cloudy", "sunset"}) {
        const std::vector<Decoded> faces = skySet(set);
        const int n = faces[0].width;
        for (int f = 1; f < 5; ++f) {
            double blueExcess = 0;
            int count = 0;
            for (int j = n * 3 / 4; j < n; ++j)
                for (int i = 0; i < n; i += 4) {
                    const uint8_t* p = faces[f].at(i, j);
                    blueExcess += (p[2] - 0.5 * (p[0] + p[1])) / 255.0;
                    ++count;
                }
            EXPECT_LT(blueExcess / count, 0.08) << set << " face " << f;
        }
    }
}

TEST(GroundImage, PathAndWornGroundLieUnderTheCircle) {
    // The terrain maps image column to z / 100 and, the image flipped on
    // load, image row to 1 - x / 100. A mirrored or turned image would put
    // the path and the worn ground elsewhere.
    const Decoded g = decode(dataDir() + "/ground.png");
    auto lum = [&](double x, double z) {
        return g.luminance(column(z / 100.0, g.width), row(x / 100.0, g.height));
    };
    auto greenness = [&](double x, double z) {
        const uint8_t* p = g.at(column(z / 100.0, g.width), row(x / 100.0, g.height));
        return p[1] / (1.0 + p[0] + p[1] + p[2]);
    };
    const double ax = 0.62187, az = -0.78312;  // the axis, out to the heel stone
    // Medians, so a chalk scar or a stone's bare patch does not decide it.
    std::vector<double> path, beside;
    for (double d = 16; d <= 24; d += 0.05) {
        path.push_back(lum(50 + ax * d, 49 + az * d));
        for (double side : {-6.0, 6.0})
            beside.push_back(lum(50 + ax * d - az * side, 49 + az * d + ax * side));
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    EXPECT_GT(median(path), median(beside) * 1.15);

    double inside = 0, outside = 0;
    int ni = 0, no = 0;
    for (double x = 10; x <= 90; x += 0.5)
        for (double z = 10; z <= 90; z += 0.5) {
            const double d = std::hypot(x - 50, z - 49);
            if (d < 12) inside += greenness(x, z), ++ni;
            if (d > 30 && d < 38) outside += greenness(x, z), ++no;
        }
    EXPECT_LT(inside / ni, outside / no - 0.01);
}

TEST(OverlayImages, IntroIsLegibleTextOnDarkGround) {
    const Decoded d = decode(dataDir() + "/intro1.png");
    ASSERT_EQ(d.channels, 3);
    int bright = 0, dark = 0;
    for (int y = 0; y < d.height; ++y)
        for (int x = 0; x < d.width; ++x) {
            const float l = d.luminance(x, y);
            bright += l > 0.75f;
            dark += l < 0.25f;
        }
    EXPECT_GT(bright, d.width * d.height / 100);  // the title and the keys
    EXPECT_GT(dark, d.width * d.height / 2);
}

TEST(OverlayImages, HelpAndOutroAreClearAroundTheirPanels) {
    for (const char* file : {"help.png", "outro1.png"}) {
        const Decoded d = decode(dataDir() + "/" + file);
        ASSERT_EQ(d.channels, 4) << file;
        EXPECT_EQ(d.at(0, 0)[3], 0) << file;
        EXPECT_EQ(d.at(d.width - 1, d.height - 1)[3], 0) << file;
        EXPECT_EQ(d.at(d.width / 2, d.height / 2)[3], 255) << file;
        int text = 0;
        for (int y = 0; y < d.height; ++y)
            for (int x = 0; x < d.width; ++x)
                text += d.at(x, y)[3] == 255 && d.luminance(x, y) > 0.7f;
        EXPECT_GT(text, 2000) << file;
    }
}

TEST(Determinism, SecondRunWritesTheSameBytes) {
    const std::string pattern = test_files::makeTemporaryDirectory("velmora_assets_again_");
    assets::GenerateOptions o;
    o.outputDirectory = pattern;
    ASSERT_TRUE(assets::generateAll(o));
    for (const std::string& f : assets::generatedFiles())
        EXPECT_TRUE(readFile(dataDir() + "/" + f) == readFile(o.outputDirectory + "/" + f)) << f;
    std::filesystem::remove_all(o.outputDirectory);
}

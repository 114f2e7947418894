#include "tools/icon.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <vector>

#include "tools/noise.h"
#include "tools/scene_frame.h"

namespace assets {
namespace {

constexpr double kDeg = kPi / 180.0;
constexpr int kSamples = 4;     // samples a pixel along each axis
constexpr int kSmallIcon = 32;  // pixels: at this size and below, the simpler picture

enum Surface : uint8_t { kSky, kGround, kSarsen, kBluestone };

// Horizontal angle (radians, site frame) and elevation to a unit direction.
Vec3 direction(double angle, double elevation) {
    return {std::cos(angle) * std::cos(elevation), std::sin(elevation),
            std::sin(angle) * std::cos(elevation)};
}

// A pinhole camera in the site frame; screen y grows downwards.
struct View {
    Vec3 eye, right, up, forward;
    double focal = 1.0, centre = 0.0;  // pixels

    View(Vec3 from, Vec3 target, double fovDegrees, int pixels) : eye(from) {
        forward = normalised(target - from);
        right = normalised(cross(forward, Vec3{0.0, 1.0, 0.0}));
        up = cross(right, forward);
        centre = 0.5 * pixels;
        focal = centre / std::tan(0.5 * fovDegrees * kDeg);
    }
    // Screen position and depth along the view axis (metres) of a site point.
    std::array<double, 3> project(Vec3 p) const {
        const Vec3 v = p - eye;
        const double z = dot(v, forward);
        return {centre + focal * dot(v, right) / z, centre - focal * dot(v, up) / z, z};
    }
    // The ray through a screen point, scaled to depth 1 along the view axis.
    Vec3 ray(double sx, double sy) const {
        return forward + right * ((sx - centre) / focal) + up * ((centre - sy) / focal);
    }
};

// Screen-space triangles into a depth buffer. Depth and normals are
// interpolated perspective-correctly (linearly in 1 / depth).
struct Frame {
    int size = 0;
    std::vector<float> depth;
    std::vector<Vec3> normal;
    std::vector<uint8_t> surface;

    explicit Frame(int n)
        : size(n),
          depth(size_t(n) * n, std::numeric_limits<float>::infinity()),
          normal(size_t(n) * n),
          surface(size_t(n) * n, kSky) {}

    void triangle(const std::array<std::array<double, 3>, 3>& s, const std::array<Vec3, 3>& n,
                  uint8_t what) {
        for (const auto& v : s)
            if (v[2] < 0.5) return;  // behind or at the eye: never in this view
        const double area =
            (s[1][0] - s[0][0]) * (s[2][1] - s[0][1]) - (s[2][0] - s[0][0]) * (s[1][1] - s[0][1]);
        if (std::fabs(area) < 1e-12) return;
        const int x0 = std::max(0, int(std::floor(std::min({s[0][0], s[1][0], s[2][0]}))));
        const int x1 = std::min(size - 1, int(std::ceil(std::max({s[0][0], s[1][0], s[2][0]}))));
        const int y0 = std::max(0, int(std::floor(std::min({s[0][1], s[1][1], s[2][1]}))));
        const int y1 = std::min(size - 1, int(std::ceil(std::max({s[0][1], s[1][1], s[2][1]}))));
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                const double px = x + 0.5, py = y + 0.5;
                double w[3];
                for (int k = 0; k < 3; ++k) {
                    const auto& a = s[(k + 1) % 3];
                    const auto& b = s[(k + 2) % 3];
                    w[k] = ((b[0] - a[0]) * (py - a[1]) - (px - a[0]) * (b[1] - a[1])) / area;
                }
                if (w[0] < 0.0 || w[1] < 0.0 || w[2] < 0.0) continue;
                const double inverse = w[0] / s[0][2] + w[1] / s[1][2] + w[2] / s[2][2];
                const float z = float(1.0 / inverse);
                const size_t i = size_t(y) * size + x;
                if (z >= depth[i]) continue;
                depth[i] = z;
                normal[i] =
                    (n[0] * (w[0] / s[0][2]) + n[1] * (w[1] / s[1][2]) + n[2] * (w[2] / s[2][2])) *
                    (1.0 / inverse);
                surface[i] = what;
            }
    }
};

// Depth towards the sun of the stones, seen along the sunlight (orthographic),
// over a square of the site `extent` metres from the centre each way.
struct SunMap {
    int size = 1024;
    double extent = 40.0;
    Vec3 along, u, v;  // the light's direction of travel and the map's axes
    std::vector<float> depth;

    explicit SunMap(Vec3 towardsSun)
        : along(towardsSun * -1.0),
          u(normalised(cross(along, Vec3{0.0, 1.0, 0.0}))),
          v(cross(u, along)),
          depth(size_t(size) * size, std::numeric_limits<float>::infinity()) {}

    std::array<double, 3> place(Vec3 p) const {
        const double k = 0.5 * size / extent;
        return {0.5 * size + k * dot(p, u), 0.5 * size - k * dot(p, v), dot(p, along)};
    }

    void triangle(const std::array<Vec3, 3>& p) {
        const auto a = place(p[0]), b = place(p[1]), c = place(p[2]);
        const double area = (b[0] - a[0]) * (c[1] - a[1]) - (c[0] - a[0]) * (b[1] - a[1]);
        if (std::fabs(area) < 1e-12) return;
        const int x0 = std::max(0, int(std::floor(std::min({a[0], b[0], c[0]}))));
        const int x1 = std::min(size - 1, int(std::ceil(std::max({a[0], b[0], c[0]}))));
        const int y0 = std::max(0, int(std::floor(std::min({a[1], b[1], c[1]}))));
        const int y1 = std::min(size - 1, int(std::ceil(std::max({a[1], b[1], c[1]}))));
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                const double px = x + 0.5, py = y + 0.5;
                const double wa =
                    ((c[0] - b[0]) * (py - b[1]) - (px - b[0]) * (c[1] - b[1])) / area;
                const double wb =
                    ((a[0] - c[0]) * (py - c[1]) - (px - c[0]) * (a[1] - c[1])) / area;
                const double wc = 1.0 - wa - wb;
                if (wa < 0.0 || wb < 0.0 || wc < 0.0) continue;
                float& d = depth[size_t(y) * size + x];
                d = std::min(d, float(wa * a[2] + wb * b[2] + wc * c[2]));
            }
    }

    // 0 in full shadow, 1 in full sun: the share of four neighbouring texels
    // that see nothing nearer the sun than p.
    float light(Vec3 p) const {
        const auto q = place(p);
        const int x = int(std::floor(q[0] - 0.5)), y = int(std::floor(q[1] - 0.5));
        int lit = 0;
        for (int dy = 0; dy < 2; ++dy)
            for (int dx = 0; dx < 2; ++dx) {
                const int sx = x + dx, sy = y + dy;
                if (sx < 0 || sy < 0 || sx >= size || sy >= size ||
                    q[2] <= depth[size_t(sy) * size + sx] + 0.08)
                    ++lit;
            }
        return lit / 4.0f;
    }
};

Colour skyColour(Vec3 ray, Vec3 sun) {
    const Vec3 d = normalised(ray);
    const float e = float(std::max(0.0, d.y));
    Colour c = mix(rgb(250, 196, 140), rgb(48, 80, 148), smoothstep(0.0f, 0.12f, e));
    const float glow = float(std::pow(std::max(0.0, dot(d, sun)), 12.0));
    return c + rgb(255, 170, 90) * (0.5f * glow);
}

}  // namespace

Image makeIcon(const StoneModel& model, const Heightmap& map, int size) {
    const int n = size * kSamples;
    // From above the avenue, a little to the side of the axis, so the heel
    // stone stands in front and the great trilithon rises at the back; the
    // sun low behind the viewer's left shoulder throws the shadows inwards.
    // A small icon has a few pixels a stone: it looks down from higher and
    // nearer, so the ring fills the badge as a ring, with no sky, and the
    // stones are paler on darker grass.
    const bool small = size <= kSmallIcon;
    const double axis = std::atan2(-kAxisSceneX, kAxisSceneZ);  // site angle of the avenue
    const double viewAngle = axis + 32.0 * kDeg;
    const Vec3 target{0.0, small ? 0.0 : 1.0, 0.0};
    const View view(
        target + direction(viewAngle, (small ? 70.0 : 27.0) * kDeg) * (small ? 62.0 : 54.0), target,
        39.0, n);
    const Vec3 sun = direction(viewAngle - 58.0 * kDeg, (small ? 62.0 : 24.0) * kDeg);

    Frame frame(n);
    SunMap sunMap(sun);
    for (size_t m = 0; m < model.meshes.size(); ++m) {
        const Mesh& mesh = model.meshes[m];
        const uint8_t what = model.stones[m].material == "bluestone" ? kBluestone : kSarsen;
        for (const auto& t : mesh.triangles) {
            const std::array<Vec3, 3> p{mesh.positions[t[0]], mesh.positions[t[1]],
                                        mesh.positions[t[2]]};
            frame.triangle({view.project(p[0]), view.project(p[1]), view.project(p[2])},
                           {mesh.normals[t[0]], mesh.normals[t[1]], mesh.normals[t[2]]}, what);
            sunMap.triangle(p);
        }
    }

    // The land as the program builds it: grid point (row, column) at scene
    // (row, column), its normal from the neighbouring heights.
    auto groundPoint = [&](int row, int column) {
        double sx = 0.0, sz = 0.0;
        sceneToSite(row, column, sx, sz);
        return Vec3{sx, map.gridHeight(row, column), sz};
    };
    auto groundNormal = [&](int row, int column) {
        const int r0 = std::max(row - 1, 0), r1 = std::min(row + 1, kTerrainSize - 1);
        const int c0 = std::max(column - 1, 0), c1 = std::min(column + 1, kTerrainSize - 1);
        const Vec3 alongRows = groundPoint(r1, column) - groundPoint(r0, column);
        const Vec3 alongColumns = groundPoint(row, c1) - groundPoint(row, c0);
        Vec3 normal = normalised(cross(alongRows, alongColumns));
        return normal.y < 0.0 ? normal * -1.0 : normal;
    };
    for (int r = 0; r + 1 < kTerrainSize; ++r)
        for (int c = 0; c + 1 < kTerrainSize; ++c) {
            // Split along the diagonal from (r + 1, c) to (r, c + 1), as the program does.
            const int corners[2][3][2] = {{{r, c}, {r + 1, c}, {r, c + 1}},
                                          {{r + 1, c}, {r + 1, c + 1}, {r, c + 1}}};
            for (const auto& tri : corners) {
                std::array<std::array<double, 3>, 3> s;
                std::array<Vec3, 3> normals;
                for (int k = 0; k < 3; ++k) {
                    s[k] = view.project(groundPoint(tri[k][0], tri[k][1]));
                    normals[k] = groundNormal(tri[k][0], tri[k][1]);
                }
                frame.triangle(s, normals, kGround);
            }
        }

    // Shading: sunlight with shadows, a sky-blue fill from above, and a
    // little haze with distance.
    const Colour sunLight = rgb(255, 222, 176) * 1.3f, skyLight = rgb(112, 128, 170);
    const Colour haze = rgb(232, 196, 160);
    std::vector<Colour> colour(size_t(n) * n);
    forEachRow(n, [&](int y) {
        for (int x = 0; x < n; ++x) {
            const size_t i = size_t(y) * n + x;
            const Vec3 ray = view.ray(x + 0.5, y + 0.5);
            if (frame.surface[i] == kSky) {
                colour[i] = skyColour(ray, sun);
                continue;
            }
            const Vec3 p = view.eye + ray * double(frame.depth[i]);
            const Vec3 normal = normalised(frame.normal[i]);
            const float direct = float(std::max(0.0, dot(normal, sun))) * sunMap.light(p);
            const float fill = float(0.55 + 0.45 * normal.y);
            Colour base;
            if (frame.surface[i] == kGround) {
                const float patches = fbm(float(p.x / 9.0), float(p.z / 9.0), 0.4f, 3, 31);
                const float blades = fbm(float(p.x * 1.3), float(p.z * 1.3), 2.1f, 2, 32);
                base = mix(rgb(78, 122, 44), rgb(128, 138, 62), clamp01(0.5f + 0.8f * patches));
                base = base * (0.92f + 0.16f * blades);
                if (small) base = rgb(40, 72, 26);
            } else {
                const float grain = fbm(float(p.x * 1.7), float(p.y * 1.7), float(p.z * 1.7), 3,
                                        frame.surface[i] == kSarsen ? 33 : 34);
                base = frame.surface[i] == kSarsen ? rgb(178, 172, 156) : rgb(112, 124, 140);
                base = base * (0.86f + 0.22f * grain);
                if (small) base = rgb(236, 228, 206);
            }
            Colour c = base * (sunLight * direct + skyLight * fill * 0.7f);
            const float distance = float(length(p - view.eye));
            c = mix(c, haze, 0.55f * (1.0f - std::exp(-std::max(0.0f, distance - 40.0f) / 90.0f)));
            colour[i] = c;
        }
    });

    // The badge: a disc with a dark rim, clear outside, every edge averaged
    // over the samples of its pixel.
    Image icon(size, size, 4);
    const double radius = 0.5 * size - (small ? 0.5 : 1.0), rim = std::max(size / 40.0, 1.0);
    const Colour rimColour = rgb(52, 44, 62);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            Colour sum;
            int covered = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double fx = x + (sx + 0.5) / kSamples, fy = y + (sy + 0.5) / kSamples;
                    const double r = std::hypot(fx - 0.5 * size, fy - 0.5 * size);
                    if (r > radius) continue;
                    ++covered;
                    const int cx = x * kSamples + sx, cy = y * kSamples + sy;
                    sum = sum + (r > radius - rim ? rimColour : colour[size_t(cy) * n + cx]);
                }
            if (covered == 0) continue;  // stays clear (alpha 0)
            icon.setColour(x, y, sum * (1.0f / covered));
            icon.at(x, y)[3] = toByte(float(covered) / (kSamples * kSamples));
        }
    return icon;
}

namespace {

// Little-endian fields of the icon file.
void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFFu);
    put16(out, v >> 16);
}

// BITMAPINFOHEADER, BGRA rows bottom first, then the 1-bit mask (set where
// clear), its rows padded to 32 bits; the header's height counts both.
std::vector<uint8_t> iconBitmap(const Image& image) {
    const int w = image.width, h = image.height;
    const uint32_t maskRow = uint32_t((w + 31) / 32 * 4);
    std::vector<uint8_t> out;
    put32(out, 40);
    put32(out, uint32_t(w));
    put32(out, uint32_t(2 * h));
    put16(out, 1);   // planes
    put16(out, 32);  // bits a pixel
    put32(out, 0);   // uncompressed
    put32(out, uint32_t(w * h * 4) + maskRow * uint32_t(h));
    for (int i = 0; i < 4; ++i) put32(out, 0);  // resolution and palette: unused
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) {
            const uint8_t* p = image.at(x, y);
            out.insert(out.end(), {p[2], p[1], p[0], p[3]});
        }
    for (int y = h - 1; y >= 0; --y) {
        std::vector<uint8_t> row(maskRow, 0);
        for (int x = 0; x < w; ++x)
            if (image.at(x, y)[3] < 128) row[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

Heightmap iconLand() {
    return makeHeightmap();
}

StoneModel iconCircle(const Heightmap& map) {
    return buildStoneCircle([&map](double siteX, double siteZ) {
        const ScenePoint p = siteToScene(siteX, siteZ);
        return map.heightAt(p.x, p.z);
    });
}

}  // namespace

bool writeIcons(const std::string& directory) {
    const Heightmap map = iconLand();
    const StoneModel circle = iconCircle(map);
    for (const int size : kIconSizes) {
        const std::string n = std::to_string(size);
        const std::filesystem::path folder =
            std::filesystem::path(directory) / (n + "x" + n) / "apps";
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        if (error) {
            std::fprintf(stderr, "velmora_assets: cannot create the directory %s\n",
                         folder.string().c_str());
            return false;
        }
        if (!writePng((folder / "velmora.png").string(), makeIcon(circle, map, size))) return false;
    }
    return true;
}

std::vector<uint8_t> windowsIconFile(const std::vector<Image>& images) {
    std::vector<std::vector<uint8_t>> entries;
    for (const Image& image : images)
        entries.push_back(image.width >= 256 ? encodePng(image) : iconBitmap(image));
    std::vector<uint8_t> out;
    put16(out, 0);
    put16(out, 1);  // an icon, not a cursor
    put16(out, uint32_t(images.size()));
    uint32_t offset = uint32_t(6 + 16 * images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.push_back(uint8_t(images[i].width));  // 256 is written as 0
        out.push_back(uint8_t(images[i].height));
        out.insert(out.end(), {0, 0});  // no palette
        put16(out, 1);
        put16(out, 32);
        put32(out, uint32_t(entries[i].size()));
        put32(out, offset);
        offset += uint32_t(entries[i].size());
    }
    for (const std::vector<uint8_t>& entry : entries)
        out.insert(out.end(), entry.begin(), entry.end());
    return out;
}

bool writeWindowsIcon(const std::string& path) {
    const Heightmap map = iconLand();
    const StoneModel circle = iconCircle(map);
    std::vector<Image> images;
    for (int size : kWindowsIconSizes) images.push_back(makeIcon(circle, map, size));
    const std::vector<uint8_t> bytes = windowsIconFile(images);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!file.flush()) {
        std::fprintf(stderr, "velmora_assets: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace assets

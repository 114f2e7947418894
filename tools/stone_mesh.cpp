#include "tools/stone_mesh.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "tools/noise.h"

namespace assets {
namespace {

// Coordinates of the lattice lines along one axis from lo to hi: the two
// faces, and `lines` lines across the flat part between the rounded edges.
std::vector<double> latticeLines(double lo, double hi, double round, int lines) {
    std::vector<double> out{lo};
    if (lines <= 1) {
        out.push_back(0.5 * (lo + hi));
    } else {
        const double a = lo + round, b = hi - round;
        for (int i = 0; i < lines; ++i) out.push_back(a + (b - a) * i / (lines - 1));
    }
    out.push_back(hi);
    return out;
}

// The lines up the stone: the buried part needs no detail, so one line just
// under the ground replaces the lines of the base.
std::vector<double> heightLines(const StoneShape& s) {
    const double lo = -s.buried, hi = s.height;
    if (s.buried > 0.5 + s.round) {
        std::vector<double> out{lo};
        const double a = -0.2, b = hi - s.round;
        const int n = std::max(2, s.linesY);
        for (int i = 0; i < n; ++i) out.push_back(a + (b - a) * i / (n - 1));
        out.push_back(hi);
        return out;
    }
    return latticeLines(lo, hi, s.round, s.linesY);
}

struct Lattice {
    std::vector<double> xs, ys, zs;
    std::vector<int> ids;  // vertex index of each surface lattice point, -1 inside
    int id(int i, int j, int k) const { return ids[(size_t(i) * ys.size() + j) * zs.size() + k]; }
};

Vec3 rotateRigid(const Placement& p, Vec3 v) {
    // Lean: +y towards +z; roll: +y towards +x; then yaw about the vertical.
    const double cl = std::cos(p.lean), sl = std::sin(p.lean);
    v = {v.x, v.y * cl - v.z * sl, v.y * sl + v.z * cl};
    const double cr = std::cos(p.roll), sr = std::sin(p.roll);
    v = {v.x * cr + v.y * sr, -v.x * sr + v.y * cr, v.z};
    const double cy = std::cos(p.yaw), sy = std::sin(p.yaw);
    return {v.x * cy - v.z * sy, v.y, v.x * sy + v.z * cy};
}

Vec3 place(const Placement& p, Vec3 v) {
    if (p.bendRadius > 0.0) {
        // Local x runs along the circle, local z points to its centre.
        const double angle = p.bendAngle + v.x / p.bendRadius;
        const double radius = p.bendRadius - v.z;
        return {radius * std::cos(angle), p.y + v.y, radius * std::sin(angle)};
    }
    const Vec3 r = rotateRigid(p, v);
    return {p.x + r.x, p.y + r.y, p.z + r.z};
}

// A point of the lattice on the rounded, weathered stone in its own frame.
Vec3 shapePoint(const StoneShape& s, Vec3 box) {
    const double hx = 0.5 * s.width, hz = 0.5 * s.thickness;
    const double y0 = -s.buried, y1 = s.height;
    const double rx = std::min(s.round, 0.999 * hx), rz = std::min(s.round, 0.999 * hz);
    const double ry = std::min(s.round, 0.499 * (y1 - y0));
    const Vec3 inner{std::clamp(box.x, -hx + rx, hx - rx), std::clamp(box.y, y0 + ry, y1 - ry),
                     std::clamp(box.z, -hz + rz, hz - rz)};
    // The offset from the inner box, scaled per axis, gives an elliptic
    // rounding when one radius had to shrink on a thin stone.
    const Vec3 off = box - inner;
    const Vec3 unit{off.x / rx, off.y / ry, off.z / rz};
    const Vec3 n = normalised(unit);
    Vec3 p{inner.x + n.x * rx, inner.y + n.y * ry, inner.z + n.z * rz};

    // Weathering: broad swellings and finer pits along the surface normal.
    // Each stone reads its own region of the noise, as the permutation seed
    // alone repeats every 256 stones.
    const float o = float(s.seed % 997) * 7.123f;
    const float px = float(p.x) + o, py = float(p.y), pz = float(p.z) - 0.5f * o;
    const float broad = fbm(px * 0.55f, py * 0.55f, pz * 0.55f, 3, s.seed);
    const float fine = fbm(px * 2.3f, py * 2.3f, pz * 2.3f, 2, s.seed + 101);
    const double d = s.bumps * 1.6 * broad + s.pits * 1.6 * fine;
    p = p + n * d;

    // Taper towards the top, swellings and waists up the stone, uneven top,
    // sideways drift.
    const double up = std::clamp(p.y / std::max(0.1, s.height), 0.0, 1.0);
    const double scale = 1.0 - (1.0 - s.taper) * up;
    const double waist = 1.6 * s.bumps / std::max(0.2, std::min(s.width, s.thickness));
    p.x *= scale * (1.0 + waist * perlin(py * 0.45f + 0.3f, o, 0.5f, s.seed + 7));
    p.z *= scale * (1.0 + waist * perlin(py * 0.45f + 0.7f, o, 1.5f, s.seed + 8));
    p.y += s.topSlope * p.x * up * up;
    p.x += s.skew * up * up;
    return p;
}

}  // namespace

Mesh buildStone(const StoneShape& s, const Placement& placement) {
    const double hx = 0.5 * s.width, hz = 0.5 * s.thickness;
    Lattice L;
    L.xs = latticeLines(-hx, hx, std::min(s.round, 0.999 * hx), s.linesX);
    L.zs = latticeLines(-hz, hz, std::min(s.round, 0.999 * hz), s.linesZ);
    L.ys = heightLines(s);
    const int nx = int(L.xs.size()) - 1, ny = int(L.ys.size()) - 1, nz = int(L.zs.size()) - 1;
    L.ids.assign(L.xs.size() * L.ys.size() * L.zs.size(), -1);

    Mesh mesh;
    for (int i = 0; i <= nx; ++i)
        for (int j = 0; j <= ny; ++j)
            for (int k = 0; k <= nz; ++k) {
                const bool surface = i == 0 || i == nx || j == 0 || j == ny || k == 0 || k == nz;
                if (!surface) continue;
                L.ids[(size_t(i) * L.ys.size() + j) * L.zs.size() + k] = int(mesh.positions.size());
                const Vec3 local = shapePoint(s, {L.xs[i], L.ys[j], L.zs[k]});
                mesh.positions.push_back(place(placement, local));
                // Texture coordinates wrap once round the stone and run up it.
                const double around = std::atan2(L.zs[k], L.xs[i]) / (2.0 * kPi) + 0.5;
                const double along = (L.ys[j] + s.buried) / (s.height + s.buried);
                mesh.uvs.push_back({around, along});
            }

    // Six faces; for each, (u, v) are chosen so that u x v is the outward
    // normal, which makes the quads counter-clockwise seen from outside.
    auto quad = [&](int a, int b, int c, int d, bool flipDiagonal) {
        if (flipDiagonal) {
            mesh.triangles.push_back({a, b, d});
            mesh.triangles.push_back({b, c, d});
        } else {
            mesh.triangles.push_back({a, b, c});
            mesh.triangles.push_back({a, c, d});
        }
    };
    for (int j = 0; j < ny; ++j)
        for (int k = 0; k < nz; ++k) {
            const bool f = (j + k) % 2 == 1;
            quad(L.id(nx, j, k), L.id(nx, j + 1, k), L.id(nx, j + 1, k + 1), L.id(nx, j, k + 1), f);
            quad(L.id(0, j, k), L.id(0, j, k + 1), L.id(0, j + 1, k + 1), L.id(0, j + 1, k), f);
        }
    for (int k = 0; k < nz; ++k)
        for (int i = 0; i < nx; ++i) {
            const bool f = (k + i) % 2 == 1;
            quad(L.id(i, ny, k), L.id(i, ny, k + 1), L.id(i + 1, ny, k + 1), L.id(i + 1, ny, k), f);
            quad(L.id(i, 0, k), L.id(i + 1, 0, k), L.id(i + 1, 0, k + 1), L.id(i, 0, k + 1), f);
        }
    for (int i = 0; i < nx; ++i)
        for (int j = 0; j < ny; ++j) {
            const bool f = (i + j) % 2 == 1;
            quad(L.id(i, j, nz), L.id(i + 1, j, nz), L.id(i + 1, j + 1, nz), L.id(i, j + 1, nz), f);
            quad(L.id(i, j, 0), L.id(i, j + 1, 0), L.id(i + 1, j + 1, 0), L.id(i + 1, j, 0), f);
        }

    // Every placement is a proper rotation, but a safety net costs nothing:
    // a mesh turned inside out would be lit from behind.
    if (signedVolume(mesh) < 0.0)
        for (auto& t : mesh.triangles) std::swap(t[1], t[2]);
    computeSmoothNormals(mesh);
    return mesh;
}

void computeSmoothNormals(Mesh& mesh) {
    mesh.normals.assign(mesh.positions.size(), Vec3{});
    for (const auto& t : mesh.triangles) {
        const Vec3 a = mesh.positions[t[0]], b = mesh.positions[t[1]], c = mesh.positions[t[2]];
        const Vec3 n = cross(b - a, c - a);  // length is twice the area
        for (int v : t) mesh.normals[v] = mesh.normals[v] + n;
    }
    for (Vec3& n : mesh.normals) n = normalised(n);
}

double signedVolume(const Mesh& mesh) {
    double v = 0.0;
    for (const auto& t : mesh.triangles)
        v += dot(mesh.positions[t[0]], cross(mesh.positions[t[1]], mesh.positions[t[2]]));
    return v / 6.0;
}

}  // namespace assets

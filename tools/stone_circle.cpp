#include "tools/stone_circle.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <set>

#include "tools/noise.h"

namespace assets {
namespace {

constexpr double kDeg = kPi / 180.0;

// Site angle of the axis out to the heel stone, and of the great trilithon
// on the other side of the centre.
const double kAxisAngle = std::atan2(-kAxisSceneX, kAxisSceneZ);
const double kGreatAngle = kAxisAngle + kPi;

constexpr double kSarsenRadius = 14.8;  // centre line of the outer uprights
constexpr double kLintelBase = 4.05;    // top of the outer uprights above ground
constexpr double kBluestoneRadius = 11.6;
constexpr double kHeelDistance = 25.0;

std::string numbered(const char* prefix, int n) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s_%02d", prefix, n);
    return buf;
}

// A stone standing at site angle `angle` and `radius` from the centre, its
// face towards the centre (the stone's +z points inwards).
Placement onRing(double angle, double radius, const GroundFunction& ground) {
    Placement p;
    p.x = radius * std::cos(angle);
    p.z = radius * std::sin(angle);
    p.y = ground(p.x, p.z);
    p.yaw = angle + 0.5 * kPi;
    return p;
}

// A stone laid flat: centre (x, z), its length along site direction `towards`
// (radians), its thickness upright and sunk by `sink` metres.
Placement lyingFlat(double x, double z, double towards, double length, double thickness,
                    double sink, const GroundFunction& ground) {
    Placement p;
    // Lean pi/2 turns the stone's length onto its +z; yaw then points it.
    p.yaw = towards - 0.5 * kPi;
    p.lean = 0.5 * kPi;
    p.x = x - 0.5 * length * std::cos(towards);
    p.z = z - 0.5 * length * std::sin(towards);
    p.y = ground(x, z) + 0.5 * thickness - sink;
    return p;
}

StoneShape sarsenUpright(Random& r, int seed) {
    StoneShape s;
    s.width = r.range(1.95, 2.25);
    s.thickness = r.range(0.95, 1.15);
    s.height = kLintelBase + 0.18;
    s.buried = r.range(1.0, 1.4);
    s.round = 0.22;
    s.taper = r.range(0.86, 0.95);
    s.bumps = 0.11;
    s.pits = 0.03;
    s.skew = r.range(-0.15, 0.15);
    s.linesX = 3;
    s.linesY = 5;
    s.linesZ = 1;
    s.seed = seed;
    return s;
}

StoneShape bluestone(Random& r, int seed, double height) {
    StoneShape s;
    s.width = r.range(0.5, 0.85);
    s.thickness = r.range(0.38, 0.55);
    s.height = height;
    s.buried = 0.8;
    s.round = 0.16;
    s.taper = r.range(0.7, 0.9);
    s.topSlope = r.range(-0.35, 0.35);
    s.skew = r.range(-0.08, 0.08);
    s.bumps = 0.035;
    s.pits = 0.015;
    s.linesX = 1;
    s.linesY = 3;
    s.linesZ = 1;
    s.seed = seed;
    return s;
}

void outerRing(std::vector<Stone>& out, const GroundFunction& ground) {
    // Uprights are numbered from the entrance, which lies on the axis between
    // upright 29 and upright 0.
    const std::set<int> missing{11, 13, 17, 18, 20, 25};
    const std::set<int> fallen{12, 21};
    const std::set<int> leaning{8, 23};
    const std::set<int> missingLintels{4, 15};
    auto carries = [&](int i) {
        return !missing.count(i) && !fallen.count(i) && !leaning.count(i);
    };
    const double step = 2.0 * kPi / 30.0;

    Random r(0x5A25E4);
    for (int i = 0; i < 30; ++i) {
        StoneShape s = sarsenUpright(r, 1000 + i);
        const double angle = kAxisAngle + (i + 0.5) * step + r.range(-0.004, 0.004);
        if (missing.count(i)) continue;
        Stone st{numbered("sarsen", i), "sarsen", s, onRing(angle, kSarsenRadius, ground)};
        st.placement.yaw += r.range(-0.05, 0.05);  // set by hand, not by a surveyor
        const bool bearsLintel =
            carries(i) &&
            ((carries(i + 1 == 30 ? 0 : i + 1) && !missingLintels.count(i)) ||
             (carries(i == 0 ? 29 : i - 1) && !missingLintels.count(i == 0 ? 29 : i - 1)));
        if (!bearsLintel) {
            // Without a lintel the top weathered freely.
            st.shape.height = kLintelBase + r.range(-0.35, 0.1);
            st.shape.topSlope = r.range(-0.12, 0.12);
            st.shape.taper = r.range(0.8, 0.9);
        }
        if (fallen.count(i)) {
            // Fell outwards and lies on its face, the broken base at its socket.
            st.name = numbered("sarsen_fallen", i);
            st.lying = true;
            st.shape.buried = 0.0;
            st.shape.height = r.range(3.6, 4.4);
            st.placement.lean = -0.5 * kPi;
            st.placement.yaw += r.range(-0.2, 0.2);
            st.placement.y += 0.5 * st.shape.thickness - 0.25;
        } else if (leaning.count(i)) {
            st.name = numbered("sarsen_leaning", i);
            st.placement.lean = (i == 8) ? -0.13 : 0.09;
        }
        out.push_back(st);
    }

    // Lintels: curved to the ring, resting on the two uprights they join.
    for (int j = 0; j < 30; ++j) {
        const int k = (j + 1) % 30;
        if (!carries(j) || !carries(k) || missingLintels.count(j)) continue;
        StoneShape s;
        s.width = kSarsenRadius * step - 0.06;
        s.thickness = r.range(0.95, 1.05);
        s.height = r.range(0.76, 0.84);
        s.buried = 0.0;
        s.round = 0.15;
        s.taper = 1.0;
        s.bumps = 0.035;
        s.pits = 0.02;
        s.linesX = 3;
        s.linesY = 1;
        s.linesZ = 1;
        s.seed = 2000 + j;
        Placement p;
        p.bendRadius = kSarsenRadius;
        p.bendAngle = kAxisAngle + (j + 1) * step;
        p.y = ground(kSarsenRadius * std::cos(p.bendAngle), kSarsenRadius * std::sin(p.bendAngle)) +
              kLintelBase;
        out.push_back({numbered("lintel", j), "sarsen", s, p});
    }

    // One lintel fell inwards where uprights 17 and 18 are gone.
    {
        StoneShape s;
        s.width = 3.0;
        s.thickness = 1.0;
        s.height = 0.8;
        s.buried = 0.0;
        s.round = 0.15;
        s.taper = 1.0;
        s.bumps = 0.04;
        s.linesX = 3;
        s.linesY = 1;
        s.linesZ = 1;
        s.seed = 2100;
        const double angle = kAxisAngle + 17.5 * step;
        Placement p = onRing(angle, 13.0, ground);
        p.yaw += 0.3;
        p.y -= 0.18;
        Stone st{"lintel_fallen_17", "sarsen", s, p};
        st.lying = true;
        out.push_back(st);
    }
}

void trilithons(std::vector<Stone>& out, const GroundFunction& ground) {
    struct Trilithon {
        const char* name;
        double offset;  // degrees from the great trilithon's direction
        double radius, height, width, lintelHeight;
        bool lintelFallen;
    };
    const Trilithon all[5] = {
        {"horseshoe_trilithon_great", 0.0, 6.4, 6.35, 2.2, 0.95, false},
        {"horseshoe_trilithon_north", 52.0, 6.8, 5.55, 2.0, 0.9, true},
        {"horseshoe_trilithon_south", -52.0, 6.8, 5.55, 2.0, 0.9, false},
        {"horseshoe_trilithon_northeast", 104.0, 7.5, 5.1, 1.9, 0.88, false},
        {"horseshoe_trilithon_southeast", -104.0, 7.5, 5.1, 1.9, 0.88, false},
    };
    Random r(0x7121);
    int seed = 3000;
    for (const Trilithon& t : all) {
        const double angle = kGreatAngle + t.offset * kDeg;
        const double cx = t.radius * std::cos(angle), cz = t.radius * std::sin(angle);
        const double tx = -std::sin(angle), tz = std::cos(angle);  // along the face
        const double gap = 0.35;
        for (int side = 0; side < 2; ++side) {
            StoneShape s;
            s.width = t.width;
            s.thickness = r.range(1.05, 1.2);
            s.height = t.height + 0.2;  // the tenon reaches into the lintel
            s.buried = 2.0;
            s.round = 0.25;
            s.taper = r.range(0.84, 0.9);
            s.bumps = 0.11;
            s.pits = 0.03;
            s.skew = r.range(-0.12, 0.12);
            s.linesX = 3;
            s.linesY = 7;
            s.linesZ = 1;
            s.seed = seed++;
            const double along = (side == 0 ? -1.0 : 1.0) * 0.5 * (t.width + gap);
            const double x = cx + along * tx, z = cz + along * tz;
            Placement p = onRing(angle, 0.0, ground);
            p.x = x;
            p.z = z;
            p.y = ground(x, z);
            Stone st{std::string(t.name) + (side == 0 ? "_upright_left" : "_upright_right"),
                     "sarsen", s, p};
            if (t.lintelFallen) {
                st.shape.height = t.height + r.range(-0.3, 0.0);
                st.shape.topSlope = 0.1;
                if (side == 1) st.placement.lean = -0.09;  // leans outwards
            }
            st.anchorsDepth = t.offset == 0.0;
            out.push_back(st);
        }
        StoneShape s;
        s.width = 2.0 * t.width + gap + 0.25;
        s.thickness = 1.05;
        s.height = t.lintelHeight;
        s.buried = 0.0;
        s.round = 0.18;
        s.taper = 1.0;
        s.bumps = 0.04;
        s.pits = 0.02;
        s.linesX = 4;
        s.linesY = 1;
        s.linesZ = 1;
        s.seed = seed++;
        Placement p = onRing(angle, t.radius, ground);
        Stone st{std::string(t.name) + "_lintel", "sarsen", s, p};
        if (t.lintelFallen) {
            // Slid off backwards and lies flat behind its uprights.
            p = onRing(angle + 0.05, t.radius + 2.5, ground);
            p.yaw += 0.35;
            p.y -= 0.2;
            st.placement = p;
            st.name = std::string(t.name) + "_lintel_fallen";
            st.lying = true;
        } else {
            st.placement.y += t.height;
        }
        out.push_back(st);
    }
}

void bluestones(std::vector<Stone>& out, const GroundFunction& ground) {
    Random r(0xB1E5);
    // The ring: forty sockets, a quarter of them empty, a few stumps and
    // leaning or fallen stones among the rest.
    const int slots = 40;
    for (int i = 0; i < slots; ++i) {
        const double angle = kAxisAngle + (i + 0.5) * 2.0 * kPi / slots + r.range(-0.025, 0.025);
        const double radius = kBluestoneRadius + r.range(-0.3, 0.3);
        const double fate = r.uniform();
        StoneShape s = bluestone(r, 4000 + i, r.range(1.4, 2.2));
        if (fate < 0.25) continue;
        Stone st{numbered("bluestone", i), "bluestone", s, onRing(angle, radius, ground)};
        st.placement.yaw += r.range(-0.35, 0.35);
        if (fate < 0.35) {
            st.name = numbered("bluestone_stump", i);
            st.shape.height = r.range(0.3, 0.6);
            st.shape.linesY = 1;
        } else if (fate < 0.45) {
            st.name = numbered("bluestone_leaning", i);
            st.placement.lean = r.range(-0.3, 0.3);
            st.placement.roll = r.range(-0.15, 0.15);
        } else if (fate < 0.5) {
            st.name = numbered("bluestone_fallen", i);
            st.lying = true;
            st.shape.buried = 0.0;
            st.placement.lean = 0.5 * kPi;
            st.placement.yaw += r.range(-0.6, 0.6);
            st.placement.y += 0.5 * st.shape.thickness - 0.12;
        }
        out.push_back(st);
    }

    // The horseshoe: dressed, slender pillars rising towards the great
    // trilithon, opening towards the axis like the trilithons.
    const int count = 15;
    for (int i = 0; i < count; ++i) {
        const double f = -1.0 + 2.0 * i / (count - 1);  // -1 .. 1 round the horseshoe
        if (i == 4 || i == 11) continue;                // two taken away
        const double offset = 118.0 * f * kDeg;
        const double radius = 4.9 + 0.75 * f * f;
        StoneShape s = bluestone(r, 4100 + i, 2.45 - 0.5 * f * f + r.range(-0.1, 0.1));
        s.width = r.range(0.5, 0.6);
        s.thickness = r.range(0.4, 0.48);
        s.taper = 0.82;
        s.topSlope = r.range(-0.15, 0.15);
        s.skew = 0.0;
        s.bumps = 0.02;
        s.linesY = 4;
        out.push_back({numbered("bluestone_horseshoe", i), "bluestone", s,
                       onRing(kGreatAngle + offset, radius, ground)});
    }
}

void outliers(std::vector<Stone>& out, const GroundFunction& ground) {
    const double ax = std::cos(kAxisAngle), az = std::sin(kAxisAngle);
    const double sx = -az, sz = ax;  // across the axis

    {  // The altar stone lies across the axis before the great trilithon.
        StoneShape s;
        s.width = 1.0;
        s.thickness = 0.5;
        s.height = 4.9;
        s.buried = 0.0;
        s.round = 0.12;
        s.taper = 0.95;
        s.bumps = 0.03;
        s.pits = 0.02;
        s.linesX = 1;
        s.linesY = 4;
        s.linesZ = 1;
        s.seed = 5000;
        const double d = 3.3;
        Stone st{
            "altar_stone", "sarsen", s,
            lyingFlat(-ax * d, -az * d, kGreatAngle + 0.5 * kPi + 0.12, 4.9, 0.5, 0.15, ground)};
        st.lying = true;
        out.push_back(st);
    }
    {  // The heel stone: unshaped, leaning towards the circle, out on the axis.
        StoneShape s;
        s.width = 2.4;
        s.thickness = 2.0;
        s.height = 4.7;
        s.buried = 1.2;
        s.round = 0.55;
        s.taper = 0.62;
        s.topSlope = 0.25;
        s.skew = 0.15;
        s.bumps = 0.16;
        s.pits = 0.04;
        s.linesX = 3;
        s.linesY = 6;
        s.linesZ = 2;
        s.seed = 5100;
        Placement p = onRing(kAxisAngle, kHeelDistance, ground);
        p.lean = 0.2;
        out.push_back({"heel_stone", "sarsen", s, p});
    }
    {  // The slaughter stone lies beside the axis at the entrance.
        StoneShape s;
        s.width = 2.0;
        s.thickness = 0.8;
        s.height = 6.0;
        s.buried = 0.0;
        s.round = 0.25;
        s.taper = 0.85;
        s.bumps = 0.07;
        s.pits = 0.03;
        s.linesX = 2;
        s.linesY = 5;
        s.linesZ = 1;
        s.seed = 5200;
        const double d = 19.5, side = -3.2;
        Stone st{"slaughter_stone", "sarsen", s,
                 lyingFlat(ax * d + sx * side, az * d + sz * side, kAxisAngle + 0.35, 6.0, 0.8, 0.3,
                           ground)};
        st.lying = true;
        out.push_back(st);
    }
    {  // Station stones: one still standing, one fallen.
        StoneShape s;
        s.width = 1.3;
        s.thickness = 0.9;
        s.height = 2.3;
        s.buried = 0.9;
        s.round = 0.3;
        s.taper = 0.8;
        s.topSlope = 0.2;
        s.bumps = 0.08;
        s.pits = 0.03;
        s.linesX = 2;
        s.linesY = 4;
        s.linesZ = 1;
        s.seed = 5300;
        out.push_back(
            {"station_stone_93", "sarsen", s, onRing(kAxisAngle - 62.0 * kDeg, 17.5, ground)});
        s.seed = 5301;
        s.height = 2.7;
        s.buried = 0.0;
        const double a = kAxisAngle + 118.0 * kDeg;
        Stone st{"station_stone_91", "sarsen", s,
                 lyingFlat(17.5 * std::cos(a), 17.5 * std::sin(a), a + 0.4, 2.7, 0.9, 0.2, ground)};
        st.lying = true;
        out.push_back(st);
    }
    {  // The sunset stone lies fallen on the axis behind the great trilithon,
       // where the twilight sun goes down. It also balances the heel stone in
       // the model's bounding box, so its final place is found by the fit.
        StoneShape s;
        s.width = 1.7;
        s.thickness = 0.75;
        s.height = 3.4;
        s.buried = 0.0;
        s.round = 0.25;
        s.taper = 0.8;
        s.bumps = 0.06;
        s.pits = 0.03;
        s.linesX = 2;
        s.linesY = 4;
        s.linesZ = 1;
        s.seed = 5400;
        const double d = 22.5;
        Stone st{"sunset_stone", "sarsen", s,
                 lyingFlat(-ax * d, -az * d, kGreatAngle + 0.3, 3.4, 0.75, 0.2, ground)};
        st.lying = true;
        st.balancesBox = true;
        out.push_back(st);
    }
}

void bounds(const std::vector<Mesh>& meshes, Vec3& lo, Vec3& hi, int skip = -1) {
    lo = {1e30, 1e30, 1e30};
    hi = {-1e30, -1e30, -1e30};
    for (size_t m = 0; m < meshes.size(); ++m) {
        if (int(m) == skip) continue;
        for (const Vec3& p : meshes[m].positions) {
            lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
            hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
        }
    }
}

}  // namespace

std::vector<Stone> layoutStoneCircle(const GroundFunction& ground) {
    std::vector<Stone> stones;
    outerRing(stones, ground);
    trilithons(stones, ground);
    bluestones(stones, ground);
    outliers(stones, ground);
    return stones;
}

StoneModel buildStoneCircle(const GroundFunction& ground) {
    StoneModel model;
    model.stones = layoutStoneCircle(ground);
    for (const Stone& s : model.stones) model.meshes.push_back(buildStone(s.shape, s.placement));

    // Height: the box's middle lands at scene height 1.9, so with the box's
    // middle at site height 1.9 every site height is a scene height and the
    // stones meet the terrain where the heightmap puts it. The deepest base
    // therefore lies as far below 1.9 m as the highest top lies above; the
    // anchoring stones' buried parts are stretched down to it.
    Vec3 lo, hi;
    bounds(model.meshes, lo, hi);
    const double base = 2.0 * kModelOffsetY - hi.y;
    for (size_t m = 0; m < model.stones.size(); ++m) {
        if (!model.stones[m].anchorsDepth) continue;
        Mesh& mesh = model.meshes[m];
        const double g = model.stones[m].placement.y;
        double low = g;
        for (const Vec3& p : mesh.positions) low = std::min(low, p.y);
        const double k = (g - base) / (g - low);
        for (Vec3& p : mesh.positions)
            if (p.y < g) p.y = g + (p.y - g) * k;
        computeSmoothNormals(mesh);
    }

    // Width: the balancing stone's far corner is put where the others' near
    // corner would be, mirrored through the circle's centre.
    for (size_t m = 0; m < model.stones.size(); ++m) {
        if (!model.stones[m].balancesBox) continue;
        Vec3 others, othersHi, own, ownHi;
        bounds(model.meshes, others, othersHi, int(m));
        std::vector<Mesh> self{model.meshes[m]};
        bounds(self, own, ownHi);
        const double dx = -others.x - ownHi.x, dz = -others.z - ownHi.z;
        const double cx = 0.5 * (own.x + ownHi.x), cz = 0.5 * (own.z + ownHi.z);
        const double dy = ground(cx + dx, cz + dz) - ground(cx, cz);
        for (Vec3& p : model.meshes[m].positions) p = p + Vec3{dx, dy, dz};
        model.stones[m].placement.x += dx;
        model.stones[m].placement.y += dy;
        model.stones[m].placement.z += dz;
    }
    bounds(model.meshes, model.boundsMin, model.boundsMax);
    return model;
}

std::vector<Footprint> footprints(const StoneModel& model, const GroundFunction& ground) {
    std::vector<Footprint> out;
    for (const Mesh& mesh : model.meshes) {
        // The stone's points near the ground outline where it meets it.
        double sx = 0.0, sz = 0.0;
        int n = 0;
        std::vector<const Vec3*> near;
        for (const Vec3& p : mesh.positions)
            if (std::fabs(p.y - ground(p.x, p.z)) < 0.45) near.push_back(&p);
        if (near.empty()) continue;  // a lintel up on its uprights
        for (const Vec3* p : near) {
            sx += p->x;
            sz += p->z;
            ++n;
        }
        const double cx = sx / n, cz = sz / n;
        double radius = 0.0;
        for (const Vec3* p : near) radius = std::max(radius, std::hypot(p->x - cx, p->z - cz));
        out.push_back({cx, cz, radius});
    }
    return out;
}

}  // namespace assets

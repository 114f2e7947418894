// One stone's mesh: closed, wound outwards, with normals that agree.
#include "tools/stone_mesh.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>
#include <vector>

using namespace assets;

namespace {

struct Case {
    const char* name;
    StoneShape shape;
    Placement placement;
};

std::vector<Case> cases() {
    StoneShape upright;  // the defaults: a 2 x 1 x 4 m sarsen, 1 m buried
    StoneShape slender;
    slender.width = 0.6;
    slender.thickness = 0.45;
    slender.height = 1.8;
    slender.buried = 0.8;
    slender.round = 0.16;
    slender.linesX = slender.linesZ = 1;
    slender.topSlope = 0.3;
    StoneShape lintel;
    lintel.width = 3.0;
    lintel.height = 0.8;
    lintel.buried = 0.0;
    lintel.round = 0.15;
    lintel.linesY = 1;

    Placement leaning;
    leaning.x = 3.0;
    leaning.z = -2.0;
    leaning.yaw = 2.1;
    leaning.lean = 0.3;
    leaning.roll = -0.2;
    Placement lying;
    lying.yaw = -0.7;
    lying.lean = -1.5707963;
    Placement bent;
    bent.bendRadius = 14.8;
    bent.bendAngle = 1.2;
    bent.y = 4.0;
    return {{"upright", upright, {}},
            {"slender", slender, leaning},
            {"lying", upright, lying},
            {"bent lintel", lintel, bent}};
}

}  // namespace

TEST(StoneMesh, IsClosedWithEveryEdgeWalkedOnceEachWay) {
    // A hole or a flipped triangle shows as a directed edge that is not
    // matched by exactly one edge the other way.
    for (const Case& c : cases()) {
        const Mesh m = buildStone(c.shape, c.placement);
        std::map<std::pair<int, int>, int> edges;
        for (const auto& t : m.triangles)
            for (int k = 0; k < 3; ++k) ++edges[{t[k], t[(k + 1) % 3]}];
        for (const auto& [e, n] : edges) {
            ASSERT_EQ(n, 1) << c.name;
            ASSERT_EQ(edges.count({e.second, e.first}), 1u) << c.name << ": open edge";
        }
        EXPECT_GT(m.triangles.size(), 20u) << c.name;
    }
}

TEST(StoneMesh, FacesOutwardsWithNormalsThatAgree) {
    for (const Case& c : cases()) {
        const Mesh m = buildStone(c.shape, c.placement);
        EXPECT_GT(signedVolume(m), 0.0) << c.name;
        ASSERT_EQ(m.normals.size(), m.positions.size());
        Vec3 centre;
        for (const Vec3& p : m.positions) centre = centre + p * (1.0 / m.positions.size());
        int outward = 0;
        for (size_t i = 0; i < m.positions.size(); ++i) {
            EXPECT_NEAR(length(m.normals[i]), 1.0, 1e-9);
            if (dot(m.normals[i], m.positions[i] - centre) > 0.0) ++outward;
        }
        EXPECT_GT(outward, int(0.95 * m.positions.size())) << c.name;
        // Each triangle's winding agrees with the smooth normals at its corners.
        int agree = 0;
        for (const auto& t : m.triangles) {
            const Vec3 n =
                cross(m.positions[t[1]] - m.positions[t[0]], m.positions[t[2]] - m.positions[t[0]]);
            if (dot(n, m.normals[t[0]] + m.normals[t[1]] + m.normals[t[2]]) > 0.0) ++agree;
        }
        EXPECT_EQ(agree, int(m.triangles.size())) << c.name;
    }
}

TEST(StoneMesh, StaysNearItsNominalSize) {
    // Weathering roughens the stone; it must not swell it or tear it apart.
    StoneShape s;
    const Mesh m = buildStone(s, {});
    double lo = 1e9, hi = -1e9, wide = 0.0;
    for (const Vec3& p : m.positions) {
        lo = std::min(lo, p.y);
        hi = std::max(hi, p.y);
        wide = std::max(wide, std::fabs(p.x));
    }
    EXPECT_NEAR(hi, s.height, 0.25);
    EXPECT_NEAR(lo, -s.buried, 0.25);
    EXPECT_NEAR(wide, 0.5 * s.width, 0.3);
}

TEST(StoneMesh, BentStoneFollowsItsCircle) {
    const Case bent = cases()[3];
    const Mesh m = buildStone(bent.shape, bent.placement);
    const double r = bent.placement.bendRadius, half = 0.5 * bent.shape.thickness + 0.15;
    for (const Vec3& p : m.positions) {
        EXPECT_NEAR(std::hypot(p.x, p.z), r, half);
        EXPECT_NEAR(std::atan2(p.z, p.x), bent.placement.bendAngle,
                    0.5 * bent.shape.width / r + 0.02);
    }
}

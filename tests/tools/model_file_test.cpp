// "sthenge3.obj" and its library, read back as the program reads them, and
// placed in the scene as the program places them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "generated_data.h"

using namespace assets_test;

namespace {

struct P3 {
    double x = 0, y = 0, z = 0;
};

struct ObjFile {
    std::vector<std::string> problems;  // with line numbers
    std::vector<std::string> libraries;
    std::vector<P3> v, vn;
    size_t vtCount = 0;
    struct Tri {
        int v[3], t[3], n[3];
    };
    std::vector<Tri> tris;
    std::map<std::string, std::vector<size_t>> groups;  // name -> triangles
    std::map<std::string, std::string> groupMaterial;
};

ObjFile parseObj(std::istream& in) {
    ObjFile f;
    std::string line, group;
    for (int number = 1; std::getline(in, line); ++number) {
        std::istringstream s(line);
        std::string k;
        s >> k;
        auto problem = [&](const std::string& what) {
            f.problems.push_back(std::to_string(number) + ": " + what);
        };
        if (k == "v" || k == "vn") {
            P3 p;
            if (!(s >> p.x >> p.y >> p.z)) problem("short vertex");
            (k == "v" ? f.v : f.vn).push_back(p);
        } else if (k == "vt") {
            double a, b;
            if (!(s >> a >> b)) problem("short texture coordinate");
            ++f.vtCount;
        } else if (k == "g") {
            if (!(s >> group)) problem("group without a name");
        } else if (k == "usemtl") {
            std::string m;
            s >> m;
            f.groupMaterial[group] = m;
        } else if (k == "mtllib") {
            std::string m;
            while (s >> m) f.libraries.push_back(m);
        } else if (k == "f") {
            std::vector<std::string> corners;
            std::string c;
            while (s >> c) corners.push_back(c);
            if (corners.size() != 3) problem("not a triangle");
            if (group.empty()) problem("face outside a group");
            ObjFile::Tri t{};
            for (size_t i = 0; i < std::min<size_t>(3, corners.size()); ++i) {
                char slash1 = 0, slash2 = 0;
                std::istringstream cs(corners[i]);
                if (!(cs >> t.v[i] >> slash1 >> t.t[i] >> slash2 >> t.n[i]) || slash1 != '/' ||
                    slash2 != '/')
                    problem("corner not in the form v/vt/vn: " + corners[i]);
                if (t.v[i] < 1 || size_t(t.v[i]) > f.v.size() || t.t[i] < 1 ||
                    size_t(t.t[i]) > f.vtCount || t.n[i] < 1 || size_t(t.n[i]) > f.vn.size())
                    problem("index out of range: " + corners[i]);
            }
            f.groups[group].push_back(f.tris.size());
            f.tris.push_back(t);
        } else if (!k.empty() && k[0] != '#') {
            problem("unexpected keyword " + k);
        }
    }
    return f;
}

const ObjFile& obj() {
    static const ObjFile f = [] {
        std::ifstream in(dataDir() + "/sthenge3.obj");
        return parseObj(in);
    }();
    return f;
}

// The program's preparation and placement: scale by the float 0.115, box
// centre to the origin, turn -90 degrees about y, move to (50, 1.9, 49).
struct Scene {
    std::vector<P3> points;
    Scene() {
        const double s = double(0.115f);
        P3 lo{1e30, 1e30, 1e30}, hi{-1e30, -1e30, -1e30};
        for (const P3& p : obj().v) {
            lo = {std::min(lo.x, p.x * s), std::min(lo.y, p.y * s), std::min(lo.z, p.z * s)};
            hi = {std::max(hi.x, p.x * s), std::max(hi.y, p.y * s), std::max(hi.z, p.z * s)};
        }
        const P3 c{0.5 * (lo.x + hi.x), 0.5 * (lo.y + hi.y), 0.5 * (lo.z + hi.z)};
        for (const P3& p : obj().v) {
            const P3 m{p.x * s - c.x, p.y * s - c.y, p.z * s - c.z};
            // glRotatef(-90, 0, 1, 0): x' = -z, z' = x.
            points.push_back({50.0 - m.z, 1.9 + m.y, 49.0 + m.x});
        }
    }
};
const Scene& scene() {
    static const Scene s;
    return s;
}

std::set<int> groupVertices(const std::string& name) {
    std::set<int> out;
    for (size_t t : obj().groups.at(name))
        for (int v : obj().tris[t].v) out.insert(v - 1);
    return out;
}

bool startsWith(const std::string& s, const char* p) {
    return s.rfind(p, 0) == 0;
}

}  // namespace

TEST(ModelFile, HasOnlyTrianglesWithEveryCornerComplete) {
    const ObjFile& f = obj();
    for (const std::string& p : f.problems) ADD_FAILURE() << "sthenge3.obj:" << p;
    EXPECT_FALSE(f.tris.empty());
    // Light enough to draw in immediate mode every frame.
    EXPECT_LT(f.tris.size(), 20000u);
    for (const P3& n : f.vn) EXPECT_NEAR(std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z), 1.0, 1e-3);
}

TEST(ModelFile, FirstFaceLineFixesTheFullForm) {
    // The reader takes the face form of the whole file from its first face.
    std::ifstream in(dataDir() + "/sthenge3.obj");
    std::string line;
    while (std::getline(in, line) && !startsWith(line, "f ")) {
    }
    std::istringstream s(line.substr(2));
    std::string first;
    s >> first;
    const size_t a = first.find('/'), b = first.find('/', a + 1);
    ASSERT_NE(a, std::string::npos);
    ASSERT_NE(b, std::string::npos);
    EXPECT_GT(b, a + 1) << "position/texture/normal, not position//normal";
}

TEST(ModelFile, MaterialsAndTheirTexturesExist) {
    ASSERT_EQ(obj().libraries.size(), 1u);
    std::ifstream in(dataDir() + "/" + obj().libraries[0]);
    ASSERT_TRUE(in.good());
    std::set<std::string> materials;
    std::string k, name;
    while (in >> k) {
        if (k == "newmtl") {
            in >> name;
            materials.insert(name);
        } else if (startsWith(k, "map_")) {
            std::string rest;
            std::getline(in, rest);
            std::istringstream words(rest);
            std::string file, w;
            while (words >> w) file = w;  // the reader takes the last word
            EXPECT_GT(decode(dataDir() + "/" + file).width, 0) << file << " named by " << name;
        }
    }
    EXPECT_FALSE(materials.empty());
    for (const auto& [group, triangles] : obj().groups) {
        ASSERT_TRUE(obj().groupMaterial.count(group)) << group << " has no material";
        EXPECT_TRUE(materials.count(obj().groupMaterial.at(group))) << group;
    }
}

TEST(ModelFile, WindingAgreesWithTheFileNormals) {
    // Normal mode 1 lights by the winding, mode 0 by the file's normals; a
    // stone turned inside out would look right in one mode only.
    const ObjFile& f = obj();
    size_t agree = 0;
    for (const auto& t : f.tris) {
        const P3 &a = f.v[t.v[0] - 1], &b = f.v[t.v[1] - 1], &c = f.v[t.v[2] - 1];
        const P3 u{b.x - a.x, b.y - a.y, b.z - a.z}, w{c.x - a.x, c.y - a.y, c.z - a.z};
        const P3 n{u.y * w.z - u.z * w.y, u.z * w.x - u.x * w.z, u.x * w.y - u.y * w.x};
        double d = 0;
        for (int k = 0; k < 3; ++k) {
            const P3& m = f.vn[t.n[k] - 1];
            d += n.x * m.x + n.y * m.y + n.z * m.z;
        }
        if (d > 0) ++agree;
    }
    EXPECT_EQ(agree, f.tris.size());
}

TEST(ModelPlacement, OuterRingIsCentredOnTheCircleSpot) {
    // The program draws the model's box centre at (50, 49): the generator
    // balances the box so the ring's centre lands there.
    int uprights = 0;
    for (const auto& [name, tris] : obj().groups) {
        if (!startsWith(name, "sarsen_") || startsWith(name, "sarsen_fallen") ||
            startsWith(name, "sarsen_leaning"))
            continue;
        double x = 0, z = 0;
        const std::set<int> vs = groupVertices(name);
        for (int v : vs) x += scene().points[v].x / vs.size(), z += scene().points[v].z / vs.size();
        EXPECT_NEAR(std::hypot(x - 50.0, z - 49.0), 14.8, 0.35) << name;
        ++uprights;
    }
    EXPECT_GE(uprights, 18);
}

TEST(ModelPlacement, StonesStandOnTheTerrainNeitherFloatingNorBuried) {
    const TerrainFile& ground = terrainFile();
    double top = -1e9;
    for (const auto& [name, tris] : obj().groups) {
        double below = 1e9, above = -1e9;  // lowest and highest height over the ground
        for (int v : groupVertices(name)) {
            const P3& p = scene().points[v];
            const double h = p.y - ground.at(p.x, p.z);
            below = std::min(below, h);
            above = std::max(above, h);
            top = std::max(top, p.y);
        }
        const bool raisedLintel =
            (startsWith(name, "lintel_") && !startsWith(name, "lintel_fallen")) ||
            (name.size() > 7 && name.compare(name.size() - 7, 7, "_lintel") == 0);
        if (raisedLintel) {
            EXPECT_GT(below, 3.5) << name << " should rest on its uprights";
        } else {
            EXPECT_LT(below, 0.0) << name << " floats";
            EXPECT_GT(above, 0.25) << name << " is buried";
        }
    }
    // The great trilithon stands about 7.3 m tall.
    EXPECT_NEAR(top, 7.3, 0.4);
}

TEST(ModelPlacement, StartViewStandsClearOfTheStones) {
    const P3 eye{50.0, 1.8, 50.0};
    double nearest = 1e9;
    for (const P3& p : scene().points)
        if (p.y > 0.0) nearest = std::min(nearest, std::hypot(p.x - eye.x, p.z - eye.z));
    EXPECT_GT(nearest, 2.0);
}

TEST(ModelPlacement, EveryViewpointEyeIsOutsideTheStones) {
    // A stone's footprint holding an eye would fill the view with its inside.
    const double views[5][3] = {
        {50, 1.8, 50}, {2, 1.8, 2}, {50, 50, 50}, {65, 0, 35}, {46, 16, 71}};
    for (const auto& [name, tris] : obj().groups) {
        P3 lo{1e9, 1e9, 1e9}, hi{-1e9, -1e9, -1e9};
        for (int v : groupVertices(name)) {
            const P3& p = scene().points[v];
            lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
            hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
        }
        for (const auto& e : views) {
            const bool inside = e[0] > lo.x - 0.5 && e[0] < hi.x + 0.5 && e[1] > lo.y - 0.5 &&
                                e[1] < hi.y + 0.5 && e[2] > lo.z - 0.5 && e[2] < hi.z + 0.5;
            EXPECT_FALSE(inside) << name << " at eye (" << e[0] << ", " << e[1] << ", " << e[2]
                                 << ")";
        }
    }
}

// "sthenge3.obj" as the build generated it, read by the program's own reader
// and prepared as the program prepares it before the first frame.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "generated_data.h"
#include "model/obj_model.h"
#include "model/obj_reader.h"
#include "tools/scene_frame.h"
#include "tools/stone_circle.h"
#include "tools/terrain.h"

using namespace assets_test;

namespace {

const ObjModel& readModel() {
    static const ObjModel model = [] {
        ObjModel m;
        loadObjModel(dataDir() + "/sthenge3.obj", m);
        return m;
    }();
    return model;
}

bool inRange(const std::vector<int>& indices, size_t size) {
    for (int i : indices)
        if (i < 0 || size_t(i) >= size) return false;
    return true;
}

}  // namespace

TEST(ModelReading, EveryFaceIsATriangleWithCompleteInRangeCorners) {
    const ObjModel& m = readModel();
    ASSERT_FALSE(m.faces.empty());
    EXPECT_EQ(m.triangles.size(), m.faces.size());
    EXPECT_TRUE(m.quads.empty());
    EXPECT_TRUE(m.polygons.empty());
    for (size_t f = 0; f < m.faces.size(); ++f) {
        const Face& face = m.faces[f];
        ASSERT_EQ(face.vertexIndices.size(), 3u) << "face " << f;
        ASSERT_EQ(face.normalIndices.size(), 3u) << "face " << f;
        ASSERT_EQ(face.texCoordIndices.size(), 3u) << "face " << f;
        EXPECT_TRUE(inRange(face.vertexIndices, m.vertices.size())) << "face " << f;
        EXPECT_TRUE(inRange(face.normalIndices, m.normals.size())) << "face " << f;
        EXPECT_TRUE(inRange(face.texCoordIndices, m.texCoords.size())) << "face " << f;
    }
    size_t grouped = 0;
    for (const auto& [name, group] : m.groups) {
        EXPECT_TRUE(inRange(group.triangleIndices, m.triangles.size())) << name;
        grouped += group.triangleIndices.size();
    }
    EXPECT_EQ(grouped, m.triangles.size());  // every triangle is drawn, once
}

// The program scales by 0.115 and centres the box; the generator built the
// file so that the box it then has is the site's box, whose middle is the
// circle's centre 1.9 m above the ground.
TEST(ModelReading, PreparedBoxIsTheSitesBoxAboutItsMiddle) {
    ObjModel m = readModel();
    m.scale(assets::kModelScale);
    m.computeBounds();
    const Vector3 middle{(m.boundsMin.x + m.boundsMax.x) / 2, (m.boundsMin.y + m.boundsMax.y) / 2,
                         (m.boundsMin.z + m.boundsMax.z) / 2};
    m.moveCentreToOrigin();
    m.computeBounds();

    const assets::Heightmap map = assets::makeHeightmap();
    const assets::StoneModel site = assets::buildStoneCircle([&map](double x, double z) {
        const assets::ScenePoint p = assets::siteToScene(x, z);
        return map.heightAt(p.x, p.z);
    });
    const double tolerance = 0.002;  // metres; the file stores a few decimals
    EXPECT_NEAR(middle.x, 0.0, tolerance);
    EXPECT_NEAR(middle.y, assets::kModelOffsetY, tolerance);
    EXPECT_NEAR(middle.z, 0.0, tolerance);
    const assets::Vec3 half = (site.boundsMax - site.boundsMin) * 0.5;
    EXPECT_NEAR(m.boundsMax.x, half.x, tolerance);
    EXPECT_NEAR(m.boundsMax.y, half.y, tolerance);
    EXPECT_NEAR(m.boundsMax.z, half.z, tolerance);
    EXPECT_NEAR(m.boundsMin.x, -half.x, tolerance);
    EXPECT_NEAR(m.boundsMin.y, -half.y, tolerance);
    EXPECT_NEAR(m.boundsMin.z, -half.z, tolerance);
}

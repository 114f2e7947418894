// Face and vertex normals on tiny models: shared edges, coplanar faces, the
// exact-equality rule, and faces that give no direction.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/obj_model.h"

namespace {

using Ints = std::vector<int>;

Face faceOf(std::vector<int> corners) {
    Face face;
    face.cornerCount = static_cast<int>(corners.size());
    face.vertexIndices = std::move(corners);
    return face;
}

Vector3 unit(const Vector3& v) {
    return v / length(v);
}

// A roof: two triangles meeting along the ridge 0-1, one sloping each way.
ObjModel roof() {
    ObjModel model;
    model.addVertex(Vector3(0, 1, 0));   // 0 ridge
    model.addVertex(Vector3(0, 1, 1));   // 1 ridge
    model.addVertex(Vector3(1, 0, 0));   // 2 eave +x
    model.addVertex(Vector3(-1, 0, 0));  // 3 eave -x
    model.addFace(faceOf({0, 1, 2}), {"roof"});
    model.addFace(faceOf({1, 0, 3}), {"roof"});
    return model;
}

}  // namespace

TEST(FaceNormals, UnitNormalsTrianglesFirstThenQuadsThenPolygons) {
    ObjModel model;
    model.addVertex(Vector3(0, 0, 0));
    model.addVertex(Vector3(2, 0, 0));
    model.addVertex(Vector3(2, 2, 0));
    model.addVertex(Vector3(0, 2, 0));
    model.addFace(faceOf({0, 1, 2, 3}), {});     // quad, counter-clockwise seen from +z
    model.addFace(faceOf({0, 1}), {});           // two corners: no normal
    model.addFace(faceOf({0, 2, 1}), {});        // triangle, clockwise: faces -z
    model.addFace(faceOf({0, 1, 2, 3, 0}), {});  // polygon
    model.buildFaceNormals();

    ASSERT_EQ(model.faceNormals.size(), 3u);
    EXPECT_EQ(model.faceNormals[0], Vector3(0, 0, -1));  // the triangle comes first
    EXPECT_EQ(model.faceNormals[1], Vector3(0, 0, 1));
    EXPECT_EQ(model.faceNormals[2], Vector3(0, 0, 1));
    EXPECT_EQ(model.triangles[0].faceNormalIndices, (Ints{0}));
    EXPECT_EQ(model.quads[0].faceNormalIndices, (Ints{1}));
    EXPECT_EQ(model.polygons[0].faceNormalIndices, Ints{});
    EXPECT_EQ(model.polygons[1].faceNormalIndices, (Ints{2}));
    for (const Face& face : model.faces) EXPECT_TRUE(face.faceNormalIndices.empty());

    // Rebuilding starts over rather than appending.
    model.buildFaceNormals();
    EXPECT_EQ(model.faceNormals.size(), 3u);
    EXPECT_EQ(model.quads[0].faceNormalIndices, (Ints{1}));
}

TEST(FaceNormals, FacesWithoutAreaOrWithLostCornersHaveNoDirection) {
    ObjModel model;
    model.addVertex(Vector3(0, 0, 0));
    model.addVertex(Vector3(1, 1, 1));
    model.addVertex(Vector3(2, 2, 2));
    model.addFace(faceOf({0, 1, 2}), {});   // collinear
    model.addFace(faceOf({-1, 1, 2}), {});  // index 0 in the file
    model.addFace(faceOf({0, 1, 7}), {});   // past the end
    model.addVertex(Vector3(1e308, 0, 0));
    model.addVertex(Vector3(-1e308, 1e308, 0));
    model.addFace(faceOf({0, 3, 4}), {});  // its size overflows
    model.buildFaceNormals();
    ASSERT_EQ(model.faceNormals.size(), 4u);
    for (const Vector3& n : model.faceNormals) EXPECT_EQ(n, Vector3(0, 0, 0));
}

TEST(VertexNormals, SharedEdgeGetsTheNormalisedSumOfBothFaces) {
    ObjModel model = roof();
    model.buildVertexNormals();
    ASSERT_EQ(model.faceNormals.size(), 2u);  // built on the way
    const Vector3 a = model.faceNormals[0];
    const Vector3 b = model.faceNormals[1];
    EXPECT_NEAR(a.x, std::sqrt(0.5), 1e-15);
    EXPECT_NEAR(b.x, -std::sqrt(0.5), 1e-15);
    ASSERT_EQ(model.vertexNormals.size(), 4u);
    EXPECT_EQ(model.vertexNormals[0], unit(a + b));  // the ridge points straight up
    EXPECT_NEAR(model.vertexNormals[0].y, 1.0, 1e-15);
    EXPECT_EQ(model.vertexNormals[1], unit(a + b));
    EXPECT_EQ(model.vertexNormals[2], unit(a));  // normalised again, as every sum is
    EXPECT_EQ(model.vertexNormals[3], unit(b));
}

TEST(VertexNormals, EqualNormalsCountOnceAndOnlyWhenBitIdentical) {
    // Three faces around vertex 0; their normals are set by hand.
    ObjModel model;
    for (int i = 0; i < 4; ++i) model.addVertex(Vector3(i, i * i, 1));
    model.addFace(faceOf({0, 1, 2}), {});
    model.addFace(faceOf({0, 2, 3}), {});
    model.addFace(faceOf({0, 3, 1, 2}), {});
    model.buildFaceNormals();
    const Vector3 a = unit(Vector3(0, 0, 1));
    const Vector3 b = unit(Vector3(1, 0, 0));

    model.faceNormals = {a, a, b};  // two coplanar triangles and a quad
    model.buildVertexNormals();
    EXPECT_EQ(model.vertexNormals[0], unit(a + b));  // not 2a + b
    EXPECT_NE(model.vertexNormals[0], unit(a * 2.0 + b));

    const Vector3 aNext(a.x, std::nextafter(a.y, 1.0), a.z);  // differs in the last bit
    model.faceNormals = {a, aNext, b};
    model.buildVertexNormals();
    EXPECT_EQ(model.vertexNormals[0], unit(a + aNext + b));

    model.faceNormals = {Vector3(0, -0.0, 1), Vector3(0, 0.0, 1), b};  // -0 == +0
    model.buildVertexNormals();
    EXPECT_EQ(model.vertexNormals[0], unit(Vector3(0, 0.0, 1) + b));
}

TEST(VertexNormals, LargeFansFollowTheSameRuleBitForBit) {
    // Vertex 0 in 100 triangles whose normals repeat among seven directions;
    // the sum must be what the plain rule gives, in the plain rule's order.
    ObjModel model;
    model.addVertex(Vector3(0, 0, 0));
    for (int i = 1; i <= 101; ++i) model.addVertex(Vector3(std::cos(i), 1, std::sin(i)));
    for (int i = 1; i <= 100; ++i) model.addFace(faceOf({0, i, i + 1}), {});
    model.buildFaceNormals();
    std::vector<Vector3> directions;
    for (int k = 0; k < 7; ++k) directions.push_back(unit(Vector3(k, 1.0 / (k + 1), 3 - k)));
    for (size_t f = 0; f < model.faceNormals.size(); ++f) {
        model.faceNormals[f] = directions[(f * f + 3 * f) % 7];
    }
    Vector3 expected;
    for (size_t j = 0; j < model.faceNormals.size(); ++j) {
        bool later = false;
        for (size_t k = j + 1; k < model.faceNormals.size(); ++k) {
            later = later || model.faceNormals[k] == model.faceNormals[j];
        }
        if (!later) expected = expected + model.faceNormals[j];
    }
    model.buildVertexNormals();
    EXPECT_EQ(model.vertexNormals[0], unit(expected));
}

TEST(VertexNormals, QuadsAndPolygonsCountAndLostCornersAreLeftOut) {
    ObjModel model = roof();
    model.addVertex(Vector3(5, 5, 5));        // 4: used by no face
    model.addFace(faceOf({0, 2, 9}), {});     // corner 9 does not exist
    model.addFace(faceOf({1, 2, 3, 0}), {});  // a quad through the ridge
    model.addFace(faceOf({2, 3}), {});        // no normal: contributes nothing
    model.buildVertexNormals();
    ASSERT_EQ(model.vertexNormals.size(), 5u);
    EXPECT_EQ(model.vertexNormals[4], Vector3(0, 1, 0));  // no direction: up
    const Vector3 quad = model.faceNormals[3];
    EXPECT_EQ(model.vertexNormals[1], unit(model.faceNormals[0] + model.faceNormals[1] + quad));

    // Back-to-back faces cancel: up again.
    ObjModel sheet;
    sheet.addVertex(Vector3(0, 0, 0));
    sheet.addVertex(Vector3(1, 0, 0));
    sheet.addVertex(Vector3(0, 0, 1));
    sheet.addFace(faceOf({0, 1, 2}), {});
    sheet.addFace(faceOf({0, 2, 1}), {});
    sheet.buildVertexNormals();
    EXPECT_EQ(sheet.vertexNormals[0], Vector3(0, 1, 0));
}

// Filing faces, groups, materials and textures, and preparation: scale, bounds,
// centring.
#include "model/obj_model.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace {

Face faceOf(std::vector<int> corners) {
    Face face;
    face.cornerCount = static_cast<int>(corners.size());
    face.vertexIndices = std::move(corners);
    return face;
}

using Ints = std::vector<int>;

}  // namespace

TEST(ObjModelFiling, FacesGoToTheirCornerCountListAndEveryNamedGroup) {
    ObjModel model;
    model.addFace(faceOf({0, 1, 2}), {"a", "b"});
    model.addFace(faceOf({0, 1, 2, 3}), {"b"});
    model.addFace(faceOf({0, 1, 2, 3, 4}), {"a"});
    model.addFace(faceOf({0, 1}), {});  // two corners: a "polygon", in no group
    model.addFace(faceOf({2, 1, 0}), {"a", "a"});

    EXPECT_EQ(model.faceCount, 5);
    EXPECT_EQ(model.faces.size(), 5u);
    EXPECT_EQ(model.triangleCount, 2);
    EXPECT_EQ(model.triangles.size(), 2u);
    EXPECT_EQ(model.quadCount, 1);
    EXPECT_EQ(model.quads.size(), 1u);
    EXPECT_EQ(model.polygonCount, 2);
    EXPECT_EQ(model.polygons.size(), 2u);
    EXPECT_EQ(model.triangles[1].vertexIndices, (Ints{2, 1, 0}));
    EXPECT_EQ(model.polygons[1].vertexIndices, (Ints{0, 1}));

    ASSERT_EQ(model.groups.size(), 2u);
    const Group& a = model.groups.at("a");
    EXPECT_EQ(a.faceIndices, (Ints{0, 2, 4, 4}));  // a name listed twice gets the index twice
    EXPECT_EQ(a.triangleIndices, (Ints{0, 1, 1}));
    EXPECT_EQ(a.quadIndices, Ints{});
    EXPECT_EQ(a.polygonIndices, (Ints{0}));
    const Group& b = model.groups.at("b");
    EXPECT_EQ(b.faceIndices, (Ints{0, 1}));
    EXPECT_EQ(b.triangleIndices, (Ints{0}));
    EXPECT_EQ(b.quadIndices, (Ints{0}));
}

TEST(ObjModelFiling, GroupMaterialsAndMaterialsReplaceEarlierOnes) {
    ObjModel model;
    model.addFace(faceOf({0, 1, 2}), {"stones"});
    model.setGroupMaterial({"stones", "lintels"}, "granite");
    model.setGroupMaterial({"stones"}, "sarsen");
    EXPECT_EQ(model.groups.at("stones").materialName, "sarsen");
    const Group& lintels = model.groups.at("lintels");  // created by the material alone
    EXPECT_EQ(lintels.materialName, "granite");
    EXPECT_TRUE(lintels.faceIndices.empty());
    EXPECT_TRUE(lintels.triangleIndices.empty());

    Material first;
    first.Ns = 10.0f;
    Material second;
    second.Ns = 20.0f;
    model.addMaterial("sarsen", first);
    model.addMaterial("sarsen", second);
    ASSERT_EQ(model.materials.size(), 1u);
    EXPECT_EQ(model.materials.at("sarsen").Ns, 20.0f);
}

TEST(ObjModelFiling, TexturesAreListedOnceAndSurviveClear) {
    ObjModel model;
    model.addTexture("moss.png", "");
    model.textures.at("moss.png").textureId = 7;  // as a texture step would
    model.addTexture("moss.png", "dir/");
    ASSERT_EQ(model.textures.size(), 1u);
    EXPECT_EQ(model.textures.at("moss.png").fileName, "moss.png");
    EXPECT_EQ(model.textures.at("moss.png").directory, "dir/");
    EXPECT_EQ(model.textures.at("moss.png").textureId, 7u);

    model.addVertex(Vector3(1, 2, 3));
    model.addNormal(Vector3(0, 1, 0));
    model.addTexCoord(TexCoord{0.5, 0.5});
    model.addFace(faceOf({0, 0, 0}), {"g"});
    model.addFace(faceOf({0, 0, 0, 0}), {"g"});
    model.addFace(faceOf({0}), {"g"});
    model.addMaterial("m", Material());
    model.buildVertexNormals();
    model.boundsMax = Vector3(1, 1, 1);
    model.centre = Vector3(2, 2, 2);
    model.stoneTexture = 3;
    model.normalMode = 2;

    model.clear();
    EXPECT_TRUE(model.vertices.empty() && model.normals.empty() && model.texCoords.empty());
    EXPECT_TRUE(model.faces.empty() && model.triangles.empty() && model.quads.empty() &&
                model.polygons.empty());
    EXPECT_TRUE(model.faceNormals.empty() && model.vertexNormals.empty());
    EXPECT_TRUE(model.groups.empty() && model.materials.empty());
    EXPECT_EQ(model.vertexCount + model.normalCount + model.texCoordCount + model.faceCount +
                  model.triangleCount + model.quadCount + model.polygonCount,
              0);
    EXPECT_EQ(model.textures.at("moss.png").textureId, 7u);
    EXPECT_EQ(model.boundsMax, Vector3(1, 1, 1));
    EXPECT_EQ(model.centre, Vector3(2, 2, 2));
    EXPECT_EQ(model.stoneTexture, 3u);
    EXPECT_EQ(model.normalMode, 2);
}

TEST(ObjModelPreparation, BoundsAndCentringOfTwoVertices) {
    ObjModel model;
    model.addVertex(Vector3(1, 2, 3));
    model.addVertex(Vector3(3, 6, -1));
    model.scale(1.0f);
    model.computeBounds();
    EXPECT_EQ(model.boundsMax, Vector3(3, 6, 3));
    EXPECT_EQ(model.boundsMin, Vector3(1, 2, -1));
    EXPECT_EQ(model.centre, Vector3(2, 4, 1));
    model.moveCentreToOrigin();
    EXPECT_EQ(model.vertices[0], Vector3(-1, -2, 2));
    EXPECT_EQ(model.vertices[1], Vector3(1, 2, -2));
    EXPECT_EQ(model.centre, Vector3(0, 0, 0));
    model.computeBounds();
    EXPECT_EQ(model.boundsMax, Vector3(1, 2, 2));
    EXPECT_EQ(model.boundsMin, Vector3(-1, -2, -2));
    EXPECT_EQ(model.centre, Vector3(0, 0, 0));
}

TEST(ObjModelPreparation, ScaleUsesTheSinglePrecisionFactorWidened) {
    ObjModel model;
    model.addVertex(Vector3(10.0, -4.0, 1.0));
    model.scale(0.115f);
    const double factor = 0.115f;  // 0.115000002..., not the double 0.115
    EXPECT_EQ(model.vertices[0], Vector3(10.0 * factor, -4.0 * factor, 1.0 * factor));
    EXPECT_NE(model.vertices[0].x, 10.0 * 0.115);
}

TEST(ObjModelPreparation, EmptyAndSingleVertexModels) {
    ObjModel empty;
    empty.boundsMax = Vector3(5, 5, 5);
    empty.centre = Vector3(1, 1, 1);
    empty.scale(0.115f);
    empty.computeBounds();
    EXPECT_EQ(empty.boundsMax, Vector3(5, 5, 5));  // no vertices: bounds keep their values
    EXPECT_EQ(empty.centre, Vector3(1, 1, 1));
    empty.moveCentreToOrigin();
    EXPECT_EQ(empty.centre, Vector3(0, 0, 0));
    EXPECT_TRUE(empty.vertices.empty());

    ObjModel one;
    one.addVertex(Vector3(4, 5, 6));
    one.computeBounds();
    EXPECT_EQ(one.boundsMax, Vector3(4, 5, 6));
    EXPECT_EQ(one.boundsMin, Vector3(4, 5, 6));
    one.moveCentreToOrigin();
    one.computeBounds();
    EXPECT_EQ(one.vertices[0], Vector3(0, 0, 0));
}

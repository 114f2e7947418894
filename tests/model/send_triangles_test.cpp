// What draw() sends, recorded without GL: group order, texture patterns, the
// normals of each mode, lazy normal building, and damaged indices.
#include "model/send_triangles.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "model/obj_model.h"

namespace {

using Ints = std::vector<int>;

struct Call {
    char kind;  // B begin group, E end group, T texture coordinate, N normal, V vertex
    Vector3 value;
    bool operator==(const Call& o) const { return kind == o.kind && value == o.value; }
};

struct RecordingSink {
    std::vector<Call> calls;
    void beginGroup() { calls.push_back({'B', {}}); }
    void endGroup() { calls.push_back({'E', {}}); }
    void texCoord(float s, float t) { calls.push_back({'T', Vector3(s, t, 0)}); }
    void normal(const Vector3& n) { calls.push_back({'N', n}); }
    void vertex(const Vector3& v) { calls.push_back({'V', v}); }

    std::string kinds() const {
        std::string k;
        for (const Call& c : calls) k += c.kind;
        return k;
    }
    std::vector<Vector3> all(char kind) const {
        std::vector<Vector3> out;
        for (const Call& c : calls) {
            if (c.kind == kind) out.push_back(c.value);
        }
        return out;
    }
};

RecordingSink send(ObjModel& model) {
    RecordingSink sink;
    sendTriangles(model, sink);
    return sink;
}

Face faceOf(std::vector<int> corners, std::vector<int> normals = {}) {
    Face face;
    face.cornerCount = static_cast<int>(corners.size());
    face.vertexIndices = std::move(corners);
    face.normalIndices = std::move(normals);
    return face;
}

// Vertex i lies at (i, 0, 0) plus a bend so no three are collinear.
ObjModel line(int vertexCount) {
    ObjModel model;
    for (int i = 0; i < vertexCount; ++i) model.addVertex(Vector3(i, i * i, i % 2));
    return model;
}

const Vector3 kEven[3] = {Vector3(1, 1, 0), Vector3(1, 0, 0), Vector3(0, 0, 0)};
const Vector3 kOdd[3] = {Vector3(1, 1, 0), Vector3(0, 1, 0), Vector3(1, 0, 0)};

}  // namespace

TEST(SendTriangles, GroupsInNameOrderWithAlternatingPatterns) {
    ObjModel model = line(6);
    model.normalMode = 3;  // no normals: only the order and the patterns show
    model.addFace(faceOf({0, 1, 2}), {"b", "a"});  // triangle 0
    model.addFace(faceOf({1, 2, 3}), {"b"});       // 1
    model.addFace(faceOf({2, 3, 4}), {"b"});       // 2
    model.addFace(faceOf({3, 4, 5}), {"a"});       // 3
    model.addFace(faceOf({0, 2, 4}), {});          // 4: in no group, never drawn
    model.addFace(faceOf({0, 1, 2, 3}), {"c"});    // a quad: group c draws nothing

    const RecordingSink sink = send(model);
    EXPECT_EQ(sink.kinds(),
              "B"
              "TVTVTV"
              "TVTVTV"
              "E"
              "B"
              "TVTVTVTVTVTVTVTVTV"
              "E"
              "BE");
    // Group a: triangles 0, 3; group b: 0, 1, 2. Triangle 0 is drawn twice.
    const std::vector<Vector3> vertices = sink.all('V');
    const std::vector<int> order = {0, 1, 2, 3, 4, 5, 0, 1, 2, 1, 2, 3, 2, 3, 4};
    ASSERT_EQ(vertices.size(), order.size());
    for (size_t k = 0; k < order.size(); ++k) EXPECT_EQ(vertices[k], model.vertices[order[k]]) << k;
    // Patterns restart per group: a: even, odd; b: even, odd, even.
    const std::vector<Vector3> st = sink.all('T');
    const Vector3* expected[] = {kEven, kOdd, kEven, kOdd, kEven};
    for (size_t t = 0; t < 5; ++t) {
        for (int c = 0; c < 3; ++c) EXPECT_EQ(st[t * 3 + c], expected[t][c]) << t << ' ' << c;
    }
}

TEST(SendTriangles, EachModeSendsItsNormals) {
    ObjModel model;
    model.addVertex(Vector3(0, 1, 0));
    model.addVertex(Vector3(0, 1, 1));
    model.addVertex(Vector3(1, 0, 0));
    model.addVertex(Vector3(-1, 0, 0));
    model.addNormal(Vector3(0, 0, 1));
    model.addNormal(Vector3(0, 1, 0));
    model.addNormal(Vector3(1, 0, 0));
    model.addFace(faceOf({0, 1, 2}, {0, 1, 2}), {"roof"});
    model.addFace(faceOf({1, 0, 3}, {2, 1, 0}), {"roof"});

    model.normalMode = 0;
    RecordingSink sink = send(model);
    EXPECT_EQ(sink.kinds(), "BTNVTNVTNVTNVTNVTNVE");
    EXPECT_EQ(sink.all('N'),
              (std::vector<Vector3>{model.normals[0], model.normals[1], model.normals[2],
                                    model.normals[2], model.normals[1], model.normals[0]}));
    EXPECT_TRUE(model.faceNormals.empty());  // file normals need no computed ones

    model.normalMode = 1;
    sink = send(model);
    EXPECT_EQ(sink.kinds(), "BNTVTVTVNTVTVTVE");
    const std::vector<Vector3> perFace = sink.all('N');
    EXPECT_EQ(perFace, (std::vector<Vector3>{model.faceNormals[0], model.faceNormals[1]}));
    EXPECT_NE(perFace[0], perFace[1]);  // the roof is not flat
    EXPECT_TRUE(model.vertexNormals.empty());

    // Switching on to mode 2 reuses the face normals: a marked one shows through.
    model.faceNormals[1] = Vector3(0, 0, -1);
    model.normalMode = 2;
    sink = send(model);
    EXPECT_EQ(sink.kinds(), "BTNVTNVTNVTNVTNVTNVE");
    ASSERT_EQ(model.faceNormals.size(), 2u);
    EXPECT_EQ(model.faceNormals[1], Vector3(0, 0, -1));
    const Vector3 ridge = model.vertexNormals[0];
    EXPECT_EQ(ridge, model.vertexNormals[1]);
    const Vector3 expectedRidge = (model.faceNormals[0] + model.faceNormals[1]) /
                                  length(model.faceNormals[0] + model.faceNormals[1]);
    EXPECT_EQ(ridge, expectedRidge);
    EXPECT_EQ(sink.all('N')[0], ridge);
}

TEST(SendTriangles, DamagedIndicesAreNeverFollowed) {
    ObjModel model = line(4);
    model.addNormal(Vector3(0, 0, 1));
    model.addFace(faceOf({0, 1, 2}, {0, 0, 0}), {"g"});   // 0: whole
    model.addFace(faceOf({-1, 1, 2}, {0, 0, 0}), {"g"});  // 1: index 0 in the file
    model.addFace(faceOf({0, 1, 9}, {0, 0, 0}), {"g"});   // 2: past the end
    model.addFace(faceOf({1, 2, 3}), {"g"});              // 3: no normal indices
    model.addFace(faceOf({1, 2, 3}, {0, -1, 5}), {"g"});  // 4: two unusable normals
    model.groups["g"].triangleIndices.push_back(99);      // no such triangle
    model.groups["g"].triangleIndices.push_back(-3);

    for (int mode : {0, 1, 2}) {
        model.normalMode = mode;
        const RecordingSink sink = send(model);
        SCOPED_TRACE(mode);
        // Triangles 0, 3 and 4 are drawn; 3 and 4 keep the patterns of their places.
        const std::vector<Vector3> st = sink.all('T');
        ASSERT_EQ(st.size(), 9u);
        EXPECT_EQ(st[3], kOdd[0]);
        EXPECT_EQ(st[4], kOdd[1]);   // triangle 3 is at odd position 3
        EXPECT_EQ(st[7], kEven[1]);  // triangle 4 at even position 4
        EXPECT_EQ(sink.all('V').size(), 9u);
    }

    // Mode 0: a corner without a usable file normal gets the face normal.
    model.normalMode = 0;
    const std::vector<Vector3> normals = send(model).all('N');
    ASSERT_EQ(normals.size(), 9u);
    const Vector3 file = model.normals[0];
    const Vector3 face3 = model.faceNormals.at(3);
    const Vector3 face4 = model.faceNormals.at(4);
    EXPECT_EQ(normals,
              (std::vector<Vector3>{file, file, file, face3, face3, face3, file, face4, face4}));
}

TEST(SendTriangles, QuadsAloneDrawNothingInAnyMode) {
    ObjModel model = line(8);
    model.addNormal(Vector3(0, 1, 0));
    model.addFace(faceOf({0, 1, 2, 3}, {0, 0, 0, 0}), {"a"});
    model.addFace(faceOf({4, 5, 6, 7}, {0, 0, 0, 0}), {"b"});
    for (int mode : {0, 1, 2}) {
        model.normalMode = mode;
        EXPECT_EQ(send(model).kinds(), "BEBE") << mode;
    }
}

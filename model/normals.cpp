// Face and vertex normals, computed from the prepared vertex positions the
// first time draw() needs them and kept from then on.
#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <vector>

#include "model/obj_model.h"

namespace {

bool inRange(int index, size_t length) {
    return index >= 0 && static_cast<size_t>(index) < length;
}

// Unit normal of the plane through the first three corners; counter-clockwise
// corners give a normal towards the viewer. A face without area (or with a
// corner that is not in the list, or so far out that its size overflows) has
// no direction: it gets (0, 0, 0), which adds nothing around its vertices.
Vector3 normalOfFace(const Face& face, const std::vector<Vector3>& vertices) {
    if (face.vertexIndices.size() < 3) return Vector3();
    for (int c = 0; c < 3; ++c) {
        if (!inRange(face.vertexIndices[c], vertices.size())) return Vector3();
    }
    const Vector3& p0 = vertices[face.vertexIndices[0]];
    const Vector3& p1 = vertices[face.vertexIndices[1]];
    const Vector3& p2 = vertices[face.vertexIndices[2]];
    const Vector3 n = cross(p0 - p1, p0 - p2);
    const double len = length(n);
    if (!(len > 0.0) || !std::isfinite(len)) return Vector3();
    return n / len;
}

// Up to this many faces around a vertex, the plain quadratic search for a
// later equal normal is quickest; beyond it, sorting keeps a huge fan fast.
constexpr size_t kSmallFan = 32;

// Sum of the distinct normals among list, each counted at its last occurrence,
// added in list order so that the sum is the same bit for bit either way.
// Face normals hold no NaN, so == is an equivalence (with -0 == +0).
Vector3 sumOfDistinct(const int* list, size_t count, const std::vector<Vector3>& faceNormals) {
    Vector3 sum;
    if (count <= kSmallFan) {
        for (size_t j = 0; j < count; ++j) {
            const Vector3& n = faceNormals[list[j]];
            bool later = false;
            for (size_t k = j + 1; k < count && !later; ++k) later = faceNormals[list[k]] == n;
            if (!later) sum = sum + n;
        }
        return sum;
    }
    std::vector<size_t> order(count);
    std::iota(order.begin(), order.end(), size_t{0});
    auto key = [&](size_t j) {
        const Vector3& n = faceNormals[list[j]];
        return std::array<double, 3>{n.x + 0.0, n.y + 0.0, n.z + 0.0};  // + 0.0 turns -0 into +0
    };
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const auto ka = key(a), kb = key(b);
        return ka != kb ? ka < kb : a < b;
    });
    std::vector<char> counted(count, 0);
    for (size_t r = 0; r < count; ++r) {
        const bool lastOfRun = r + 1 == count || key(order[r + 1]) != key(order[r]);
        if (lastOfRun) counted[order[r]] = 1;
    }
    for (size_t j = 0; j < count; ++j) {
        if (counted[j]) sum = sum + faceNormals[list[j]];
    }
    return sum;
}

}  // namespace

void ObjModel::buildFaceNormals() {
    faceNormals.clear();
    for (std::vector<Face>* list : {&faces, &triangles, &quads, &polygons}) {
        for (Face& face : *list) face.faceNormalIndices.clear();
    }
    // Triangles first, so that the normal of triangle i is faceNormals[i].
    for (std::vector<Face>* list : {&triangles, &quads, &polygons}) {
        for (Face& face : *list) {
            if (face.cornerCount <= 2) continue;
            face.faceNormalIndices.push_back(static_cast<int>(faceNormals.size()));
            faceNormals.push_back(normalOfFace(face, vertices));
        }
    }
}

// The normalised, unweighted sum of the distinct face normals around each
// vertex: two coplanar faces whose normals come out bit-identical count once.
void ObjModel::buildVertexNormals() {
    if (faceNormals.empty()) buildFaceNormals();
    const size_t vertexTotal = vertices.size();

    // The face-normal indices around each vertex, in face order, as one array
    // cut into runs: firstOf[v] .. firstOf[v + 1]. Faces without a normal and
    // corners not in the vertex list are left out.
    auto forEachCorner = [&](auto&& visit) {
        for (const std::vector<Face>* list : {&triangles, &quads, &polygons}) {
            for (const Face& face : *list) {
                if (face.faceNormalIndices.empty()) continue;
                const int normal = face.faceNormalIndices.front();
                if (!inRange(normal, faceNormals.size())) continue;
                const size_t corners = std::min(static_cast<size_t>(std::max(face.cornerCount, 0)),
                                                face.vertexIndices.size());
                for (size_t c = 0; c < corners; ++c) {
                    const int v = face.vertexIndices[c];
                    if (inRange(v, vertexTotal)) visit(static_cast<size_t>(v), normal);
                }
            }
        }
    };
    std::vector<size_t> firstOf(vertexTotal + 1, 0);
    forEachCorner([&](size_t v, int) { ++firstOf[v + 1]; });
    for (size_t v = 0; v < vertexTotal; ++v) firstOf[v + 1] += firstOf[v];
    std::vector<int> around(firstOf[vertexTotal]);
    std::vector<size_t> fill(firstOf.begin(), firstOf.end() - 1);
    forEachCorner([&](size_t v, int normal) { around[fill[v]++] = normal; });

    vertexNormals.clear();
    vertexNormals.reserve(vertexTotal);
    for (size_t v = 0; v < vertexTotal; ++v) {
        const Vector3 sum =
            sumOfDistinct(around.data() + firstOf[v], firstOf[v + 1] - firstOf[v], faceNormals);
        const double len = length(sum);
        // Unused vertices, and normals that cancel (back-to-back faces), have
        // no direction; a zero normal is undefined under GL_NORMALIZE, so they face up.
        vertexNormals.push_back(len > 0.0 && std::isfinite(len) ? sum / len
                                                                : Vector3(0.0, 1.0, 0.0));
    }
}

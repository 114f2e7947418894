// What ObjModel::draw() sends in one frame, without GL: the triangles of each
// group in name order, with the alternating texture-coordinate patterns and
// the normals of the model's normalMode. draw() passes a sink that makes the
// immediate-mode calls; tests pass one that records them.
//
// A Sink has: beginGroup(), texCoord(float s, float t), normal(const Vector3&),
// vertex(const Vector3&), endGroup().
#pragma once

#include <cstddef>
#include <map>
#include <utility>
#include <vector>

#include "model/obj_model.h"

namespace model_detail {

inline bool inList(int index, size_t length) {
    return index >= 0 && static_cast<size_t>(index) < length;
}

// (s, t) per corner. The pattern alternates from one triangle of a group to the
// next, by the triangle's position in the group's list.
constexpr float kCornerTexCoords[2][3][2] = {
    {{1.0f, 1.0f}, {1.0f, 0.0f}, {0.0f, 0.0f}},  // even positions
    {{1.0f, 1.0f}, {0.0f, 1.0f}, {1.0f, 0.0f}},  // odd positions
};

}  // namespace model_detail

// Only three-cornered faces are sent. A triangle with a corner outside the
// vertex list (from a damaged file, or index 0 stored as -1) is skipped whole,
// since GL_TRIANGLES takes corners in threes; the pattern still counts it. In
// mode 0 a corner without a usable file normal gets the triangle's face normal.
// Face and vertex normals are built the first time a triangle needs them.
template <class Sink>
void sendTriangles(ObjModel& model, Sink& sink) {
    using model_detail::inList;
    const int mode = model.normalMode;
    for (const auto& entry : model.groups) {
        const Group& group = entry.second;
        sink.beginGroup();
        for (size_t p = 0; p < group.triangleIndices.size(); ++p) {
            const int i = group.triangleIndices[p];
            if (!inList(i, model.triangles.size())) continue;
            const Face& triangle = model.triangles[i];
            if (triangle.vertexIndices.size() < 3) continue;
            bool usable = true;
            for (int c = 0; c < 3; ++c)
                usable = usable && inList(triangle.vertexIndices[c], model.vertices.size());
            if (!usable) continue;

            const Vector3* cornerNormals[3] = {nullptr, nullptr, nullptr};
            const Vector3* faceNormal = nullptr;
            bool needFaceNormal = mode == 1;
            if (mode == 0) {
                for (int c = 0; c < 3; ++c) {
                    if (static_cast<size_t>(c) < triangle.normalIndices.size() &&
                        inList(triangle.normalIndices[c], model.normals.size())) {
                        cornerNormals[c] = &model.normals[triangle.normalIndices[c]];
                    } else {
                        needFaceNormal = true;
                    }
                }
            } else if (mode == 2) {
                if (model.vertexNormals.empty()) model.buildVertexNormals();
                for (int c = 0; c < 3; ++c) {
                    const int v = triangle.vertexIndices[c];
                    if (!inList(v, model.vertexNormals.size()))
                        usable = false;
                    else
                        cornerNormals[c] = &model.vertexNormals[v];
                }
                if (!usable) continue;
            }
            if (needFaceNormal) {
                if (model.faceNormals.empty()) model.buildFaceNormals();
                if (!inList(i, model.faceNormals.size())) continue;
                faceNormal = &model.faceNormals[i];
                for (const Vector3*& n : cornerNormals) {
                    if (n == nullptr && mode == 0) n = faceNormal;
                }
            }

            if (mode == 1) sink.normal(*faceNormal);
            const auto& pattern = model_detail::kCornerTexCoords[p % 2];
            for (int c = 0; c < 3; ++c) {
                sink.texCoord(pattern[c][0], pattern[c][1]);
                if (cornerNormals[c] != nullptr) sink.normal(*cornerNormals[c]);
                sink.vertex(model.vertices[triangle.vertexIndices[c]]);
            }
        }
        sink.endGroup();
    }
}

// Comparing two models as the readers filled them, for the reader tests and
// the fuzzer: every list, record, group, material and texture entry, numbers
// compared bit for bit. And a scope that sets the readers' file block size.
//
// The current groups carry over from one read to the next, so two reads to be
// compared each start after forgetCurrentGroups().
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "model/obj_model.h"
#include "model/obj_reader.h"
#include "model/text_stream.h"

namespace same_model {

inline bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}
inline bool sameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}
inline bool sameBits(const Vector3& a, const Vector3& b) {
    return sameBits(a.x, b.x) && sameBits(a.y, b.y) && sameBits(a.z, b.z);
}
inline bool sameBits(const TexCoord& a, const TexCoord& b) {
    return sameBits(a.u, b.u) && sameBits(a.v, b.v);
}

inline bool sameFace(const Face& a, const Face& b) {
    return a.cornerCount == b.cornerCount && a.vertexIndices == b.vertexIndices &&
           a.normalIndices == b.normalIndices && a.faceNormalIndices == b.faceNormalIndices &&
           a.texCoordIndices == b.texCoordIndices;
}

inline bool sameMaterial(const Material& a, const Material& b) {
    for (size_t i = 0; i < 4; ++i) {
        if (!sameBits(a.Kd[i], b.Kd[i]) || !sameBits(a.Ka[i], b.Ka[i]) ||
            !sameBits(a.Ks[i], b.Ks[i]))
            return false;
    }
    return sameBits(a.Ns, b.Ns) && sameBits(a.illum, b.illum) && a.ambientMap == b.ambientMap &&
           a.diffuseMap == b.diffuseMap;
}

inline bool sameGroup(const Group& a, const Group& b) {
    return a.materialName == b.materialName && a.faceIndices == b.faceIndices &&
           a.triangleIndices == b.triangleIndices && a.quadIndices == b.quadIndices &&
           a.polygonIndices == b.polygonIndices;
}

inline bool sameTexture(const TextureEntry& a, const TextureEntry& b) {
    return a.fileName == b.fileName && a.directory == b.directory && a.textureId == b.textureId;
}

template <typename T, typename Same>
std::string listDifference(const char* name, const std::vector<T>& a, const std::vector<T>& b,
                           Same same) {
    if (a.size() != b.size()) {
        return std::string(name) + ": " + std::to_string(a.size()) + " against " +
               std::to_string(b.size());
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (!same(a[i], b[i])) return std::string(name) + " differ at " + std::to_string(i);
    }
    return std::string();
}

template <typename Map, typename Same>
std::string mapDifference(const char* name, const Map& a, const Map& b, Same same) {
    if (a.size() != b.size()) {
        return std::string(name) + ": " + std::to_string(a.size()) + " against " +
               std::to_string(b.size());
    }
    for (auto i = a.begin(), j = b.begin(); i != a.end(); ++i, ++j) {
        if (i->first != j->first) return std::string(name) + " named differently: " + i->first;
        if (!same(i->second, j->second)) return std::string(name) + " differ at " + i->first;
    }
    return std::string();
}

}  // namespace same_model

// The first difference found between a and b, in words; empty when they hold
// the same records.
inline std::string modelDifference(const ObjModel& a, const ObjModel& b) {
    using namespace same_model;
    const int countsA[] = {a.vertexCount,   a.normalCount, a.texCoordCount, a.faceCount,
                           a.triangleCount, a.quadCount,   a.polygonCount};
    const int countsB[] = {b.vertexCount,   b.normalCount, b.texCoordCount, b.faceCount,
                           b.triangleCount, b.quadCount,   b.polygonCount};
    if (std::memcmp(countsA, countsB, sizeof countsA) != 0) return "counters differ";
    const auto vectors = [](const Vector3& x, const Vector3& y) { return sameBits(x, y); };
    const auto texCoords = [](const TexCoord& x, const TexCoord& y) { return sameBits(x, y); };
    const std::string differences[] = {
        listDifference("vertices", a.vertices, b.vertices, vectors),
        listDifference("normals", a.normals, b.normals, vectors),
        listDifference("texture coordinates", a.texCoords, b.texCoords, texCoords),
        listDifference("faces", a.faces, b.faces, sameFace),
        listDifference("triangles", a.triangles, b.triangles, sameFace),
        listDifference("quads", a.quads, b.quads, sameFace),
        listDifference("polygons", a.polygons, b.polygons, sameFace),
        listDifference("vertex normals", a.vertexNormals, b.vertexNormals, vectors),
        listDifference("face normals", a.faceNormals, b.faceNormals, vectors),
        mapDifference("groups", a.groups, b.groups, sameGroup),
        mapDifference("materials", a.materials, b.materials, sameMaterial),
        mapDifference("textures", a.textures, b.textures, sameTexture),
    };
    for (const std::string& difference : differences) {
        if (!difference.empty()) return difference;
    }
    return std::string();
}

// Files opened while it lives are read in blocks of the given size.
class ScopedFileBlockSize {
  public:
    explicit ScopedFileBlockSize(size_t bytes) { TextStream::setFileBlockSize(bytes); }
    ~ScopedFileBlockSize() { TextStream::setFileBlockSize(0); }
    ScopedFileBlockSize(const ScopedFileBlockSize&) = delete;
    ScopedFileBlockSize& operator=(const ScopedFileBlockSize&) = delete;
};

// Reads a group line without names, so that the next read starts in no group.
inline void forgetCurrentGroups() {
    ObjModel scratch;
    loadObjText("g\n", "groups.obj", scratch);
}

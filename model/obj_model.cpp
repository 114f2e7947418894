#include "model/obj_model.h"

#include <utility>

void ObjModel::clear() {
    vertices.clear();
    faces.clear();
    quads.clear();
    triangles.clear();
    polygons.clear();
    vertexNormals.clear();
    normals.clear();
    faceNormals.clear();
    texCoords.clear();
    materials.clear();
    groups.clear();
    vertexCount = 0;
    normalCount = 0;
    texCoordCount = 0;
    faceCount = 0;
    triangleCount = 0;
    quadCount = 0;
    polygonCount = 0;
}

void ObjModel::addVertex(const Vector3& vertex) {
    vertices.push_back(vertex);
    ++vertexCount;
}

void ObjModel::addNormal(const Vector3& normal) {
    normals.push_back(normal);
    ++normalCount;
}

void ObjModel::addTexCoord(const TexCoord& texCoord) {
    texCoords.push_back(texCoord);
    ++texCoordCount;
}

void ObjModel::addFace(Face face, const std::vector<std::string>& groupNames) {
    faces.push_back(face);

    std::vector<Face>* cornerList = &polygons;
    int* cornerCounter = &polygonCount;
    using IndexList = std::vector<int> Group::*;  // which of a group's three index lists
    IndexList cornerIndices = &Group::polygonIndices;
    if (face.cornerCount == 3) {
        cornerList = &triangles;
        cornerCounter = &triangleCount;
        cornerIndices = &Group::triangleIndices;
    } else if (face.cornerCount == 4) {
        cornerList = &quads;
        cornerCounter = &quadCount;
        cornerIndices = &Group::quadIndices;
    }

    // One look-up per name serves both index lists; a name listed twice gets
    // each index twice, as two separate passes would give it.
    for (const std::string& name : groupNames) {
        Group& group = groups[name];
        group.faceIndices.push_back(faceCount);
        (group.*cornerIndices).push_back(*cornerCounter);
    }
    ++faceCount;
    cornerList->push_back(std::move(face));
    ++*cornerCounter;
}

void ObjModel::setGroupMaterial(const std::vector<std::string>& groupNames,
                                const std::string& materialName) {
    for (const std::string& name : groupNames) {
        groups[name].materialName = materialName;
    }
}

void ObjModel::addMaterial(const std::string& name, const Material& material) {
    materials[name] = material;
}

void ObjModel::addTexture(const std::string& fileName, const std::string& directory) {
    TextureEntry& entry = textures[fileName];  // a new entry starts with textureId 0
    entry.directory = directory;
    entry.fileName = fileName;
}

void ObjModel::scale(float factor) {
    const double wide = factor;
    for (Vector3& v : vertices) {
        v.x *= wide;
        v.y *= wide;
        v.z *= wide;
    }
}

void ObjModel::computeBounds() {
    if (vertices.empty()) {
        return;
    }
    boundsMax = vertices.front();
    boundsMin = vertices.front();
    for (const Vector3& v : vertices) {
        if (v.x > boundsMax.x) boundsMax.x = v.x;
        if (v.x < boundsMin.x) boundsMin.x = v.x;
        if (v.y > boundsMax.y) boundsMax.y = v.y;
        if (v.y < boundsMin.y) boundsMin.y = v.y;
        if (v.z > boundsMax.z) boundsMax.z = v.z;
        if (v.z < boundsMin.z) boundsMin.z = v.z;
    }
    centre = (boundsMax + boundsMin) * 0.5;
}

void ObjModel::moveCentreToOrigin() {
    for (Vector3& v : vertices) {
        v = v - centre;
    }
    centre = Vector3(0.0, 0.0, 0.0);
}

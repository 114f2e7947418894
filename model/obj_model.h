// The stone-circle model in memory: what the OBJ and MTL readers fill, what
// preparation scales and centres, and what draw() sends each frame. Records are
// held by value and refer to one another by 0-based indices, never by pointers.
// Nothing here needs a GL context except draw(), defined in model_gl.cpp.
#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

#include "camera/vector3.h"

// One texture coordinate of a vt line.
struct TexCoord {
    double u = 0.0;
    double v = 0.0;
};

// One polygon of an f line. Indices are 0-based and stored as the reader
// computed them: they can be -1 (index 0 in the file) or past the end of their
// list when the file was inconsistent, so every user checks them.
struct Face {
    int cornerCount = 0;  // always the length of vertexIndices
    std::vector<int> vertexIndices;
    std::vector<int> normalIndices;      // empty when the corners carry no normal
    std::vector<int> faceNormalIndices;  // into faceNormals; filled by buildFaceNormals
    std::vector<int> texCoordIndices;    // empty when the corners carry no texture coordinate
};

// The value stored under a group name; the name is the key.
struct Group {
    std::string materialName;          // the last material-use line while the group was current
    std::vector<int> faceIndices;      // into faces, in reading order
    std::vector<int> triangleIndices;  // into triangles
    std::vector<int> quadIndices;      // into quads
    std::vector<int> polygonIndices;   // into polygons
};

// Stored with the model only; nothing draws with it. Colours are r, g, b, a.
struct Material {
    float Ns = 0.0f;
    float illum = 0.0f;  // the illumination model number, kept as a float
    std::array<float, 4> Kd = {0.2f, 0.2f, 0.2f, 1.0f};
    std::array<float, 4> Ka = {0.8f, 0.8f, 0.8f, 1.0f};
    std::array<float, 4> Ks = {1.0f, 1.0f, 1.0f, 1.0f};
    std::string ambientMap;  // map_Ka
    std::string diffuseMap;  // every other map_ keyword
};

// A texture file named by a material; the file name is also the key.
struct TextureEntry {
    std::string fileName;
    std::string directory;       // set by the texture step
    unsigned int textureId = 0;  // GL texture name; 0 until loaded and when loading failed
};

// The one texture the whole model is drawn with, relative to the working
// directory.
inline constexpr const char* kStoneImageFile = "stone.png";

class ObjModel {
  public:
    // Counters of lines read since the last clear(); each equals the length of its list.
    int vertexCount = 0;
    int normalCount = 0;
    int texCoordCount = 0;
    int faceCount = 0;
    int triangleCount = 0;
    int quadCount = 0;
    int polygonCount = 0;

    std::map<std::string, Group> groups;  // iterated in ascending byte order of the name
    std::map<std::string, Material> materials;
    std::vector<Face> faces;      // every face, in reading order
    std::vector<Face> triangles;  // copies of the faces with 3 corners
    std::vector<Face> quads;      // copies of the faces with 4 corners
    std::vector<Face> polygons;   // copies of the faces with any other corner count
    std::map<std::string, TextureEntry> textures;
    std::vector<Vector3> vertices;
    std::vector<Vector3> normals;
    std::vector<TexCoord> texCoords;
    std::vector<Vector3> vertexNormals;  // one per vertex; empty until first needed
    std::vector<Vector3> faceNormals;    // triangles' first, then quads', then polygons'
    Vector3 boundsMax;
    Vector3 boundsMin;
    Vector3 centre;
    unsigned int stoneTexture = 0;  // GL texture name of "stone.png"; 0 until loaded
    int normalMode = 0;             // 0 file normals, 1 one per face, 2 one per vertex

    // Filing, used by the readers. clear() keeps textures, the bounds, the
    // stone texture and the normal mode.
    void clear();
    void addVertex(const Vector3& vertex);
    void addNormal(const Vector3& normal);
    void addTexCoord(const TexCoord& texCoord);
    void addFace(Face face, const std::vector<std::string>& groupNames);
    void setGroupMaterial(const std::vector<std::string>& groupNames,
                          const std::string& materialName);
    void addMaterial(const std::string& name, const Material& material);
    void addTexture(const std::string& fileName, const std::string& directory);

    // Preparation, before the first frame: scale by a single-precision factor
    // (widened to double), then bounds, centre to origin, bounds again.
    void scale(float factor);
    void computeBounds();
    void moveCentreToOrigin();

    // Derived normals, built lazily by draw() (normals.cpp).
    void buildFaceNormals();
    void buildVertexNormals();

    // Sends the triangles in immediate mode, group by group (model_gl.cpp;
    // needs a GL context). Expects the placement on the model-view matrix and
    // the frame's lighting; leaves GL_TEXTURE_2D, GL_POLYGON_OFFSET_FILL (1, 1)
    // and GL_NORMALIZE enabled and the stone texture bound.
    void draw();
};

// Writes the stone circle as a Wavefront OBJ file with its MTL library, in
// the file's own units: the program scales the model by 0.115, so a metre of
// the site is 1 / 0.115 units in the file.
#pragma once

#include <string>

#include "tools/stone_circle.h"

namespace assets {

constexpr const char* kObjFile = "sthenge3.obj";
constexpr const char* kMtlFile = "sthenge3.mtl";
constexpr const char* kSarsenTexture = "sarsen.png";
constexpr const char* kBluestoneTexture = "bluestone.png";

// Triangles only, every corner written as v/vt/vn, one group per stone with a
// material-use line after it. Returns false after naming the file on failure.
bool writeObj(const std::string& path, const StoneModel& model);
bool writeMtl(const std::string& path);

size_t triangleCount(const StoneModel& model);

}  // namespace assets

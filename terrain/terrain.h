// The ground: a regular grid of heights read from "heightmap.png", one
// interleaved vertex per grid point and one triangle strip per pair of rows.
// Building the mesh makes no GL call; loadTexture and draw (terrain_gl.cpp) do.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Handed to glVertexPointer / glNormalPointer / glTexCoordPointer as it is:
// the layout is a fixed memory format of eight packed floats, stride 32 bytes.
struct TerrainVertex {
    float position[3];  // (row, height, column): x = row, z = column, y up, scene units
    float normal[3];    // always (0, 1, 0)
    float texCoord[2];  // (s, t): s along z, t along x; the ground image spans the grid once
};
static_assert(sizeof(TerrainVertex) == 32, "TerrainVertex is a 32-byte vertex-array record");
static_assert(offsetof(TerrainVertex, position) == 0, "position at byte 0");
static_assert(offsetof(TerrainVertex, normal) == 12, "normal at byte 12");
static_assert(offsetof(TerrainVertex, texCoord) == 24, "texCoord at byte 24");

// Height in scene units of an 8-bit heightmap sample: −30.0 for 0, about
// 4.935 for 255. The product is taken in single precision.
float terrainHeight(std::uint8_t sample);

// The ground texture's image, relative to the working directory.
inline constexpr const char* kGroundImageFile = "ground.png";

class Terrain {
  public:
    std::uint32_t groundTexture = 0;      // GL texture name of "ground.png"; 0 = untextured
    std::vector<TerrainVertex> vertices;  // rows × columns, row-major: (r, c) is r × columns + c
    std::uint32_t columns = 0;            // grid points per row (z direction)
    std::uint32_t rows = 0;               // grid rows (x direction)
    // rows − 1 lists of 2 × columns indices; list r zig-zags between rows r and r + 1.
    std::vector<std::vector<std::uint32_t>> strips;

    Terrain() = default;
    Terrain(unsigned columns, unsigned rows);

    // Reads "heightmap.png" from the working directory (no GL call, so it may
    // run before any window exists). An image that cannot be read, or holds
    // fewer than columns × rows bytes, is reported in one line on standard
    // error and gives a flat grid at −30.0.
    void build(unsigned columns, unsigned rows);

    // Builds the mesh from decoded pixel bytes: grid point (r, c) takes byte
    // r × columns + c, whatever the image's channel count. Bytes past
    // byteCount are never read: when fewer than columns × rows are given
    // (pixels may then be null) the grid is flat at −30.0 and the result is
    // false. A zero size, or one whose indices would not fit in 32 bits,
    // leaves the mesh empty and returns false.
    bool buildFromPixels(const std::uint8_t* pixels, std::size_t byteCount, unsigned columns,
                         unsigned rows);

    // Needs a current GL context: the ground texture from "ground.png".
    void loadTexture();
    // Draws the mesh lit and textured; see terrain_gl.cpp for the GL state.
    void draw();
};

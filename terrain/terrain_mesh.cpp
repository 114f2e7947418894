// The terrain mesh from raw heightmap bytes: plain data, no file and no GL.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "scene/scene_numbers.h"
#include "terrain/terrain.h"

float terrainHeight(std::uint8_t sample) {
    // Rounded to single precision before the base is taken off, so heights
    // match the ground the scene was modelled on to the last bit.
    const float product = static_cast<float>(sample) * scene::kTerrainHeightScale;
    return product - scene::kTerrainHeightBase;
}

bool Terrain::buildFromPixels(const std::uint8_t* pixels, std::size_t byteCount, unsigned columns_,
                              unsigned rows_) {
    columns = columns_;
    rows = rows_;
    vertices.clear();
    strips.clear();

    const std::size_t pointCount = static_cast<std::size_t>(columns) * rows;
    // Every index must fit the 32-bit lists that glDrawElements reads.
    if (pointCount == 0 || pointCount - 1 > std::numeric_limits<std::uint32_t>::max()) {
        return false;
    }
    const bool fromPixels = pixels != nullptr && byteCount >= pointCount;

    vertices.resize(pointCount, TerrainVertex{});
    // The texture coordinates are summed step by step in single precision, so
    // the last column sits at (columns − 1) / columns as accumulated, not at 1.
    const float stepS = 1.0f / static_cast<float>(columns);
    const float stepT = 1.0f / static_cast<float>(rows);
    float t = 0.0f;
    for (std::uint32_t r = 0; r < rows; ++r) {
        float s = 0.0f;
        for (std::uint32_t c = 0; c < columns; ++c) {
            const std::size_t i = static_cast<std::size_t>(r) * columns + c;
            TerrainVertex& v = vertices[i];
            v.position[0] = static_cast<float>(r);
            v.position[1] = terrainHeight(fromPixels ? pixels[i] : 0);
            v.position[2] = static_cast<float>(c);
            v.normal[0] = 0.0f;
            v.normal[1] = 1.0f;
            v.normal[2] = 0.0f;
            v.texCoord[0] = s;
            v.texCoord[1] = t;
            s += stepS;
        }
        t += stepT;
    }

    strips.resize(rows - 1);
    for (std::uint32_t r = 0; r + 1 < rows; ++r) {
        std::vector<std::uint32_t>& strip = strips[r];
        strip.resize(2 * static_cast<std::size_t>(columns), 0);
        for (std::uint32_t c = 0; c < columns; ++c) {
            strip[2 * static_cast<std::size_t>(c)] = r * columns + c;
            strip[2 * static_cast<std::size_t>(c) + 1] = (r + 1) * columns + c;
        }
    }
    return fromPixels;
}

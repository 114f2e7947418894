// The terrain mesh from pixel buffers: layout, heights, texture coordinates,
// strips, and buffers too short for the grid.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "terrain/terrain.h"

namespace {

std::vector<std::uint8_t> rampPixels(std::size_t count) {
    std::vector<std::uint8_t> pixels(count);
    for (std::size_t i = 0; i < count; ++i) pixels[i] = static_cast<std::uint8_t>(i * 7 % 256);
    return pixels;
}

void expectPoint(const TerrainVertex& v, float x, float y, float z) {
    EXPECT_EQ(v.position[0], x);
    EXPECT_EQ(v.position[1], y);
    EXPECT_EQ(v.position[2], z);
}

}  // namespace

TEST(TerrainMesh, HeightsAreTakenInSinglePrecision) {
    EXPECT_EQ(terrainHeight(0), -30.0f);
    // v × 0.137f rounded to float before 30 is taken off; these differ in the
    // last bit from a double-precision product.
    EXPECT_EQ(terrainHeight(10), -0x1.ca147cp+4f);   // −28.6300011
    EXPECT_EQ(terrainHeight(12), -0x1.c5b22ep+4f);   // −28.3560009
    EXPECT_EQ(terrainHeight(128), -0x1.8ed918p+3f);  // −12.4640007
    EXPECT_EQ(terrainHeight(255), 0x1.3bd7p+2f);     // 4.93499756
}

TEST(TerrainMesh, FullGridLayout) {
    const std::vector<std::uint8_t> pixels = rampPixels(100 * 100);
    Terrain terrain;
    EXPECT_TRUE(terrain.buildFromPixels(pixels.data(), pixels.size(), 100, 100));

    EXPECT_EQ(terrain.columns, 100u);
    EXPECT_EQ(terrain.rows, 100u);
    ASSERT_EQ(terrain.vertices.size(), 10000u);
    ASSERT_EQ(terrain.strips.size(), 99u);
    EXPECT_EQ(terrain.groundTexture, 0u);

    // Row index is x, column index is z; byte i is record i's height.
    expectPoint(terrain.vertices[0], 0.0f, terrainHeight(pixels[0]), 0.0f);
    expectPoint(terrain.vertices[1], 0.0f, terrainHeight(pixels[1]), 1.0f);
    expectPoint(terrain.vertices[100], 1.0f, terrainHeight(pixels[100]), 0.0f);
    expectPoint(terrain.vertices[9999], 99.0f, terrainHeight(pixels[9999]), 99.0f);
    for (std::size_t i = 0; i < terrain.vertices.size(); ++i) {
        const TerrainVertex& v = terrain.vertices[i];
        ASSERT_EQ(v.position[1], terrainHeight(pixels[i])) << "record " << i;
        ASSERT_EQ(v.normal[0], 0.0f);
        ASSERT_EQ(v.normal[1], 1.0f);
        ASSERT_EQ(v.normal[2], 0.0f);
    }

    // s along z, t along x, summed 0.01f at a time: the far corner sits at
    // 0.989999354, not at 99 / 100.
    EXPECT_EQ(terrain.vertices[0].texCoord[0], 0.0f);
    EXPECT_EQ(terrain.vertices[0].texCoord[1], 0.0f);
    EXPECT_EQ(terrain.vertices[99].texCoord[0], 0x1.fae132p-1f);
    EXPECT_EQ(terrain.vertices[99].texCoord[1], 0.0f);
    EXPECT_EQ(terrain.vertices[9900].texCoord[0], 0.0f);
    EXPECT_EQ(terrain.vertices[9900].texCoord[1], 0x1.fae132p-1f);
    EXPECT_EQ(terrain.vertices[9999].texCoord[0], 0x1.fae132p-1f);
    EXPECT_EQ(terrain.vertices[9999].texCoord[1], 0x1.fae132p-1f);
    EXPECT_NE(terrain.vertices[9999].texCoord[0], 0.99f);

    for (const auto& strip : terrain.strips) ASSERT_EQ(strip.size(), 200u);
    const std::vector<std::uint32_t> firstStart = {0, 100, 1, 101, 2, 102};
    EXPECT_EQ(std::vector<std::uint32_t>(terrain.strips[0].begin(), terrain.strips[0].begin() + 6),
              firstStart);
    EXPECT_EQ(terrain.strips[0][198], 99u);
    EXPECT_EQ(terrain.strips[0][199], 199u);
    EXPECT_EQ(terrain.strips[98][0], 9800u);
    EXPECT_EQ(terrain.strips[98][1], 9900u);
    EXPECT_EQ(terrain.strips[98][198], 9899u);
    EXPECT_EQ(terrain.strips[98][199], 9999u);
}

TEST(TerrainMesh, VertexRecordIsTheVertexArrayFormat) {
    // Stride and offsets are what the draw hands to glVertexPointer & co.
    Terrain terrain;
    const std::vector<std::uint8_t> pixels = rampPixels(4);
    terrain.buildFromPixels(pixels.data(), pixels.size(), 2, 2);
    const auto* base = reinterpret_cast<const unsigned char*>(terrain.vertices.data());
    const auto* second = reinterpret_cast<const unsigned char*>(&terrain.vertices[1]);
    EXPECT_EQ(second - base, 32);
    EXPECT_EQ(reinterpret_cast<const unsigned char*>(terrain.vertices[0].normal) - base, 12);
    EXPECT_EQ(reinterpret_cast<const unsigned char*>(terrain.vertices[0].texCoord) - base, 24);
}

TEST(TerrainMesh, ShortOrMissingPixelsGiveAFlatGridWithoutReadingPastThem) {
    // A buffer of exactly one byte too few, on the heap so that the address
    // sanitizer sees a read past its end.
    const std::size_t shortCount = 4 * 3 - 1;
    auto pixels = std::make_unique<std::uint8_t[]>(shortCount);
    std::fill_n(pixels.get(), shortCount, std::uint8_t{200});

    Terrain terrain;
    EXPECT_FALSE(terrain.buildFromPixels(pixels.get(), shortCount, 4, 3));
    ASSERT_EQ(terrain.vertices.size(), 12u);
    for (const TerrainVertex& v : terrain.vertices) EXPECT_EQ(v.position[1], -30.0f);
    EXPECT_EQ(terrain.strips.size(), 2u);

    Terrain missing;
    EXPECT_FALSE(missing.buildFromPixels(nullptr, 0, 4, 3));
    ASSERT_EQ(missing.vertices.size(), 12u);
    for (const TerrainVertex& v : missing.vertices) EXPECT_EQ(v.position[1], -30.0f);
    // Flat, but otherwise the same mesh: positions, texture coordinates, strips.
    EXPECT_EQ(missing.vertices[7].position[0], 1.0f);
    EXPECT_EQ(missing.vertices[7].position[2], 3.0f);
    EXPECT_EQ(missing.vertices[7].texCoord[0], 0.75f);
    EXPECT_EQ(missing.strips[1][1], 8u);

    // More bytes than needed (a 3-channel image): the first columns × rows
    // bytes are read, one per point.
    const std::vector<std::uint8_t> wide = {0, 255, 10, 12, 99, 99};
    Terrain extra;
    EXPECT_TRUE(extra.buildFromPixels(wide.data(), wide.size(), 2, 2));
    EXPECT_EQ(extra.vertices[1].position[1], terrainHeight(255));
    EXPECT_EQ(extra.vertices[3].position[1], terrainHeight(12));
}

TEST(TerrainMesh, DegenerateGrids) {
    const std::vector<std::uint8_t> pixels = rampPixels(16);

    // One row: points but no strip to draw.
    Terrain oneRow;
    EXPECT_TRUE(oneRow.buildFromPixels(pixels.data(), pixels.size(), 5, 1));
    EXPECT_EQ(oneRow.vertices.size(), 5u);
    EXPECT_TRUE(oneRow.strips.empty());

    // One column: each strip is a single pair.
    Terrain oneColumn;
    EXPECT_TRUE(oneColumn.buildFromPixels(pixels.data(), pixels.size(), 1, 3));
    ASSERT_EQ(oneColumn.strips.size(), 2u);
    EXPECT_EQ(oneColumn.strips[1], (std::vector<std::uint32_t>{1, 2}));

    // Zero in either direction leaves nothing, and no underflow of rows − 1.
    Terrain empty;
    EXPECT_FALSE(empty.buildFromPixels(pixels.data(), pixels.size(), 4, 0));
    EXPECT_TRUE(empty.vertices.empty());
    EXPECT_TRUE(empty.strips.empty());
    EXPECT_FALSE(empty.buildFromPixels(pixels.data(), pixels.size(), 0, 4));
    EXPECT_TRUE(empty.vertices.empty());
    EXPECT_TRUE(empty.strips.empty());

    // A second build replaces the first mesh entirely.
    Terrain rebuilt;
    rebuilt.buildFromPixels(pixels.data(), pixels.size(), 4, 4);
    rebuilt.buildFromPixels(pixels.data(), pixels.size(), 2, 3);
    EXPECT_EQ(rebuilt.vertices.size(), 6u);
    EXPECT_EQ(rebuilt.strips.size(), 2u);
    EXPECT_EQ(rebuilt.strips[0].size(), 4u);
}

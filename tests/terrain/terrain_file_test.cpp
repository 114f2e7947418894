// Terrain::build reading "heightmap.png" from the working directory.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "image_writer.h"
#include "terrain/terrain.h"
#include "tests/support/test_files.h"

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

namespace {

int countLines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

void expectFlat(const Terrain& terrain) {
    for (const TerrainVertex& v : terrain.vertices) ASSERT_EQ(v.position[1], -30.0f);
}

}  // namespace

TEST(TerrainFile, GreyHeightmapRowsRunAlongXColumnsAlongZ) {
    test_files::ScratchDirectory dir("terrain-grey");
    // 4 pixels wide (z), 3 high (x), rows from the top of the image.
    const std::vector<std::uint8_t> grey = {0, 1, 2, 3, 10, 11, 12, 13, 253, 254, 255, 128};
    test_files::write("heightmap.png", 4, 3, 1, grey);

    CaptureStderr();
    const Terrain terrain(4, 3);
    EXPECT_EQ(GetCapturedStderr(), "");
    ASSERT_EQ(terrain.vertices.size(), 12u);
    for (std::size_t i = 0; i < grey.size(); ++i) {
        EXPECT_EQ(terrain.vertices[i].position[1], terrainHeight(grey[i])) << "record " << i;
    }
    EXPECT_EQ(terrain.vertices[6].position[0], 1.0f);  // image row 1 → x = 1
    EXPECT_EQ(terrain.vertices[6].position[2], 2.0f);  // image column 2 → z = 2
    EXPECT_EQ(terrain.strips.size(), 2u);
}

TEST(TerrainFile, ImageFormatComesFromTheContentNotTheName) {
    // A grey JPEG named "heightmap.png" loads; one flat 8 × 8 block decodes
    // to its one value.
    test_files::ScratchDirectory dir("terrain-jpeg");
    test_images::JpegSpec spec;
    spec.width = 8;
    spec.height = 8;
    spec.kind = test_images::JpegKind::Grey;
    spec.quality = 100;
    spec.samples.assign(64, 120);
    test_images::writeFile("heightmap.png", test_images::writeJpeg(spec));

    CaptureStderr();
    const Terrain terrain(8, 8);
    EXPECT_EQ(GetCapturedStderr(), "");
    ASSERT_EQ(terrain.vertices.size(), 64u);
    EXPECT_EQ(terrain.vertices[0].position[1], terrainHeight(120));
    EXPECT_EQ(terrain.vertices[63].position[1], terrainHeight(120));
}

TEST(TerrainFile, AColourHeightmapGivesOneBytePerGridPoint) {
    // Three channels: the grid takes bytes, not pixels, as it always has.
    test_files::ScratchDirectory dir("terrain-rgb");
    test_files::write("heightmap.png", 2, 2, 3, {40, 80, 120, 160, 200, 240, 1, 2, 3, 4, 5, 6});
    CaptureStderr();
    const Terrain terrain(2, 2);
    EXPECT_EQ(GetCapturedStderr(), "");
    ASSERT_EQ(terrain.vertices.size(), 4u);
    EXPECT_EQ(terrain.vertices[0].position[1], terrainHeight(40));
    EXPECT_EQ(terrain.vertices[1].position[1], terrainHeight(80));
    EXPECT_EQ(terrain.vertices[2].position[1], terrainHeight(120));
    EXPECT_EQ(terrain.vertices[3].position[1], terrainHeight(160));
}

TEST(TerrainFile, UnusableHeightmapIsReportedInOneLineAndGivesFlatGround) {
    test_files::ScratchDirectory dir("terrain-bad");
    {
        SCOPED_TRACE("missing");
        CaptureStderr();
        const Terrain terrain(4, 3);
        const std::string err = GetCapturedStderr();
        EXPECT_EQ(countLines(err), 1) << err;
        EXPECT_NE(err.find("heightmap.png"), std::string::npos) << err;
        EXPECT_EQ(terrain.vertices.size(), 12u);
        EXPECT_EQ(terrain.strips.size(), 2u);
        expectFlat(terrain);
    }
    {
        SCOPED_TRACE("not an image");
        test_files::writeBytes("heightmap.png", {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i'});
        CaptureStderr();
        const Terrain terrain(4, 3);
        EXPECT_EQ(GetCapturedStderr(),
                  "heightmap.png: not a PNG or JPEG file; the ground is flat\n");
        expectFlat(terrain);
    }
    {
        SCOPED_TRACE("too small for the grid");
        test_files::write("heightmap.png", 3, 3, 1, std::vector<std::uint8_t>(9, 200));
        CaptureStderr();
        const Terrain terrain(4, 3);
        const std::string err = GetCapturedStderr();
        EXPECT_EQ(countLines(err), 1) << err;
        EXPECT_NE(err.find("heightmap.png"), std::string::npos) << err;
        EXPECT_EQ(terrain.vertices.size(), 12u);
        expectFlat(terrain);
    }
}

// Terrain::build reading "heightmap.png" from the working directory.
#include <SOIL/SOIL.h>
#include <gtest/gtest.h>

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
    // SOIL writes a grey image as 24-bit TGA; named "heightmap.png" it still
    // loads, as three channels, and the grid takes one byte per point.
    test_files::ScratchDirectory dir("terrain-tga");
    const unsigned char grey[4] = {40, 80, 120, 160};
    ASSERT_TRUE(SOIL_save_image("heightmap.png", SOIL_SAVE_TYPE_TGA, 2, 2, 1, grey));

    CaptureStderr();
    const Terrain terrain(2, 2);
    EXPECT_EQ(GetCapturedStderr(), "");
    ASSERT_EQ(terrain.vertices.size(), 4u);
    EXPECT_EQ(terrain.vertices[0].position[1], terrainHeight(40));
    EXPECT_EQ(terrain.vertices[2].position[1], terrainHeight(40));
    EXPECT_EQ(terrain.vertices[3].position[1], terrainHeight(80));
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
        const std::string err = GetCapturedStderr();
        EXPECT_EQ(countLines(err), 1) << err;
        EXPECT_NE(err.find("heightmap.png"), std::string::npos) << err;
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

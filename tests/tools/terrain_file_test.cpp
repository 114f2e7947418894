// "heightmap.png" as the program reads it: one byte per grid point, row =
// scene x, column = scene z, height = v * 0.137 - 30. The camera keeps its
// own height, so the ground must stay below every eye.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "generated_data.h"

using namespace assets_test;

TEST(TerrainFile, IsOneChannelHundredByHundred) {
    const Decoded& d = terrainFile().image;
    EXPECT_EQ(d.width, 100);
    EXPECT_EQ(d.height, 100);
    EXPECT_EQ(d.channels, 1) << "the terrain reads one byte per grid point";
}

TEST(TerrainFile, WalkableGroundStaysBelowTheEye) {
    // Walking keeps the eye at 1.8; the ground stays under 1.0 on every grid
    // point of the walkable square.
    const TerrainFile& t = terrainFile();
    for (int r = 2; r <= 98; ++r)
        for (int c = 2; c <= 98; ++c) ASSERT_LT(t.grid(r, c), 1.0f) << "at x " << r << ", z " << c;
}

TEST(TerrainFile, EveryViewpointLooksFromAboveTheGround) {
    const TerrainFile& t = terrainFile();
    const double views[5][3] = {
        {50, 1.8, 50}, {2, 1.8, 2}, {50, 50, 50}, {65, 0, 35}, {46, 16, 71}};
    for (const auto& v : views) EXPECT_LT(t.at(v[0], v[2]), v[1] - 0.5) << v[0] << ", " << v[2];
}

TEST(TerrainFile, GroundAtViewpointThreeLiesBeyondTheNearPlane) {
    // Viewpoint 3 looks 5 degrees up from height 0 with a 60 degree field and
    // the near plane at 1: ground within about 0.5 m below the eye would be
    // clipped away at the bottom of the view. Yet the eye should be just
    // above the ground, not up in the air.
    const TerrainFile& t = terrainFile();
    for (double dx = -1; dx <= 1; dx += 0.5)
        for (double dz = -1; dz <= 1; dz += 0.5) {
            const double h = t.at(65 + dx, 35 + dz);
            EXPECT_LT(h, -0.5);
            EXPECT_GT(h, -1.2);
        }
}

TEST(TerrainFile, GroundIsLevelUnderTheCircle) {
    const TerrainFile& t = terrainFile();
    for (int r = 30; r <= 70; ++r)
        for (int c = 30; c <= 70; ++c)
            if (std::hypot(r - 50.0, c - 49.0) < 16.0) {
                ASSERT_NEAR(t.grid(r, c), 0.0f, 0.07f) << r << ", " << c;
            }
}

TEST(TerrainFile, BorderRisesToHideTheLandsEnd) {
    const TerrainFile& t = terrainFile();
    double sum = 0;
    for (int i = 0; i < 100; ++i)
        sum += t.grid(0, i) + t.grid(99, i) + t.grid(i, 0) + t.grid(i, 99);
    EXPECT_GT(sum / 400.0, 1.8);  // above the eye seen from inside
}
